#pragma once
// The fast-simulation window class, in two forms. The about-box form shows
// the program's picture, its name and version and a "Fechar" button: the
// start window and "Sobre" in the help menu are instances of it. The
// working form runs the fast simulation (run settings, test signal,
// archive), shows ten upper and ten lower loop charts with PV, SP and CO,
// the indices of the selected loop for both rows side by side, loads ".txd"
// archives into either row and carries the chart tools. The run, the
// archive and the indices are the core's; this window shows them.
#include <array>
#include <string>

#include <QDialog>

#include "fastsim/Malhas.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;

namespace kivo::ui {

class Aplicacao;
class GraficoMalha;
class PainelIndices;

// The archive prefix offered for a project title: the title with every
// character a file name cannot hold (path separators, the characters some
// file systems refuse, control characters) replaced by "_", blanks and dots
// trimmed at the ends and the length bounded; "DadosDesempenho" when nothing
// is left.
QString PrefixoArquivo(const std::string& titulo);

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    enum Linha { Superior = 0, Inferior = 1 };

    // The about-box form.
    explicit TAboutBox(QWidget* parent = nullptr);
    // The about form's title and button in the language shown.
    void TraduzSobre(bool ingles);
    // The working form, as the main menu's "Simulação Rápida" opens it:
    // maximized, close button hidden, tabs captioned with the tags, the
    // prefix filled; in English when the language flag is set.
    TAboutBox(Aplicacao& app, QWidget* parent);
    ~TAboutBox() override;

    void BTNSimularClick();
    void BTNCarregarClick();  // lower row, from ComboBox1
    void Button1Click();      // upper row, from ComboBox2
    // Fill the selectors with the "*.txd" of the current directory.
    void ComboBox1Enter();
    void ComboBox2Enter();
    // Another project is open: tabs captioned with its tags, the archive
    // selectors refilled from the current directory, which may have
    // changed, and the prefix from the new title.
    void AcompanhaProjeto();
    // The tabs captioned with the active controllers' tags.
    void NomeiaAbas();

    GraficoMalha* grafico(Linha l, int n) const { return graficos_[l][static_cast<std::size_t>(n - 1)]; }
    const LinhaDesempenho& linha(Linha l) const { return linhas_[l]; }
    PainelIndices& indices() const { return *indices_; }
    bool executando() const { return executando_; }
    // Time spent putting the last run's or load's series into the charts.
    double msGraficos() const { return msGraficos_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:

    void CriaFormaSobre();
    QWidget* CriaPainelSimulacao();
    QWidget* CriaLinha(Linha l);
    QWidget* CriaFerramentas();
    void Traduz();

    void JanelaComboBoxChange(int i);
    void SinalTesteComboChange(int i);
    void HabilitaControles(bool sim);
    void Carrega(Linha l, QComboBox* seletor, QProgressBar* barra);
    void PreencheSeletor(QComboBox* c);
    void MostraLinha(Linha l);
    void TabbedNotebook1Click(int i);
    void TabbedNotebook2Click(int i);
    void MostraIndices(Linha l, int n);

    void SpeedButton1Click();
    void Zoom(Linha l, int n);
    void ZoomDesfeito(Linha l, int n);
    void SpeedButton2Click();
    void SpeedButton3Click();
    void CheckBox1Click(bool marcado);
    void PtsPagChange(int i);
    void SelPageChangingEx(int pagina);
    void AtualizaSelPage();
    int abaAtual() const;  // 1..10

    Aplicacao* app_ = nullptr;
    QComboBox* janela_ = nullptr;
    QComboBox* ta_ = nullptr;
    QComboBox* sinal_ = nullptr;
    QLabel* amplitudeRotulo_ = nullptr;
    QLineEdit* amplitude_ = nullptr;
    QCheckBox* arquivar_ = nullptr;
    QLineEdit* prefixo_ = nullptr;
    QCheckBox* normaliza_ = nullptr;
    QPushButton* simular_ = nullptr;
    QProgressBar* progresso_ = nullptr;
    QLabel* mensagem_ = nullptr;
    std::array<QTabWidget*, 2> abas_{};
    std::array<QComboBox*, 2> seletores_{};
    std::array<QPushButton*, 2> carregar_{};
    std::array<QProgressBar*, 2> progressoLinha_{};
    std::array<std::array<GraficoMalha*, kMalhas>, 2> graficos_{};
    PainelIndices* indices_ = nullptr;
    QToolButton* zoom_ = nullptr;
    QCheckBox* replica_ = nullptr;
    QCheckBox* ocultaCO_ = nullptr;
    QComboBox* ptsPag_ = nullptr;
    QSpinBox* selPage_ = nullptr;

    std::array<LinhaDesempenho, 2> linhas_{};
    bool executando_ = false;
    bool ajustando_ = false;  // a programmatic tab or page change
    double msGraficos_ = 0;
};

}  // namespace kivo::ui
