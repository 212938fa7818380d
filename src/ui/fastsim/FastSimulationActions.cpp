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

#include "fastsim/TxdArchive.h"
#include "fastsim/History.h"
#include "fastsim/FastSimulation.h"
#include "ui/context/AppContext.h"
#include "ui/context/LongOperation.h"
#include "ui/fastsim/LoopChart.h"
#include "ui/fastsim/IndicesPanel.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/i18n/FastSimulationTexts.h"

namespace kivo::ui {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

}  // namespace

void FastSimulationWindow::BTNSimulateClick() {
    if (running_ || !app_) return;
    FastSimulationOptions op;
    op.signal = TestSignalOfItem(testSignal_->currentIndex());
    if (op.signal != TestSignal::None && !ReadAmplitude(amplitude_->text().toStdString(), op.amplitude)) {
        app_->Inform(InvalidAmplitude(app_->english()));
        return;
    }
    op.window = kFastSimulationWindows[static_cast<std::size_t>(window_->currentIndex())];
    op.T = kFastSimulationSampleTimes[static_cast<std::size_t>(ta_->currentIndex())];
    op.normalise = normalize_->isChecked();
    op.writeArchive = archive_->isChecked();
    op.prefix = prefix_->text().toStdString();
    op.folder = std::filesystem::path(app_->WorkFolder().toStdU16String());

    running_ = true;
    EnableControls(false);
    message_->clear();
    progress_->setValue(0);
    FastSimulationResult r;
    {
        SuspendedTimer suspended(app_->timer());
        QThread::msleep(110);
        ProgressBarDriver obs(*progress_);
        r = RunFastSimulation(app_->sim(), op, &obs);
        progress_->setValue(100);
    }
    EnableControls(true);
    running_ = false;

    if (r.archiveError) app_->Inform(QString::fromStdString(r.archiveError->Message(app_->english())));
    if (!r.ran) return;
    if (!r.file.empty()) {
        message_->setText(Text(DataSavedText(app_->english())));
        const QString name = QFileInfo(QString::fromStdString(r.file.string())).completeBaseName();
        QComboBox* c = selectors_[Superior];
        if (c->findText(name) < 0) c->addItem(name);
        c->setCurrentIndex(c->findText(name));
    }
    lines_[Superior] = std::move(r.line);
    ShowRow(Superior);
    adjusting_ = true;
    tabs_[Superior]->setCurrentIndex(0);
    adjusting_ = false;
    ShowIndices(Superior, 1);
    UpdateSelPage();
}

void FastSimulationWindow::LoadLowerRow() { Load(Inferior, selectors_[Inferior], rowProgress_[Inferior]); }
void FastSimulationWindow::LoadUpperRow() { Load(Superior, selectors_[Superior], rowProgress_[Superior]); }

void FastSimulationWindow::Load(Row l, QComboBox* selector, QProgressBar* bar) {
    if (running_ || !app_ || selector->currentIndex() < 0 || selector->currentText().isEmpty()) return;
    const QString file = QDir(app_->WorkFolder()).filePath(selector->currentText() + QStringLiteral(".txd"));
    running_ = true;
    bar->setValue(0);
    try {
        SuspendedTimer suspended(app_->timer());
        ProgressBarDriver obs(*bar);
        lines_[l] = LoadHistory(app_->sim(), file.toStdString(), normalize_->isChecked(), &obs);
        bar->setValue(100);
    } catch (const TxdError& e) {
        running_ = false;
        app_->Inform(QString::fromStdString(e.Message(app_->english())));
        return;
    }
    running_ = false;
    ShowRow(l);
    adjusting_ = true;
    tabs_[l]->setCurrentIndex(0);
    adjusting_ = false;
    ShowIndices(l, 1);
    UpdateSelPage();
}

void FastSimulationWindow::FillLowerSelector() { FillSelector(selectors_[Inferior]); }
void FastSimulationWindow::FillUpperSelector() { FillSelector(selectors_[Superior]); }

void FastSimulationWindow::FillSelector(QComboBox* c) {
    const QString current = c->currentIndex() >= 0 ? c->currentText() : QString();
    QStringList names;
    for (const std::string& n : ListTxdArchives(std::filesystem::path(app_->WorkFolder().toStdU16String())))
        names << QString::fromStdString(n);
    QStringList listed;
    for (int i = 0; i < c->count(); ++i) listed << c->itemText(i);
    if (names == listed) return;  // unchanged: the open list is left alone
    c->clear();
    c->addItems(names);
    c->setCurrentIndex(c->findText(current));  // -1, nothing selected, when it is gone
}

