// The faceplate's trend controls and data log: pause and cursor readout,
// automatic and manual scale, time base, and the log with its blinking
// indicator.
#include <array>
#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "core/NumberText.h"
#include "objects/Campos.h"
#include "objects/Controller.h"
#include "ui/app/Aplicacao.h"
#include "ui/i18n/TextosControlador.h"
#include "ui/objects/GraficoTendencia.h"
#include "ui/objects/TControlador.h"

namespace kivo::ui {
namespace {

// Seconds per sample for the three time bases, as the cursor reads them.
constexpr std::array kSegundosPorPixel{0.1, 0.3, 2.0};

QString Str(double x, int w, int d) { return QString::fromStdString(FormataFixo(x, w, d)); }

}  // namespace

void TControlador::AoAmostrar(const TendenciaControlador&, double pv, double sp, double mv) {
    if (isVisible() && layout_ == Layout::Tendencia) grafico_->AtualizaCurvas();
    if (!log_.aberto()) return;
    if (unidEng_->isChecked()) {
        pv = ParaEU(pv);
        sp = ParaEU(sp);
    }
    if (log_.Escreve(pv, sp, mv, virgula_->isChecked())) return;
    // The system refused a line (a full disk, a removed drive): the log is
    // over, and the box says why instead of "Data saved".
    TerminaLog();
    app_.interacao().Informa(this, QString::fromStdString(log_.Erro(app_.ingles())));
}

void TControlador::RedesenhaEscala() {
    const double base = ParaEU(c_.tendencia.base());
    const double topo = ParaEU(c_.tendencia.topo());
    grafico_->setEscalaEU(base, topo);
    if (escalaMostrada_ && base == baseMostrada_ && topo == topoMostrado_) return;
    escalaMostrada_ = true;
    baseMostrada_ = base;
    topoMostrado_ = topo;
    eSup_->setText(Str(topo, 4, 1).trimmed());
    eInf_->setText(Str(base, 4, 1).trimmed());
}

void TControlador::Reescala() {
    // The scale follows a re-apply of what the model holds; edits waiting
    // in the configuration area are not applied by it.
    c_.tendencia.EscalaAuto = escalaAuto_->isChecked();
    c_.ValidaParametros(false);
    AposAplicar(false);
}

void TControlador::eSupTextEnter() {
    escalaAuto_->setChecked(false);
    c_.tendencia.EscalaAuto = false;
    double topo = 0;
    double base = 0;
    const double ini = c_.inicioEscala();
    const double fim = c_.fimEscala();
    if (LeNumeroCampo(eSup_->text().toStdString(), topo) && LeNumeroCampo(eInf_->text().toStdString(), base) &&
        base < topo && ini != fim)
        c_.tendencia.DefineFaixa((base - ini) * 100 / (fim - ini), (topo - ini) * 100 / (fim - ini));
    escalaMostrada_ = false;
    RedesenhaEscala();
    grafico_->update();
}

void TControlador::BaseTempoBoxChange(int indice) {
    c_.tendencia.BaseTempoBox = indice;
    TextoIndicadorLog();
}

void TControlador::TextoIndicadorLog() {
    static const std::array textos{QStringLiteral("Saving 0.1s sampling"), QStringLiteral("Saving 0.334s sampling"),
                                   QStringLiteral("Saving 2s sampling")};
    const int b = std::clamp(c_.tendencia.BaseTempoBox, 0, 2);
    indicador_->setText(textos[static_cast<std::size_t>(b)]);
    indicador_->setAccessibleName(indicador_->text());
}

void TControlador::SpeedButton2Click() {
    c_.tendencia.pausado = !c_.tendencia.pausado;
    pausa_->setChecked(c_.tendencia.pausado);
    coordenadas_->setVisible(c_.tendencia.pausado);
}

void TControlador::ReiniciaCursor() {
    for (int k = 0; k < 6; ++k) cursor_[k]->setText(TextoCoordenadas(k + 1));
    indiceCursor_ = 1;
}

void TControlador::Image1MouseDown(int x, int y) {
    if (!c_.tendencia.pausado) return;
    // The scale fields say what the operator sees, even a range he typed
    // and has not applied.
    double topo = 0;
    double base = 0;
    LeNumeroCampo(eSup_->text().toStdString(), topo);
    LeNumeroCampo(eInf_->text().toStdString(), base);
    const double v = base + (topo - base) / 100 * ((GraficoTendencia::kAltura - y) / 2.0);
    const double t = x * kSegundosPorPixel[static_cast<std::size_t>(std::clamp(c_.tendencia.BaseTempoBox, 0, 2))];
    QLabel* rotulo = cursor_[static_cast<std::size_t>(indiceCursor_ - 1)];
    rotulo->setText(QStringLiteral("Y1: ") + Str(v, 4, 1) + QStringLiteral("  T1: ") + Str(t, 4, 1));
    indiceCursor_ = indiceCursor_ >= 6 ? 1 : indiceCursor_ + 1;
}

void TControlador::CheckBox1Click(bool marcado) {
    if (!marcado) {
        TerminaLog();
        const QString caminho = QString::fromStdString(log_.caminho().string());
        app_.interacao().Informa(this, QStringLiteral("Data saved: ") + QDir::toNativeSeparators(caminho));
        return;
    }
    QString& pasta = pastaLog();
    if (pasta.isEmpty()) {
        const QString nome = app_.interacao().NomeArquivoLog(
            this, TituloPastaLog(app_.ingles()), QString::fromStdString(LogTendencia::NomeArquivo(c_.TagText, 1)));
        // A cancelled dialog leaves the log off; asking again until a
        // folder is chosen would leave no way out.
        if (nome.isEmpty()) {
            arquivar_->setChecked(false);
            return;
        }
        pasta = QFileInfo(nome).absolutePath();
    }
    if (!log_.Abre(std::filesystem::path(pasta.toStdU16String()), c_.TagText, c_.tendencia.BaseTempoBox, "PV", "SP",
                   "MV")) {
        arquivar_->setChecked(false);
        app_.interacao().Informa(this, QString::fromStdString(log_.Erro(app_.ingles())));
        return;
    }
    indicador_->show();
    pisca_.start();
    for (QWidget* w : std::initializer_list<QWidget*>{eSup_, eInf_, baseTempo_, ajuda_}) w->setEnabled(false);
    if (auto* tag = findChild<QLineEdit*>(QStringLiteral("TagText"))) tag->setEnabled(false);
}

// Ends a log, whether the operator unchecked it or a line failed, and gives
// back the controls it held.
void TControlador::TerminaLog() {
    pisca_.stop();
    indicador_->hide();
    log_.Fecha();
    arquivar_->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{eSup_, eInf_, baseTempo_, ajuda_}) w->setEnabled(true);
    if (auto* tag = findChild<QLineEdit*>(QStringLiteral("TagText"))) tag->setEnabled(true);
}

void TControlador::Timer1Timer() { indicador_->setVisible(!indicador_->isVisible()); }

}  // namespace kivo::ui
