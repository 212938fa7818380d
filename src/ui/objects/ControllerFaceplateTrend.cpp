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
#include "objects/Fields.h"
#include "objects/Controller.h"
#include "ui/context/AppContext.h"
#include "ui/i18n/ControllerTexts.h"
#include "ui/objects/TrendChart.h"
#include "ui/objects/ControllerFaceplate.h"

namespace kivo::ui {
namespace {

// Seconds per sample for the three time bases, as the cursor reads them.
constexpr std::array kSecondsPerPixel{0.1, 0.3, 2.0};

QString Str(double x, int w, int d) { return QString::fromStdString(FormatFixed(x, w, d)); }

}  // namespace

void ControllerFaceplate::OnSample(const ControllerTrend&, double pv, double sp, double mv) {
    if (isVisible() && layout_ == Layout::Trend) plot_->UpdateCurves();
    if (!log_.isOpen()) return;
    if (engUnits_->isChecked()) {
        pv = ToEU(pv);
        sp = ToEU(sp);
    }
    if (log_.Write(pv, sp, mv, comma_->isChecked())) return;
    // The system refused a line (a full disk, a removed drive): the log is
    // over, and the box says why instead of "Data saved".
    EndLog();
    app_.interaction().Inform(this, QString::fromStdString(log_.Error(app_.english())));
}

void ControllerFaceplate::RedrawScale() {
    const double base = ToEU(c_.trend.base());
    const double top = ToEU(c_.trend.top());
    plot_->setEUScale(base, top);
    if (scaleShown_ && base == shownBase_ && top == shownTop_) return;
    scaleShown_ = true;
    shownBase_ = base;
    shownTop_ = top;
    eUpper_->setText(Str(top, 4, 1).trimmed());
    eInf_->setText(Str(base, 4, 1).trimmed());
}

void ControllerFaceplate::Rescale() {
    // The scale follows a re-apply of what the model holds; edits waiting
    // in the configuration area are not applied by it.
    c_.trend.AutoScale = autoScale_->isChecked();
    c_.ValidateParameters(false);
    AfterApply(false);
}

void ControllerFaceplate::eUpperTextEnter() {
    autoScale_->setChecked(false);
    c_.trend.AutoScale = false;
    double top = 0;
    double base = 0;
    const double start = c_.scaleStart();
    const double end = c_.scaleEnd();
    if (ReadNumberField(eUpper_->text().toStdString(), top) && ReadNumberField(eInf_->text().toStdString(), base) &&
        base < top && start != end)
        c_.trend.SetRange((base - start) * 100 / (end - start), (top - start) * 100 / (end - start));
    scaleShown_ = false;
    RedrawScale();
    plot_->update();
}

void ControllerFaceplate::TimeBaseBoxChange(int index) {
    c_.trend.TimeBaseBox = index;
    UpdateLogIndicator();
}

void ControllerFaceplate::UpdateLogIndicator() {
    static const std::array texts{QStringLiteral("Saving 0.1s sampling"), QStringLiteral("Saving 0.334s sampling"),
                                   QStringLiteral("Saving 2s sampling")};
    const int b = std::clamp(c_.trend.TimeBaseBox, 0, 2);
    indicator_->setText(texts[static_cast<std::size_t>(b)]);
    indicator_->setAccessibleName(indicator_->text());
}

void ControllerFaceplate::TogglePause() {
    c_.trend.paused = !c_.trend.paused;
    pause_->setChecked(c_.trend.paused);
    coordinates_->setVisible(c_.trend.paused);
}

void ControllerFaceplate::ResetCursor() {
    for (int k = 0; k < 6; ++k) cursor_[k]->setText(CoordinatesText(k + 1));
    cursorIndex_ = 1;
}

void ControllerFaceplate::Image1MouseDown(int x, int y) {
    if (!c_.trend.paused) return;
    // The scale fields say what the operator sees, even a range he typed
    // and has not applied.
    double top = 0;
    double base = 0;
    ReadNumberField(eUpper_->text().toStdString(), top);
    ReadNumberField(eInf_->text().toStdString(), base);
    const double v = base + (top - base) / 100 * ((TrendChart::kHeight - y) / 2.0);
    const double t = x * kSecondsPerPixel[static_cast<std::size_t>(std::clamp(c_.trend.TimeBaseBox, 0, 2))];
    QLabel* label = cursor_[static_cast<std::size_t>(cursorIndex_ - 1)];
    label->setText(QStringLiteral("Y1: ") + Str(v, 4, 1) + QStringLiteral("  T1: ") + Str(t, 4, 1));
    cursorIndex_ = cursorIndex_ >= 6 ? 1 : cursorIndex_ + 1;
}

void ControllerFaceplate::ArchiveToggled(bool checked) {
    if (!checked) {
        EndLog();
        const QString path = QString::fromStdString(log_.path().string());
        app_.interaction().Inform(this, QStringLiteral("Data saved: ") + QDir::toNativeSeparators(path));
        return;
    }
    QString& folder = logFolder();
    if (folder.isEmpty()) {
        const QString name = app_.interaction().LogFileName(
            this, LogFolderTitle(app_.english()), QString::fromStdString(TrendLog::FileName(c_.TagText, 1)));
        // A cancelled dialog leaves the log off; asking again until a
        // folder is chosen would leave no way out.
        if (name.isEmpty()) {
            archive_->setChecked(false);
            return;
        }
        folder = QFileInfo(name).absolutePath();
    }
    if (!log_.Open(std::filesystem::path(folder.toStdU16String()), c_.TagText, c_.trend.TimeBaseBox, "PV", "SP",
                   "MV")) {
        archive_->setChecked(false);
        app_.interaction().Inform(this, QString::fromStdString(log_.Error(app_.english())));
        return;
    }
    indicator_->show();
    blink_.start();
    for (QWidget* w : std::initializer_list<QWidget*>{eUpper_, eInf_, timeBase_, help_}) w->setEnabled(false);
    if (auto* tag = findChild<QLineEdit*>(QStringLiteral("TagText"))) tag->setEnabled(false);
}

// Ends a log, whether the operator unchecked it or a line failed, and gives
// back the controls it held.
void ControllerFaceplate::EndLog() {
    blink_.stop();
    indicator_->hide();
    log_.Close();
    archive_->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{eUpper_, eInf_, timeBase_, help_}) w->setEnabled(true);
    if (auto* tag = findChild<QLineEdit*>(QStringLiteral("TagText"))) tag->setEnabled(true);
}

void ControllerFaceplate::Timer1Timer() { indicator_->setVisible(!indicator_->isVisible()); }

}  // namespace kivo::ui
