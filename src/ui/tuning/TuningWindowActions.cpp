// The tuning window's actions: reading the data, identification, the
// rules' settings with their predictions, and the apply.
#include <algorithm>
#include <array>
#include <cmath>

#include <QApplication>
#include <QColor>
#include <QCloseEvent>
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

#include "objects/Fields.h"
#include "objects/Controller.h"
#include "project/ProjectFile.h"
#include "project/TextFile.h"
#include "tuning/BumpTest.h"
#include "tuning/RelayTest.h"
#include "ui/context/AppContext.h"
#include "ui/context/LongOperation.h"
#include "ui/fastsim/LoopChart.h"
#include "ui/fastsim/IndicesPanel.h"
#include "ui/i18n/TuningTexts.h"
#include "ui/tuning/StepChart.h"
#include "ui/tuning/TuningWindow.h"

namespace kivo::ui {
namespace {

// While the window identifies or predicts: the wait cursor, and the cycle
// timer stopped (and restarted unless the user had paused it), so that no
// tick of the plant runs between the steps of the work while the progress
// bar is redrawn.
class BusyGuard {
public:
    BusyGuard(QTimer& t, bool& busy) : suspended_(t), busy_(busy) {
        busy_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyGuard() {
        QApplication::restoreOverrideCursor();
        busy_ = false;
    }

private:
    SuspendedTimer suspended_;
    bool& busy_;
};

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())).trimmed(); }
QString Field(double x) { return Q(tuning::FieldText(x)); }

// A parameter with the half-width of its 95 % interval, four and two
// significant digits.
QString WithInterval(double x, double halfWidth) {
    const auto number = [](double v, int digits) { return QString::number(v, 'g', digits); };
    return number(x, 4) + QStringLiteral(" ± ") + (std::isfinite(halfWidth) ? number(halfWidth, 2) : QStringLiteral("∞"));
}

// The width that shows every column of t whole: no setting or parameter
// hides behind a scroll bar or an ellipsis.
// Every column is sized to its contents (Table()).
void FitColumns(QTableWidget* t) { t->setMinimumWidth(t->horizontalHeader()->length() + 2 * t->frameWidth()); }

// A wrapped label as tall as its text at the narrowest the model area gets
// (its table's width): the window's minimum size does not follow wrapped
// text by itself, and the table above would overlap it.
void FitHeight(QLabel* l, int width) { l->setMinimumHeight(l->text().isEmpty() ? 0 : l->heightForWidth(width)); }

// A margin with its worst case in brackets: "3.1 (2.4)"; infinite as ∞,
// the worst case "—" when the intervals are unbounded.
QString MarginText(const tuning::Margins& nominal, const std::optional<tuning::Margins>& worst,
                   double tuning::Margins::*field, int decimals, bool english) {
    const auto one = [&](const tuning::Margins& m) {
        if (!m.stable) return UnstableText(english);
        const double x = m.*field;
        return std::isfinite(x) ? QString::number(x, 'f', decimals) : QStringLiteral("∞");
    };
    return one(nominal) + QStringLiteral(" (") + (worst ? one(*worst) : QStringLiteral("—")) + QLatin1Char(')');
}

const char* RuleDisplayName(tuning::Rule r) {
    switch (r) {
        case tuning::Rule::Simc: return "SIMC";
        case tuning::Rule::Imc: return "IMC";
        case tuning::Rule::Amigo: return "AMIGO";
        case tuning::Rule::ZieglerNichols: return "Ziegler-Nichols";
        case tuning::Rule::ZieglerNicholsUltimate: return "Ziegler-Nichols Ku";
    }
    return "";
}

// The first run of a simulated test whose duration is left to the window.
constexpr double kAutoDuration = 900;  // s

// The samples of the trend are taken every cycle, every third or every
// twentieth, by the faceplate's time base.
constexpr std::array kCyclesPerSample{1, 3, 20};

// A field that is not a number reaches the library as NaN, which refuses
// it with the message of an out-of-range value.
double ReadField(QLineEdit* e) {
    double v = 0;
    return ReadNumberField(e->text().trimmed().toStdString(), v) ? v : std::nan("");
}

