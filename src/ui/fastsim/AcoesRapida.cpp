// The working form's actions: the fast run, loading archives, the indices
// shown per tab and the chart tools.
#include <chrono>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QToolButton>

#include "fastsim/ArquivoTxd.h"
#include "fastsim/Historico.h"
#include "fastsim/SimulacaoRapida.h"
#include "ui/app/Aplicacao.h"
#include "ui/app/OperacaoLonga.h"
#include "ui/fastsim/GraficoMalha.h"
#include "ui/fastsim/PainelIndices.h"
#include "ui/fastsim/TAboutBox.h"
#include "ui/i18n/TextosRapida.h"

namespace kivo::ui {

namespace {

QString Texto(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

void TAboutBox::BTNSimularClick() {
    if (executando_ || !app_) return;
    OpcoesRapida op;
    op.sinal = SinalDoItem(sinal_->currentIndex());
    if (op.sinal != SinalTeste::Nenhum && !LeAmplitude(amplitude_->text().toStdString(), op.amplitude)) {
        app_->Informa(AmplitudeInvalida(app_->ingles()));
        return;
    }
    op.janela = kJanelasRapida[static_cast<std::size_t>(janela_->currentIndex())];
    op.T = kAmostragensRapida[static_cast<std::size_t>(ta_->currentIndex())];
    op.normaliza = normaliza_->isChecked();
    op.arquivar = arquivar_->isChecked();
    op.prefixo = prefixo_->text().toStdString();
    op.pasta = QDir::currentPath().toStdString();

    executando_ = true;
    HabilitaControles(false);
    mensagem_->clear();
    progresso_->setValue(0);
    ResultadoRapida r;
    {
        TimerSuspenso suspenso(app_->timer());
        QThread::msleep(110);
        ProgressoBarra obs(*progresso_);
        r = ExecutaRapida(app_->sim(), op, &obs);
        progresso_->setValue(100);
    }
    HabilitaControles(true);
    executando_ = false;

    if (r.erroArquivo) app_->Informa(QString::fromStdString(r.erroArquivo->Mensagem(app_->ingles())));
    if (!r.executou) return;
    if (!r.arquivo.empty()) {
        mensagem_->setText(Texto(TextoDadosSalvos(app_->ingles())));
        const QString nome = QFileInfo(QString::fromStdString(r.arquivo.string())).completeBaseName();
        QComboBox* c = seletores_[Superior];
        if (c->findText(nome) < 0) c->addItem(nome);
        c->setCurrentIndex(c->findText(nome));
    }
    linhas_[Superior] = std::move(r.linha);
    MostraLinha(Superior);
    ajustando_ = true;
    abas_[Superior]->setCurrentIndex(0);
    ajustando_ = false;
    MostraIndices(Superior, 1);
    AtualizaSelPage();
}

void TAboutBox::BTNCarregarClick() { Carrega(Inferior, seletores_[Inferior], progressoLinha_[Inferior]); }
void TAboutBox::Button1Click() { Carrega(Superior, seletores_[Superior], progressoLinha_[Superior]); }

void TAboutBox::Carrega(Linha l, QComboBox* seletor, QProgressBar* barra) {
    if (executando_ || !app_ || seletor->currentIndex() < 0 || seletor->currentText().isEmpty()) return;
    const QString arquivo = QDir::current().filePath(seletor->currentText() + QStringLiteral(".txd"));
    executando_ = true;
    barra->setValue(0);
    try {
        TimerSuspenso suspenso(app_->timer());
        ProgressoBarra obs(*barra);
        linhas_[l] = CarregaHistorico(app_->sim(), arquivo.toStdString(), normaliza_->isChecked(), &obs);
        barra->setValue(100);
    } catch (const ErroTxd& e) {
        executando_ = false;
        app_->Informa(QString::fromStdString(e.Mensagem(app_->ingles())));
        return;
    }
    executando_ = false;
    MostraLinha(l);
    ajustando_ = true;
    abas_[l]->setCurrentIndex(0);
    ajustando_ = false;
    MostraIndices(l, 1);
    AtualizaSelPage();
}

void TAboutBox::ComboBox1Enter() { PreencheSeletor(seletores_[Inferior]); }
void TAboutBox::ComboBox2Enter() { PreencheSeletor(seletores_[Superior]); }

void TAboutBox::PreencheSeletor(QComboBox* c) {
    const QString atual = c->currentIndex() >= 0 ? c->currentText() : QString();
    QStringList nomes;
    for (const std::string& n : ListaArquivosTxd(QDir::currentPath().toStdString()))
        nomes << QString::fromStdString(n);
    QStringList agora;
    for (int i = 0; i < c->count(); ++i) agora << c->itemText(i);
    if (nomes == agora) return;  // unchanged: the open list is left alone
    c->clear();
    c->addItems(nomes);
    c->setCurrentIndex(c->findText(atual));  // -1, nothing selected, when it is gone
}

void TAboutBox::AcompanhaProjeto() {
    if (!app_ || executando_) return;
    NomeiaAbas();
    // The rows, their charts and indices stay: runs and archives are compared
    // across projects (the indices live as long as the program).
    for (QComboBox* c : seletores_) {
        // The archives named belong to the directory of the project before.
        c->setCurrentIndex(-1);
        PreencheSeletor(c);
    }
    mensagem_->clear();
    prefixo_->setText(PrefixoArquivo(app_->projeto().titulo));
}

void TAboutBox::MostraLinha(Linha l) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int n = 1; n <= kMalhas; ++n) {
        const MalhaDesempenho& m = linhas_[l].malha(n);
        GraficoMalha* g = grafico(l, n);
        if (m.ativa)
            g->Mostra(m.series);
        else
            g->Limpa();
    }
    msGraficos_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void TAboutBox::MostraIndices(Linha l, int n) {
    const MalhaDesempenho& m = linhas_[l].malha(n);
    indices_->Mostra(l == Superior ? PainelIndices::Superior : PainelIndices::Inferior,
                     m.indices ? &*m.indices : nullptr);
}

void TAboutBox::TabbedNotebook1Click(int i) {
    if (ajustando_) return;
    if (linhas_[Superior].temIndices) MostraIndices(Superior, i + 1);
    ajustando_ = true;
    abas_[Inferior]->setCurrentIndex(i);
    ajustando_ = false;
    if (linhas_[Inferior].temIndices) MostraIndices(Inferior, i + 1);
    AtualizaSelPage();
}

void TAboutBox::TabbedNotebook2Click(int i) {
    if (ajustando_) return;
    if (linhas_[Inferior].temIndices) MostraIndices(Inferior, i + 1);
}

int TAboutBox::abaAtual() const { return abas_[Superior]->currentIndex() + 1; }

void TAboutBox::SpeedButton1Click() {
    zoom_->setEnabled(false);
    const int n = abaAtual();
    grafico(Superior, n)->PermiteZoom(true);
    grafico(Inferior, n)->PermiteZoom(true);
}

void TAboutBox::Zoom(Linha l, int n) {
    GraficoMalha* feito = grafico(l, n);
    GraficoMalha* outro = grafico(l == Superior ? Inferior : Superior, n);
    if (replica_->isChecked()) outro->FixaFaixas(feito->faixaX(), feito->faixaY());
    feito->PermiteZoom(false);
    outro->PermiteZoom(false);
    zoom_->setEnabled(true);
}

void TAboutBox::ZoomDesfeito(Linha l, int n) {
    if (replica_->isChecked()) grafico(l == Superior ? Inferior : Superior, n)->EscalaAutomatica();
}

void TAboutBox::SpeedButton2Click() {
    for (const auto& linha : graficos_)
        for (GraficoMalha* g : linha) g->EscalaAutomatica();
}

void TAboutBox::SpeedButton3Click() {
    const int n = abaAtual();
    grafico(Superior, n)->Escala0a100();
    if (replica_->isChecked()) grafico(Inferior, n)->Escala0a100();
}

void TAboutBox::CheckBox1Click(bool marcado) {
    if (!marcado) return;  // the CO series come back with the next run or load
    for (const auto& linha : graficos_)
        for (GraficoMalha* g : linha) g->OcultaCO();
}

void TAboutBox::PtsPagChange(int i) {
    for (const auto& linha : graficos_)
        for (GraficoMalha* g : linha) g->DefinePontosPorPagina(900 << i);
    AtualizaSelPage();
}

void TAboutBox::SelPageChangingEx(int pagina) {
    if (ajustando_) return;
    const int n = abaAtual();
    grafico(Superior, n)->MostraPagina(pagina);
    grafico(Inferior, n)->MostraPagina(pagina);
}

void TAboutBox::AtualizaSelPage() {
    // Loop 1 pages through its own points; the others are allowed ten pages.
    const int n = abaAtual();
    const GraficoMalha* g = grafico(Superior, n);
    ajustando_ = true;
    selPage_->setRange(1, n == 1 ? g->paginas() : 10);
    selPage_->setValue(g->pagina());
    ajustando_ = false;
}

}  // namespace kivo::ui
