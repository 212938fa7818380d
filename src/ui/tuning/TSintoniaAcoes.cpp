// The tuning window's actions: reading the data, identification, the
// rules' settings with their predictions, and the apply.
#include <algorithm>
#include <array>
#include <cmath>

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTimer>

#include "objects/Campos.h"
#include "objects/Controller.h"
#include "project/ArquivoProjeto.h"
#include "project/ArquivoTexto.h"
#include "tuning/BumpTest.h"
#include "ui/app/Aplicacao.h"
#include "ui/app/OperacaoLonga.h"
#include "ui/fastsim/GraficoMalha.h"
#include "ui/fastsim/PainelIndices.h"
#include "ui/i18n/TextosSintonia.h"
#include "ui/tuning/GraficoDegrau.h"
#include "ui/tuning/TSintonia.h"

namespace kivo::ui {
namespace {

// While the window identifies or predicts: the wait cursor, and the cycle
// timer stopped (and restarted unless the user had paused it), so that no
// tick of the plant runs between the steps of the work while the progress
// bar is redrawn.
class Ocupado {
public:
    Ocupado(QTimer& t, bool& ocupado) : suspenso_(t), ocupado_(ocupado) {
        ocupado_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Ocupado() {
        QApplication::restoreOverrideCursor();
        ocupado_ = false;
    }

private:
    TimerSuspenso suspenso_;
    bool& ocupado_;
};

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())).trimmed(); }
QString Campo(double x) { return Q(tuning::FieldText(x)); }

const char* NomeRegra(tuning::Rule r) {
    switch (r) {
        case tuning::Rule::Simc: return "SIMC";
        case tuning::Rule::Imc: return "IMC";
        case tuning::Rule::Amigo: return "AMIGO";
        case tuning::Rule::ZieglerNichols: return "Ziegler-Nichols";
    }
    return "";
}

// The first run of a simulated test whose duration is left to the window.
constexpr double kDuracaoAutomatica = 900;  // s

// The samples of the trend are taken every cycle, every third or every
// twentieth, by the faceplate's time base.
constexpr std::array kCiclosPorAmostra{1, 3, 20};

}  // namespace

tuning::ModelKind TSintonia::ModeloUsado() const {
    const int i = modelo_->currentIndex();
    if (i < 0 || i > 2) return id_ ? id_->best : tuning::ModelKind::Fopdt;
    return static_cast<tuning::ModelKind>(i);
}

std::size_t TSintonia::IndiceDoTempo(double t) const {
    // The sample nearest to t.
    const auto p = std::lower_bound(serie_.t.begin(), serie_.t.end(), t);
    std::size_t i = static_cast<std::size_t>(p - serie_.t.begin());
    if (i >= serie_.size()) return serie_.size() - 1;
    if (i > 0 && t - serie_.t[i - 1] < serie_.t[i] - t) --i;
    return i;
}

void TSintonia::EscolheArquivo() {
    const QString nome =
        QFileDialog::getOpenFileName(this, TituloArquivoSerie(ingles_), arquivo_->text(), FiltroArquivoSerie(ingles_));
    if (!nome.isEmpty()) arquivo_->setText(nome);
}

tuning::BumpTestResult TSintonia::TesteSimulado() {
    // A field that is not a number reaches the library as NaN, which refuses
    // it with the message of an out-of-range value.
    const auto le = [](QLineEdit* e) {
        double v = 0;
        return LeNumeroCampo(e->text().trimmed().toStdString(), v) ? v : std::nan("");
    };
    const double degrau = le(degrauSim_);
    const bool automatica = duracaoSim_->text().trimmed().isEmpty();
    const double duracao = automatica ? kDuracaoAutomatica : le(duracaoSim_);
    Ocupado ocupado(app_.timer(), ocupado_);
    // The running plant copied through its file text: the same objects and
    // settings, and the states the file keeps (to two decimals, which for a
    // plant at rest is where it is; the test waits for rest anyway). The
    // test then ticks the copy only: the running loop, its memory and its
    // time are left as they are.
    const std::string bytes = JuntaLinhas(LinhasProjeto(app_.projeto()));
    const auto testa = [&](double segundos) {
        Projeto copia(ingles_);
        const ResultadoCarga carga = LeProjetoBytes(copia, bytes, app_.projeto().titulo);
        if (!carga.ok) throw tuning::TuningError(carga.erro, carga.erro);
        return tuning::BumpTest(copia.sim, c_.numero(), degrau, segundos);
    };
    tuning::BumpTestResult r = testa(duracao);
    // Left empty, the duration is sized to the plant: a first test as long
    // as the longest record the faceplate's trend holds (450 samples at its
    // slowest time base), then, where the PV settled well within it, a test
    // of twice its settling time on a fresh copy, so a fast loop's response
    // fills the chart instead of a corner of it.
    if (automatica)
        if (const auto d = tuning::SettledDuration(r); d && *d < duracao) r = testa(*d);
    return r;
}