// Runs test on a copy of the running plant made from its file text: the
// same objects and settings, and the states the file keeps (to two
// decimals, which for a plant at rest is where it is; the tests wait for
// rest anyway). The test ticks the copy only: the running loop, its memory
// and its time are left as they are.
template <class Test>
auto OnCopy(const std::string& bytes, const std::string& title, bool english, Test test) {
    Project projectCopy(english);
    const LoadResult load = ReadProjectBytes(projectCopy, bytes, title);
    if (!load.ok) throw tuning::TuningError(load.error, load.error);
    return test(projectCopy.sim);
}

}  // namespace

tuning::ModelKind TuningWindow::ModelUsed() const {
    const int i = model_->currentIndex();
    if (i < 0 || i > 2) return id_ ? id_->best : tuning::ModelKind::Fopdt;
    return static_cast<tuning::ModelKind>(i);
}

std::size_t TuningWindow::IndexAtTime(double t) const {
    // The sample nearest to t.
    const auto p = std::lower_bound(series_.t.begin(), series_.t.end(), t);
    std::size_t i = static_cast<std::size_t>(p - series_.t.begin());
    if (i >= series_.size()) return series_.size() - 1;
    if (i > 0 && t - series_.t[i - 1] < series_.t[i] - t) --i;
    return i;
}

void TuningWindow::ChooseFile() {
    const QString name =
        QFileDialog::getOpenFileName(this, SeriesFileTitle(english_), file_->text(), SeriesFileFilter(english_));
    if (!name.isEmpty()) file_->setText(name);
}

tuning::BumpTestResult TuningWindow::SimulatedStepTest() {
    const double step = ReadField(simStep_);
    const bool automatic = simDuration_->text().trimmed().isEmpty();
    const double duration = automatic ? kAutoDuration : ReadField(simDuration_);
    BusyGuard busy(app_.timer(), busy_);
    const std::string bytes = JoinLines(ProjectLines(app_.project()));
    const auto check = [&](double seconds) {
        return OnCopy(bytes, app_.project().title, english_,
                      [&](Simulation& sim) { return tuning::BumpTest(sim, c_.number(), step, seconds); });
    };
    tuning::BumpTestResult r = check(duration);
    // Left empty, the duration is sized to the plant: a first test as long
    // as the longest record the faceplate's trend holds (450 samples at its
    // slowest time base), then, where the PV settled well within it, a test
    // of twice its settling time on a fresh copy, so a fast loop's response
    // fills the chart instead of a corner of it.
    if (automatic)
        if (const auto d = tuning::SettledDuration(r); d && *d < duration) r = check(*d);
    return r;
}

tuning::RelayOptions TuningWindow::RelayOptionsFromFields() const {
    tuning::RelayOptions o;
    if (!relayAmplitude_->text().trimmed().isEmpty()) o.amplitude = ReadField(relayAmplitude_);
    if (!relayHysteresis_->text().trimmed().isEmpty()) o.hysteresis = ReadField(relayHysteresis_);
    return o;
}

tuning::RelayTestResult TuningWindow::SimulatedRelayTest() {
    const tuning::RelayOptions o = RelayOptionsFromFields();
    BusyGuard busy(app_.timer(), busy_);
    return OnCopy(JoinLines(ProjectLines(app_.project())), app_.project().title, english_,
                  [&](Simulation& sim) { return tuning::RelayTest(sim, c_.number(), o); });
}

void TuningWindow::ShowRelay(const tuning::RelayTestResult& r, tuning::RelayIdentification found) {
    ClearResults();
    id_ = std::move(found.id);
    offered_ = tuning::kRelayRules;
    ultimate_->setText(RelayText(r.period, r.pvAmplitude, found.ultimate.gain, found.ultimate.period, english_));
    ultimate_->setAccessibleDescription(ultimate_->text());
    model_->setCurrentIndex(3);
    ShowModels();
    FitHeight(ultimate_, std::max(models_->width(), models_->minimumWidth()));
    Propose();
}

void TuningWindow::ClearResults() {
    id_.reset();
    offered_ = tuning::kRules;
    ultimate_->clear();
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < models_->columnCount(); ++k) models_->setItem(r, k, nullptr);
    warnings_->clear();
    ClearProposals();
    progress_->setValue(0);
}

void TuningWindow::ClearProposals() {
    proposals_.clear();
    rules_->setRowCount(0);
    direction_->clear();
    indices_->Show(IndicesPanel::Superior, nullptr);
    indices_->Show(IndicesPanel::Inferior, nullptr);
    spResponse_->Clear();
    loadResponse_->Clear();
    apply_->setEnabled(false);
}

