#pragma once
// The tuning window of a controller: a step test (the faceplate's trend, a
// file, or one run at once on a copy of the running plant) is read, its
// step found and adjustable, or a relay test run in automatic on a copy of
// the plant or, tick by tick, on the running plant (cancellable); the
// process identified
// (three models, their parameters with 95 % intervals, their fit, the best
// by a stated rule, and the used model's warnings), and the tuning rules'
// settings listed with the closed-loop indices predicted for a setpoint and
// a load step and their margins. "Aplicar" hands the chosen setting to the faceplate, which writes it
// into its configuration area: the running loop changes only when the
// student presses "Atualizar" there. The window keeps no copy of the
// controller's settings; everything it shows is computed from the data.
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QWidget>

#include "tuning/BumpTest.h"
#include "tuning/Identification.h"
#include "tuning/Prediction.h"
#include "tuning/RelayDriver.h"
#include "tuning/RelayTest.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace kivo {
class Controller;
}

namespace kivo::ui {

class AppContext;
class StepChart;
class LoopChart;
class IndicesPanel;

class TuningWindow : public QWidget {
    Q_OBJECT
public:
    enum Source { TrendSource = 0, FileSource = 1, SimulatedSource = 2, RelaySource = 3, LiveRelaySource = 4 };

    // A window of its own over the faceplate (parent).
    TuningWindow(AppContext& app, kivo::Controller& c, QWidget* parent);

    // "Ler dados": reads the source, finds the step and identifies.
    void ReadBTNClick();
    // "Identificar": identifies over the stretch marked in the three fields.
    void IdentifyBTNClick();
    // "Cancelar teste": stops the relay test on the running plant.
    void CancelLiveRelay();
    // The relay test on the running plant, while it runs.
    const tuning::RelayDriver* liveRelay() const { return liveRelay_.get(); }
    // "Aplicar": emits apply with the selected row's setting.
    void ApplyBTNClick();

    const std::optional<tuning::Identification>& identification() const { return id_; }
    const std::vector<tuning::Proposal>& proposals() const { return proposals_; }
    // The row of the rule table selected, -1 for none.
    int selectedRow() const;
    // What the message line shows (empty when all went well).
    QString message() const;

signals:
    // The setting to write into the configuration area: Kc, Ti and Td as
    // typed, and the process direction (0 reverse, 1 direct).
    void apply(const QString& kp, const QString& ti, const QString& td, int actionItem);

protected:
    void showEvent(QShowEvent* e) override;
    // A relay test on the running plant does not outlive the window's view.
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* MakeDataArea();
    QWidget* MakeModelArea();
    QWidget* MakeRulesArea();
    void UpdateSource();

    // Actions (TuningWindowActions.cpp).
    void ChooseFile();
    // The step test run on a copy of the running plant (TuningWindowActions.cpp).
    tuning::BumpTestResult SimulatedStepTest();
    // The relay's amplitude and hysteresis as typed; empty: the test's.
    tuning::RelayOptions RelayOptionsFromFields() const;
    // The relay test run on a copy of the running plant, and its model.
    tuning::RelayTestResult SimulatedRelayTest();
    void ShowRelay(const tuning::RelayTestResult& r, tuning::RelayIdentification found);
    // The relay test on the running plant (TuningWindowActions.cpp): started
    // from "Ler dados", stepped after each real-time tick.
    void StartLiveRelay();
    void LiveRelayTick();
    void EndLiveRelay();
    // The stretch found, in seconds, for the student to adjust.
    void ShowStretch(const tuning::Step& step);
    void IdentifyStep(const tuning::Step& step);
    void ShowModels();
    // The used model's warnings beside the model table.
    void ShowWarnings();
    void Propose();
    void ShowProposal(int line);
    void Error(const QString& text);
    void ClearResults();
    // The settings, their predictions and the apply, not the model.
    void ClearProposals();
    std::size_t IndexAtTime(double t) const;
    tuning::ModelKind ModelUsed() const;

    AppContext& app_;
    kivo::Controller& c_;
    bool english_;
    bool busy_ = false;

    tuning::StepSeries series_;
    std::optional<tuning::Identification> id_;
    // The rules offered for id_: a relay test's lead with its own.
    std::span<const tuning::Rule> offered_ = tuning::kRules;
    std::vector<tuning::Proposal> proposals_;

    QComboBox* source_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* choose_ = nullptr;
    QSpinBox* mvAddress_ = nullptr;
    QSpinBox* pvAddress_ = nullptr;
    QLineEdit* simStep_ = nullptr;
    QLineEdit* simDuration_ = nullptr;
    QLineEdit* relayAmplitude_ = nullptr;
    QLineEdit* relayHysteresis_ = nullptr;
    QDoubleSpinBox* start_ = nullptr;
    QDoubleSpinBox* step_ = nullptr;
    QDoubleSpinBox* end_ = nullptr;
    QPushButton* identify_ = nullptr;
    StepChart* plot_ = nullptr;
    QComboBox* model_ = nullptr;
    QTableWidget* models_ = nullptr;
    QLabel* warnings_ = nullptr;
    QLabel* ultimate_ = nullptr;
    QLabel* direction_ = nullptr;
    QLineEdit* tc_ = nullptr;
    QLineEdit* lambda_ = nullptr;
    QTableWidget* rules_ = nullptr;
    IndicesPanel* indices_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    LoopChart* spResponse_ = nullptr;
    LoopChart* loadResponse_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* message_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* cancelRelay_ = nullptr;
    std::unique_ptr<tuning::RelayDriver> liveRelay_;
};

}  // namespace kivo::ui
