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

#include "fastsim/Loops.h"

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

class AppContext;
class LoopChart;
class IndicesPanel;

// The archive prefix offered for a project title: the title with every
// character a file name cannot hold (path separators, the characters some
// file systems refuse, control characters) replaced by "_", blanks and dots
// trimmed at the ends and the length bounded; "DadosDesempenho" when nothing
// is left.
QString ArchivePrefix(const std::string& title);

class FastSimulationWindow : public QDialog {
    Q_OBJECT
public:
    enum Row { Superior = 0, Inferior = 1 };

    // The about-box form.
    explicit FastSimulationWindow(QWidget* parent = nullptr);
    // The about form's title and button in the language shown.
    void TranslateAbout(bool english);
    // The working form, as the main menu's "Simulação Rápida" opens it:
    // maximized, close button hidden, tabs captioned with the tags, the
    // prefix filled; in English when the language flag is set.
    FastSimulationWindow(AppContext& app, QWidget* parent);
    ~FastSimulationWindow() override;

    void BTNSimulateClick();
    void LoadLowerRow();  // lower row, from ComboBox1
    void LoadUpperRow();  // upper row, from ComboBox2
    // Fill the selectors with the "*.txd" of the current directory.
    void FillLowerSelector();
    void FillUpperSelector();
    // Another project is open: tabs captioned with its tags, the archive
    // selectors refilled from the current directory, which may have
    // changed, and the prefix from the new title.
    void FollowProject();
    // The tabs captioned with the active controllers' tags.
    void NameTabs();

    LoopChart* plot(Row l, int n) const { return plots_[l][static_cast<std::size_t>(n - 1)]; }
    const PerformanceRow& line(Row l) const { return lines_[l]; }
    IndicesPanel& indices() const { return *indices_; }
    bool running() const { return running_; }
    // Time spent putting the last run's or load's series into the charts.
    double msPlots() const { return msPlots_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:

    void MakeAboutForm();
    QWidget* MakeSimulationPanel();
    QWidget* MakeRow(Row l);
    QWidget* MakeTools();
    void Translate();

    void WindowComboBoxChange(int i);
    void TestSignalComboChange(int i);
    void EnableControls(bool sim);
    void Load(Row l, QComboBox* selector, QProgressBar* bar);
    void FillSelector(QComboBox* c);
    void ShowRow(Row l);
    void UpperTabChanged(int i);
    void LowerTabChanged(int i);
    void ShowIndices(Row l, int n);

    void StartZoom();
    void Zoom(Row l, int n);
    void ZoomUndone(Row l, int n);
    void UndoZoom();
    void ScaleTo0to100();
    void HideCoToggled(bool checked);
    void PtsPageChange(int i);
    void SelPageChangingEx(int page);
    void UpdateSelPage();
    int currentTab() const;  // 1..10

    AppContext* app_ = nullptr;
    QComboBox* window_ = nullptr;
    QComboBox* ta_ = nullptr;
    QComboBox* testSignal_ = nullptr;
    QLabel* amplitudeLabel_ = nullptr;
    QLineEdit* amplitude_ = nullptr;
    QCheckBox* archive_ = nullptr;
    QLineEdit* prefix_ = nullptr;
    QCheckBox* normalize_ = nullptr;
    QPushButton* simulate_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* message_ = nullptr;
    std::array<QTabWidget*, 2> tabs_{};
    std::array<QComboBox*, 2> selectors_{};
    std::array<QPushButton*, 2> load_{};
    std::array<QProgressBar*, 2> rowProgress_{};
    std::array<std::array<LoopChart*, kLoops>, 2> plots_{};
    IndicesPanel* indices_ = nullptr;
    QToolButton* zoom_ = nullptr;
    QCheckBox* replica_ = nullptr;
    QCheckBox* hideCO_ = nullptr;
    QComboBox* ptsPage_ = nullptr;
    QSpinBox* selPage_ = nullptr;

    std::array<PerformanceRow, 2> lines_{};
    bool running_ = false;
    bool adjusting_ = false;  // a programmatic tab or page change
    double msPlots_ = 0;
};

}  // namespace kivo::ui