void TuningWindow::Error(const QString& text) {
    ClearResults();
    // The data stay in sight (they show what is wrong), the model does not.
    if (series_.size() > 0) plot_->Show(series_);
    message_->setText(text);
}

void TuningWindow::ReadBTNClick() {
    if (busy_ || liveRelay_) return;
    if (source_->currentIndex() == LiveRelaySource) return StartLiveRelay();
    ClearResults();
    message_->clear();
    series_ = {};
    plot_->Clear();
    identify_->setEnabled(false);
    tuning::Step step;
    // The step was made on a PV still moving (an integrator drifts for
    // ever): the fit allows for a drift, but the student should know.
    QString warning;
    std::optional<tuning::RelayTestResult> relay;
    std::optional<tuning::RelayIdentification> relayModel;
    try {
        if (source_->currentIndex() == TrendSource) {
            const int base = std::clamp(c_.trend.TimeBaseBox, 0, 2);
            const double oneStep = app_.sim().state.timerPeriod / 1000.0 * kCyclesPerSample[std::size_t(base)];
            series_ = tuning::SeriesFromTrend(c_.trend, oneStep);
        } else if (source_->currentIndex() == SimulatedSource) {
            tuning::BumpTestResult r = SimulatedStepTest();
            if (!r.rested) warning = NotAtRestWarning(tuning::kMaxRestWait, english_);
            series_ = std::move(r.series);
        } else if (source_->currentIndex() == RelaySource) {
            relay = SimulatedRelayTest();
            if (!relay->rested) warning = RelayNotAtRestWarning(tuning::kMaxRestWait, english_);
            series_ = relay->series;
        } else {
            series_ = tuning::ReadSeries(file_->text().toStdString(), mvAddress_->value(), pvAddress_->value());
        }
        if (series_.size() > 0) plot_->Show(series_);
        if (relay) {
            BusyGuard busy(app_.timer(), busy_);
            relayModel = tuning::IdentifyRelay(*relay);
            step = relayModel->id.step;
        } else {
            step = tuning::FindStep(series_);
        }
    } catch (const tuning::TuningError& e) {
        QString text = Q(e.Message(english_));
        // The trend keeps 450 samples whatever its time base: a slower base
        // holds a longer test, which is what the student can change.
        if (source_->currentIndex() == TrendSource && e.kind() == tuning::TuningError::Kind::TooFewSamples)
            text += QLatin1Char(' ') + TimeBaseHint(english_);
        if (!warning.isEmpty()) text += QLatin1Char(' ') + warning;
        Error(text);
        return;
    } catch (const std::exception& e) {
        // Anything else the library refuses is still a message, never an
        // abort that would lose the open project.
        Error(QString::fromUtf8(e.what()));
        return;
    }
    ShowStretch(step);
    // A relay's record is no step test to identify again by hand.
    identify_->setEnabled(!relay);
    if (relay)
        ShowRelay(*relay, std::move(*relayModel));
    else
        IdentifyStep(step);
    if (!warning.isEmpty()) message_->setText(message_->text().isEmpty() ? warning : message_->text() + ' ' + warning);
}

void TuningWindow::ShowStretch(const tuning::Step& step) {
    const double t0 = series_.t.front(), t1 = series_.t.back();
    const double oneStep = series_.size() > 1 ? (t1 - t0) / double(series_.size() - 1) : 1.0;
    for (QDoubleSpinBox* s : {start_, step_, end_}) {
        s->setRange(t0, t1);
        s->setSingleStep(oneStep);
        s->setDecimals(oneStep < 1 ? 2 : 1);
    }
    start_->setValue(series_.t[step.first]);
    step_->setValue(series_.t[step.index]);
    end_->setValue(series_.t[step.last - 1]);
}

void TuningWindow::IdentifyBTNClick() {
    if (busy_ || series_.size() == 0) return;
    message_->clear();
    tuning::Step d;
    d.first = IndexAtTime(start_->value());
    d.index = IndexAtTime(step_->value());
    d.last = IndexAtTime(end_->value()) + 1;
    d.t0 = series_.t[d.index];
    d.mvBefore = series_.mv[d.index > 0 ? d.index - 1 : 0];
    d.mvAfter = series_.mv[d.index];
    IdentifyStep(d);
}