void TSintonia::LimpaResultados() {
    id_.reset();
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < modelos_->columnCount(); ++k) modelos_->setItem(r, k, nullptr);
    LimpaPropostas();
    progresso_->setValue(0);
}

void TSintonia::LimpaPropostas() {
    propostas_.clear();
    regras_->setRowCount(0);
    direcao_->clear();
    indices_->Mostra(PainelIndices::Superior, nullptr);
    indices_->Mostra(PainelIndices::Inferior, nullptr);
    respostaSP_->Limpa();
    respostaCarga_->Limpa();
    aplicar_->setEnabled(false);
}

void TSintonia::Erro(const QString& texto) {
    LimpaResultados();
    // The data stay in sight (they show what is wrong), the model does not.
    if (serie_.size() > 0) grafico_->Mostra(serie_);
    mensagem_->setText(texto);
}

void TSintonia::LerBTNClick() {
    if (ocupado_) return;
    LimpaResultados();
    mensagem_->clear();
    serie_ = {};
    grafico_->Limpa();
    identificar_->setEnabled(false);
    tuning::Step degrau;
    // The step was made on a PV still moving (an integrator drifts for
    // ever): the fit allows for a drift, but the student should know.
    QString aviso;
    try {
        if (fonte_->currentIndex() == FonteTendencia) {
            const int base = std::clamp(c_.tendencia.BaseTempoBox, 0, 2);
            const double passo = app_.sim().estado.periodoTimer / 1000.0 * kCiclosPorAmostra[std::size_t(base)];
            serie_ = tuning::SeriesFromTrend(c_.tendencia, passo);
        } else if (fonte_->currentIndex() == FonteSimulado) {
            tuning::BumpTestResult r = TesteSimulado();
            if (!r.rested) aviso = AvisoSemRepouso(tuning::kMaxRestWait, ingles_);
            serie_ = std::move(r.series);
        } else {
            serie_ = tuning::ReadSeries(arquivo_->text().toStdString(), enderecoMV_->value(), enderecoPV_->value());
        }
        if (serie_.size() > 0) grafico_->Mostra(serie_);
        degrau = tuning::FindStep(serie_);
    } catch (const tuning::TuningError& e) {
        QString texto = Q(e.Message(ingles_));
        // The trend keeps 450 samples whatever its time base: a slower base
        // holds a longer test, which is what the student can change.
        if (fonte_->currentIndex() == FonteTendencia && e.kind() == tuning::TuningError::Kind::TooFewSamples)
            texto += QLatin1Char(' ') + DicaBaseTempo(ingles_);
        if (!aviso.isEmpty()) texto += QLatin1Char(' ') + aviso;
        Erro(texto);
        return;
    } catch (const std::exception& e) {
        // Anything else the library refuses is still a message, never an
        // abort that would lose the open project.
        Erro(QString::fromUtf8(e.what()));
        return;
    }
    // The stretch found, in seconds, for the student to adjust.
    const double t0 = serie_.t.front(), t1 = serie_.t.back();
    const double passo = serie_.size() > 1 ? (t1 - t0) / double(serie_.size() - 1) : 1.0;
    for (QDoubleSpinBox* s : {inicio_, degrau_, fim_}) {
        s->setRange(t0, t1);
        s->setSingleStep(passo);
        s->setDecimals(passo < 1 ? 2 : 1);
    }
    inicio_->setValue(serie_.t[degrau.first]);
    degrau_->setValue(serie_.t[degrau.index]);
    fim_->setValue(serie_.t[degrau.last - 1]);
    identificar_->setEnabled(true);
    Identifica(degrau);
    if (!aviso.isEmpty()) mensagem_->setText(mensagem_->text().isEmpty() ? aviso : mensagem_->text() + ' ' + aviso);
}

void TSintonia::IdentificarBTNClick() {
    if (ocupado_ || serie_.size() == 0) return;
    mensagem_->clear();
    tuning::Step d;
    d.first = IndiceDoTempo(inicio_->value());
    d.index = IndiceDoTempo(degrau_->value());
    d.last = IndiceDoTempo(fim_->value()) + 1;
    d.t0 = serie_.t[d.index];
    d.mvBefore = serie_.mv[d.index > 0 ? d.index - 1 : 0];
    d.mvAfter = serie_.mv[d.index];
    Identifica(d);
}