void FastSimulationWindow::FollowProject() {
    if (!app_ || running_) return;
    NameTabs();
    // The rows, their charts and indices stay: runs and archives are compared
    // across projects (the indices live as long as the program).
    for (QComboBox* c : selectors_) {
        // The archives named belong to the directory of the project before.
        c->setCurrentIndex(-1);
        FillSelector(c);
    }
    message_->clear();
    prefix_->setText(ArchivePrefix(app_->project().title));
}

void FastSimulationWindow::ShowRow(Row l) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int n = 1; n <= kLoops; ++n) {
        const LoopPerformance& m = lines_[l].loop(n);
        LoopChart* g = plot(l, n);
        if (m.active)
            g->Show(m.series);
        else
            g->Clear();
    }
    msPlots_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void FastSimulationWindow::ShowIndices(Row l, int n) {
    const LoopPerformance& m = lines_[l].loop(n);
    indices_->Show(l == Superior ? IndicesPanel::Superior : IndicesPanel::Inferior,
                     m.indices ? &*m.indices : nullptr);
}

void FastSimulationWindow::UpperTabChanged(int i) {
    if (adjusting_) return;
    if (lines_[Superior].hasIndices) ShowIndices(Superior, i + 1);
    adjusting_ = true;
    tabs_[Inferior]->setCurrentIndex(i);
    adjusting_ = false;
    if (lines_[Inferior].hasIndices) ShowIndices(Inferior, i + 1);
    UpdateSelPage();
}

void FastSimulationWindow::LowerTabChanged(int i) {
    if (adjusting_) return;
    if (lines_[Inferior].hasIndices) ShowIndices(Inferior, i + 1);
}

int FastSimulationWindow::currentTab() const { return tabs_[Superior]->currentIndex() + 1; }

void FastSimulationWindow::StartZoom() {
    zoom_->setEnabled(false);
    const int n = currentTab();
    plot(Superior, n)->AllowZoom(true);
    plot(Inferior, n)->AllowZoom(true);
}

void FastSimulationWindow::Zoom(Row l, int n) {
    LoopChart* zoomed = plot(l, n);
    LoopChart* other = plot(l == Superior ? Inferior : Superior, n);
    if (replica_->isChecked()) other->FixRanges(zoomed->xRange(), zoomed->yRange());
    zoomed->AllowZoom(false);
    other->AllowZoom(false);
    zoom_->setEnabled(true);
}

void FastSimulationWindow::ZoomUndone(Row l, int n) {
    if (replica_->isChecked()) plot(l == Superior ? Inferior : Superior, n)->AutoScale();
}

void FastSimulationWindow::UndoZoom() {
    for (const auto& line : plots_)
        for (LoopChart* g : line) g->AutoScale();
}

void FastSimulationWindow::ScaleTo0to100() {
    const int n = currentTab();
    plot(Superior, n)->Scale0to100();
    if (replica_->isChecked()) plot(Inferior, n)->Scale0to100();
}

void FastSimulationWindow::HideCoToggled(bool checked) {
    if (!checked) return;  // the CO series come back with the next run or load
    for (const auto& line : plots_)
        for (LoopChart* g : line) g->HideCO();
}

void FastSimulationWindow::PtsPageChange(int i) {
    for (const auto& line : plots_)
        for (LoopChart* g : line) g->SetPointsPerPage(900 << i);
    UpdateSelPage();
}

void FastSimulationWindow::SelPageChangingEx(int page) {
    if (adjusting_) return;
    const int n = currentTab();
    plot(Superior, n)->ShowPage(page);
    plot(Inferior, n)->ShowPage(page);
}

void FastSimulationWindow::UpdateSelPage() {
    // Loop 1 pages through its own points; the others are allowed ten pages.
    const int n = currentTab();
    const LoopChart* g = plot(Superior, n);
    adjusting_ = true;
    selPage_->setRange(1, n == 1 ? g->pages() : 10);
    selPage_->setValue(g->page());
    adjusting_ = false;
}

}  // namespace kivo::ui