void TuningWindow::IdentifyStep(const tuning::Step& step) {
    ClearResults();
    {
        BusyGuard busy(app_.timer(), busy_);
        try {
            id_ = tuning::Identify(series_, step);
        } catch (const tuning::TuningError& e) {
            id_.reset();
            Error(Q(e.Message(english_)));
            return;
        } catch (const std::exception& e) {
            id_.reset();
            Error(QString::fromUtf8(e.what()));
            return;
        }
    }
    if (!id_->fits[static_cast<std::size_t>(ModelUsed())]) model_->setCurrentIndex(3);
    ShowModels();
    Propose();
}

void TuningWindow::ShowModels() {
    const QStringList names = ModelItems(english_);
    for (int r = 0; r < 3; ++r) {
        const auto& f = id_->fits[static_cast<std::size_t>(r)];
        QStringList texts{QStringLiteral("%1").arg(tuning::KindName(static_cast<tuning::ModelKind>(r))).toUpper()};
        if (f && f->model.kind == id_->best) texts[0] += BestMark(english_);
        if (f) {
            const auto& m = f->model;
            const auto& w = f->halfWidth;
            // An integrator's gain is a rate: % of PV per second per % of MV.
            texts << WithInterval(m.K, w.K) + (r == 2 ? QStringLiteral(" /s") : QString())
                  << (r == 2 ? QString() : WithInterval(m.tau1, w.tau1))
                  << (r == 1 ? WithInterval(m.tau2, w.tau2) : QString()) << WithInterval(m.theta, w.theta)
                  << QString::number(f->rms, 'f', 3);
        } else {
            texts << QStringLiteral("—") << QString() << QString() << QString() << QString();
        }
        for (int k = 0; k < texts.size(); ++k) {
            auto* item = new QTableWidgetItem(texts[k]);
            if (k > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            models_->setItem(r, k, item);
        }
    }
    // Model choices that could not be fitted are not offered.
    if (auto* items = qobject_cast<QStandardItemModel*>(model_->model()))
        for (int r = 0; r < 3; ++r) items->item(r)->setEnabled(id_->fits[static_cast<std::size_t>(r)].has_value());
    for (int r = 0; r < 3; ++r) models_->item(r, 0)->setToolTip(names[r]);
    FitColumns(models_);
    if (auto* criterion = findChild<QLabel*>(QStringLiteral("LabelCriterio")))
        FitHeight(criterion, std::max(models_->width(), models_->minimumWidth()));
}

void TuningWindow::ShowWarnings() {
    QStringList lines;
    const auto& f = id_->fits[static_cast<std::size_t>(ModelUsed())];
    if (f)
        for (const tuning::FitWarning& w : f->warnings) lines << Q(w.Message(english_));
    warnings_->setText(lines.join(QLatin1Char('\n')));
    warnings_->setAccessibleDescription(warnings_->text());
    FitHeight(warnings_, std::max(models_->width(), models_->minimumWidth()));
}

void TuningWindow::Propose() {
    if (busy_ || !id_) return;
    // Nothing of the settings shown before stays beside a new refusal.
    ClearProposals();
    ShowWarnings();
    const tuning::ModelKind used = ModelUsed();
    const tuning::LoopConfig cfg = tuning::ConfigOf(c_);
    if (!id_->fits[static_cast<std::size_t>(used)]) {
        // The library says why; the identification stays for another model.
        plot_->Show(series_);
        try {
            tuning::ProposeAndPredict(*id_, used, cfg, {});
        } catch (const tuning::TuningError& e) {
            message_->setText(Q(e.Message(english_)));
        } catch (const std::exception& e) {
            message_->setText(QString::fromUtf8(e.what()));
        }
        return;
    }
    plot_->MarkStep(series_, id_->step, id_->fit(used).fitted);

    // Empty fields: the rules' own defaults.
    const auto read = [&](QLineEdit* e, double& v) {
        v = 0;
        if (e->text().trimmed().isEmpty()) return true;
        return ReadNumberField(e->text().toStdString(), v) && v > 0;
    };
    double tc = 0, lambda = 0;
    for (auto [field, value, label] : {std::tuple{tc_, &tc, "LabelTc"}, std::tuple{lambda_, &lambda, "LabelLambda"}}) {
        if (read(field, *value)) continue;
        const auto* l = findChild<QLabel*>(QString::fromLatin1(label));
        message_->setText(InvalidTime(l ? l->text() : QString(), english_));
        return;
    }
    message_->clear();

    {
        BusyGuard busy(app_.timer(), busy_);
        progress_->setValue(0);
        int k = 0;
        try {
            for (tuning::Rule r : offered_) {
                auto v = tuning::ProposeAndPredict(*id_, used, cfg, {r}, r == tuning::Rule::Imc ? lambda : tc);
                proposals_.insert(proposals_.end(), v.begin(), v.end());
                progress_->setValue(100 * ++k / int(offered_.size()));
                // Only paint and window events: a click cannot start another
                // computation meanwhile.
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            }
        } catch (const tuning::TuningError& e) {
            proposals_.clear();
            message_->setText(Q(e.Message(english_)));
            return;
        } catch (const std::exception& e) {
            proposals_.clear();
            message_->setText(QString::fromUtf8(e.what()));
            return;
        }
    }

    rules_->setRowCount(int(proposals_.size()));
    int defaultValue = 0;
    // Gains the controller cannot use, by reason, with the settings it
    // concerns ("SIMC P/PI, IMC PI"); the rows come rule by rule.
    struct Warning {
        QString reason, affected, lastRule;
    };
    std::vector<Warning> warnings;
    for (std::size_t i = 0; i < proposals_.size(); ++i) {
        const tuning::Setting& s = proposals_[i].setting;
        const tuning::Prediction& p = proposals_[i].prediction;
        const auto index = [&](const std::optional<PerformanceIndices>& ind, int which) {
            if (!ind) return OutOfRangeText(english_);
            return Q(IndexTexts(*ind)[std::size_t(which)]);
        };
        const QStringList texts{QString::fromLatin1(RuleDisplayName(s.rule)),
                                 QString::fromLatin1(tuning::ActionName(s.action)),
                                 Q(s.KpText),
                                 Q(s.KiText),
                                 Q(s.KdText),
                                 s.tc > 0 ? Field(s.tc) : QString(),
                                 index(p.spIndices, 2),
                                 index(p.spIndices, 3),
                                 index(p.loadIndices, 2),
                                 MarginText(proposals_[i].margins, proposals_[i].worst, &tuning::Margins::gain, 2, english_),
                                 MarginText(proposals_[i].margins, proposals_[i].worst, &tuning::Margins::phase, 0, english_),
                                 MarginText(proposals_[i].margins, proposals_[i].worst, &tuning::Margins::ms, 2, english_)};
        const bool unstable = !proposals_[i].margins.stable || (proposals_[i].worst && !proposals_[i].worst->stable);
        const auto warning = tuning::CheckGain(s);
        if (warning) {
            const QString reason = Q(warning->Message(english_));
            auto it = std::find_if(warnings.begin(), warnings.end(), [&](const Warning& a) { return a.reason == reason; });
            if (it == warnings.end()) it = warnings.insert(warnings.end(), {reason, {}, {}});
            if (it->lastRule == texts[0]) {
                it->affected += QLatin1Char('/') + texts[1];
            } else {
                if (!it->affected.isEmpty()) it->affected += QStringLiteral(", ");
                it->affected += texts[0] + QLatin1Char(' ') + texts[1];
                it->lastRule = texts[0];
            }
        }
        for (int k = 0; k < texts.size(); ++k) {
            auto* item = new QTableWidgetItem(texts[k]);
            if (k >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (k == 2 && warning) {
                item->setForeground(QColor(0xC0, 0x00, 0x00));
                item->setToolTip(Q(warning->Message(english_)));
            }
            if (k >= 9 && unstable) item->setForeground(QColor(0xC0, 0x00, 0x00));
            rules_->setItem(int(i), k, item);
        }
        // The row offered first: SIMC PI, the rule made for a robust loop.
        if (s.rule == tuning::Rule::Simc && s.action == tuning::Action::PI) defaultValue = int(i);
    }
    // A gain the controller cannot use stays listed, as the rule gives it,
    // but never without saying so.
    QStringList lines;
    for (const Warning& a : warnings) lines << a.affected + QStringLiteral(": ") + a.reason;
    message_->setText(lines.join(QLatin1Char('\n')));
    FitColumns(rules_);
    if (!proposals_.empty()) {
        direction_->setText(DirectionText(proposals_.front().setting.actionItem, english_));
        direction_->setAccessibleName(direction_->text());
        rules_->selectRow(defaultValue);
    }
}

void TuningWindow::ShowProposal(int line) {
    if (line < 0 || line >= int(proposals_.size())) {
        apply_->setEnabled(false);
        return;
    }
    const tuning::Prediction& p = proposals_[std::size_t(line)].prediction;
    indices_->setTitle(PredictedIndicesTitle(p.window, english_));
    indices_->setAccessibleName(indices_->title());
    indices_->Show(IndicesPanel::Superior, p.spIndices ? &*p.spIndices : nullptr);
    indices_->Show(IndicesPanel::Inferior, p.loadIndices ? &*p.loadIndices : nullptr);
    // Every point of a prediction on one page of its chart.
    for (auto [plot, series] : {std::pair{spResponse_, &p.setpoint}, std::pair{loadResponse_, &p.load}}) {
        plot->SetPointsPerPage(int(series->size()));
        plot->Show(*series);
    }
    apply_->setEnabled(true);
}

void TuningWindow::ApplyBTNClick() {
    const int line = selectedRow();
    if (busy_ || line < 0 || line >= int(proposals_.size())) return;
    const tuning::Setting& s = proposals_[std::size_t(line)].setting;
    emit apply(Q(s.KpText), Q(s.KiText), Q(s.KdText), s.actionItem);
}

void TuningWindow::StartLiveRelay() {
    ClearResults();
    message_->clear();
    series_ = {};
    plot_->Clear();
    identify_->setEnabled(false);
    try {
        liveRelay_ = std::make_unique<tuning::RelayDriver>(app_.sim(), c_.number(), RelayOptionsFromFields());
    } catch (const tuning::TuningError& e) {
        Error(Q(e.Message(english_)));
        return;
    }
    // The test steps with the plant, after each of its real-time ticks;
    // the faceplate's trend shows the oscillation meanwhile.
    connect(&app_, &AppContext::ticked, this, &TuningWindow::LiveRelayTick);
    connect(&app_, &AppContext::restoring, this, &TuningWindow::CancelLiveRelay);
    read_->hide();
    cancelRelay_->show();
    // What the running test took stays as shown until it ends.
    for (QWidget* w : std::initializer_list<QWidget*>{source_, relayAmplitude_, relayHysteresis_}) w->setEnabled(false);
    message_->setText(LiveRelayStatus(0, 0, tuning::kRelayCycles, 0, english_));
}

void TuningWindow::LiveRelayTick() {
    if (!liveRelay_) return;
    liveRelay_->AfterTick();
    if (!liveRelay_->running()) return EndLiveRelay();
    // At the display refresh (every sixth tick), as the other windows.
    if (app_.sim().state.divisorDisplay != 0) return;
    const auto phase = liveRelay_->phase();
    const int cycles = liveRelay_->cyclesDone();
    message_->setText(LiveRelayStatus(static_cast<int>(phase), cycles, tuning::kRelayCycles, liveRelay_->elapsed(),
                                      english_));
    progress_->setValue(phase == tuning::RelayDriver::Phase::Relay ? 100 * cycles / tuning::kRelayCycles : 0);
    if (liveRelay_->record().size() > 1) plot_->Show(liveRelay_->record());
}

void TuningWindow::CancelLiveRelay() {
    if (!liveRelay_) return;
    liveRelay_->Cancel();
    EndLiveRelay();
}

void TuningWindow::EndLiveRelay() {
    disconnect(&app_, &AppContext::ticked, this, &TuningWindow::LiveRelayTick);
    disconnect(&app_, &AppContext::restoring, this, &TuningWindow::CancelLiveRelay);
    const std::unique_ptr<tuning::RelayDriver> driver = std::move(liveRelay_);
    cancelRelay_->hide();
    read_->show();
    for (QWidget* w : std::initializer_list<QWidget*>{source_, relayAmplitude_, relayHysteresis_}) w->setEnabled(true);
    message_->clear();
    try {
        const tuning::RelayTestResult r = driver->Result();
        series_ = r.series;
        plot_->Show(series_);
        std::optional<tuning::RelayIdentification> found;
        {
            BusyGuard busy(app_.timer(), busy_);
            found = tuning::IdentifyRelay(r);
        }
        ShowStretch(found->id.step);
        ShowRelay(r, std::move(*found));
        if (!r.rested) message_->setText(RelayNotAtRestWarning(tuning::kMaxRestWait, english_));
    } catch (const tuning::TuningError& e) {
        if (series_.size() == 0) series_ = driver->record();
        Error(Q(e.Message(english_)));
    }
}

void TuningWindow::closeEvent(QCloseEvent* e) {
    CancelLiveRelay();
    QWidget::closeEvent(e);
}

}  // namespace kivo::ui