void TSintonia::Identifica(const tuning::Step& degrau) {
    LimpaResultados();
    {
        Ocupado ocupado(app_.timer(), ocupado_);
        try {
            id_ = tuning::Identify(serie_, degrau);
        } catch (const tuning::TuningError& e) {
            id_.reset();
            Erro(Q(e.Message(ingles_)));
            return;
        } catch (const std::exception& e) {
            id_.reset();
            Erro(QString::fromUtf8(e.what()));
            return;
        }
    }
    if (!id_->fits[static_cast<std::size_t>(ModeloUsado())]) modelo_->setCurrentIndex(3);
    MostraModelos();
    Propoe();
}

void TSintonia::MostraModelos() {
    const QStringList nomes = ItensModelo(ingles_);
    for (int r = 0; r < 3; ++r) {
        const auto& f = id_->fits[static_cast<std::size_t>(r)];
        QStringList textos{QStringLiteral("%1").arg(tuning::KindName(static_cast<tuning::ModelKind>(r))).toUpper()};
        if (f && f->model.kind == id_->best) textos[0] += MarcaMelhor(ingles_);
        if (f) {
            const auto& m = f->model;
            // An integrator's gain is a rate: % of PV per second per % of MV.
            textos << Campo(m.K) + (r == 2 ? QStringLiteral(" /s") : QString()) << (r == 2 ? QString() : Campo(m.tau1))
                   << (r == 1 ? Campo(m.tau2) : QString()) << Campo(m.theta) << QString::number(f->residual, 'f', 4);
        } else {
            textos << QStringLiteral("—") << QString() << QString() << QString() << QString();
        }
        for (int k = 0; k < textos.size(); ++k) {
            auto* item = new QTableWidgetItem(textos[k]);
            if (k > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            modelos_->setItem(r, k, item);
        }
    }
    // Model choices that could not be fitted are not offered.
    if (auto* itens = qobject_cast<QStandardItemModel*>(modelo_->model()))
        for (int r = 0; r < 3; ++r) itens->item(r)->setEnabled(id_->fits[static_cast<std::size_t>(r)].has_value());
    for (int r = 0; r < 3; ++r) modelos_->item(r, 0)->setToolTip(nomes[r]);
}

void TSintonia::Propoe() {
    if (ocupado_ || !id_) return;
    // Nothing of the settings shown before stays beside a new refusal.
    LimpaPropostas();
    const tuning::ModelKind usado = ModeloUsado();
    const tuning::LoopConfig cfg = tuning::ConfigOf(c_);
    if (!id_->fits[static_cast<std::size_t>(usado)]) {
        // The library says why; the identification stays for another model.
        grafico_->Mostra(serie_);
        try {
            tuning::ProposeAndPredict(*id_, usado, cfg, {});
        } catch (const tuning::TuningError& e) {
            mensagem_->setText(Q(e.Message(ingles_)));
        } catch (const std::exception& e) {
            mensagem_->setText(QString::fromUtf8(e.what()));
        }
        return;
    }
    grafico_->MarcaDegrau(serie_, id_->step, id_->fit(usado).fitted);

    // Empty fields: the rules' own defaults.
    const auto le = [&](QLineEdit* e, double& v) {
        v = 0;
        if (e->text().trimmed().isEmpty()) return true;
        return LeNumeroCampo(e->text().toStdString(), v) && v > 0;
    };
    double tc = 0, lambda = 0;
    for (auto [campo, valor, rotulo] : {std::tuple{tc_, &tc, "LabelTc"}, std::tuple{lambda_, &lambda, "LabelLambda"}}) {
        if (le(campo, *valor)) continue;
        const auto* l = findChild<QLabel*>(QString::fromLatin1(rotulo));
        mensagem_->setText(TempoInvalido(l ? l->text() : QString(), ingles_));
        return;
    }
    mensagem_->clear();

    {
        Ocupado ocupado(app_.timer(), ocupado_);
        progresso_->setValue(0);
        int k = 0;
        try {
            for (tuning::Rule r : tuning::kRules) {
                auto v = tuning::ProposeAndPredict(*id_, usado, cfg, {r}, r == tuning::Rule::Imc ? lambda : tc);
                propostas_.insert(propostas_.end(), v.begin(), v.end());
                progresso_->setValue(100 * ++k / int(std::size(tuning::kRules)));
                // Only paint and window events: a click cannot start another
                // computation meanwhile.
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        } catch (const tuning::TuningError& e) {
            propostas_.clear();
            mensagem_->setText(Q(e.Message(ingles_)));
            return;
        } catch (const std::exception& e) {
            propostas_.clear();
            mensagem_->setText(QString::fromUtf8(e.what()));
            return;
        }
    }

    regras_->setRowCount(int(propostas_.size()));
    int padrao = 0;
    // Gains the controller cannot use, by reason, with the settings it
    // concerns ("SIMC P/PI, IMC PI"); the rows come rule by rule.
    struct Aviso {
        QString motivo, quais, ultimaRegra;
    };
    std::vector<Aviso> avisos;
    for (std::size_t i = 0; i < propostas_.size(); ++i) {
        const tuning::Setting& s = propostas_[i].setting;
        const tuning::Prediction& p = propostas_[i].prediction;
        const auto indice = [&](const std::optional<IndicesDesempenho>& ind, int qual) {
            if (!ind) return TextoForaDaFaixa(ingles_);
            return Q(TextosIndices(*ind)[std::size_t(qual)]);
        };
        const QStringList textos{QString::fromLatin1(NomeRegra(s.rule)),
                                 QString::fromLatin1(tuning::ActionName(s.action)),
                                 Q(s.KpText),
                                 Q(s.KiText),
                                 Q(s.KdText),
                                 s.tc > 0 ? Campo(s.tc) : QString(),
                                 indice(p.spIndices, 2),
                                 indice(p.spIndices, 3),
                                 indice(p.loadIndices, 2)};
        const auto aviso = tuning::CheckGain(s);
        if (aviso) {
            const QString motivo = Q(aviso->Message(ingles_));
            auto it = std::find_if(avisos.begin(), avisos.end(), [&](const Aviso& a) { return a.motivo == motivo; });
            if (it == avisos.end()) it = avisos.insert(avisos.end(), {motivo, {}, {}});
            if (it->ultimaRegra == textos[0]) {
                it->quais += QLatin1Char('/') + textos[1];
            } else {
                if (!it->quais.isEmpty()) it->quais += QStringLiteral(", ");
                it->quais += textos[0] + QLatin1Char(' ') + textos[1];
                it->ultimaRegra = textos[0];
            }
        }
        for (int k = 0; k < textos.size(); ++k) {
            auto* item = new QTableWidgetItem(textos[k]);
            if (k >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (k == 2 && aviso) {
                item->setForeground(QColor(0xC0, 0x00, 0x00));
                item->setToolTip(Q(aviso->Message(ingles_)));
            }
            regras_->setItem(int(i), k, item);
        }
        // The row offered first: SIMC PI, the rule made for a robust loop.
        if (s.rule == tuning::Rule::Simc && s.action == tuning::Action::PI) padrao = int(i);
    }
    // A gain the controller cannot use stays listed, as the rule gives it,
    // but never without saying so.
    QStringList linhas;
    for (const Aviso& a : avisos) linhas << a.quais + QStringLiteral(": ") + a.motivo;
    mensagem_->setText(linhas.join(QLatin1Char('\n')));
    // The table as wide as its columns: no setting hides behind a scroll bar.
    regras_->setMinimumWidth(regras_->horizontalHeader()->length() + 2 * regras_->frameWidth());
    if (!propostas_.empty()) {
        direcao_->setText(TextoDirecao(propostas_.front().setting.acao, ingles_));
        direcao_->setAccessibleName(direcao_->text());
        regras_->selectRow(padrao);
    }
}

void TSintonia::MostraProposta(int linha) {
    if (linha < 0 || linha >= int(propostas_.size())) {
        aplicar_->setEnabled(false);
        return;
    }
    const tuning::Prediction& p = propostas_[std::size_t(linha)].prediction;
    indices_->setTitle(TituloIndicesPrevistos(p.window, ingles_));
    indices_->setAccessibleName(indices_->title());
    indices_->Mostra(PainelIndices::Superior, p.spIndices ? &*p.spIndices : nullptr);
    indices_->Mostra(PainelIndices::Inferior, p.loadIndices ? &*p.loadIndices : nullptr);
    // Every point of a prediction on one page of its chart.
    for (auto [grafico, serie] : {std::pair{respostaSP_, &p.setpoint}, std::pair{respostaCarga_, &p.load}}) {
        grafico->DefinePontosPorPagina(int(serie->tamanho()));
        grafico->Mostra(*serie);
    }
    aplicar_->setEnabled(true);
}

void TSintonia::AplicarBTNClick() {
    const int linha = linhaSelecionada();
    if (ocupado_ || linha < 0 || linha >= int(propostas_.size())) return;
    const tuning::Setting& s = propostas_[std::size_t(linha)].setting;
    emit aplicar(Q(s.KpText), Q(s.KiText), Q(s.KdText), s.acao);
}

}  // namespace kivo::ui
