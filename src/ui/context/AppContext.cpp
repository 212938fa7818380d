#include "ui/context/AppContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QTime>

#include "modbus/Server.h"

namespace kivo::ui {

class AppContext::Observer : public CycleObserver {
public:
    explicit Observer(AppContext& app) : app_(app) {}
    void OnDisplayRefresh() override { emit app_.displayRefresh(); }
    void OnCycleMeasured(double ms) override { emit app_.measuredCycleChanged(ms); }

private:
    AppContext& app_;
};

AppContext::AppContext(QString startDirectory, QString programDirectory, QObject* parent)
    : QObject(parent),
      startDirectory_(std::move(startDirectory)),
      folders_(startDirectory_, programDirectory.isEmpty() ? QCoreApplication::applicationDirPath() : programDirectory),
      project_(std::make_unique<Project>(false)),
      observer_(std::make_unique<Observer>(*this)),
      interaction_(std::make_unique<Interaction>()) {
    interaction_->folder = [this] { return WorkFolder(); };
    // Validation messages outside a load become information boxes, in order.
    project_->messageSink = [this](const std::string& text) { Inform(QString::fromStdString(text)); };
    project_->sim.AddObserver(observer_.get());
    project_->sim.randomGenerator.SetSeed(static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(project_->sim.state.timerPeriod);
    connect(&timer_, &QTimer::timeout, this, &AppContext::Tick);
    timer_.start();
}

AppContext::~AppContext() { project_->sim.RemoveObserver(observer_.get()); }

void AppContext::setInteraction(std::unique_ptr<Interaction> i) {
    i->english = english();
    i->folder = [this] { return WorkFolder(); };
    interaction_ = std::move(i);
}

QString AppContext::WorkFolder() const {
    if (folderChosen_ || !folders_.installed()) return QDir::currentPath();
    return folders_.DocumentsOrHome();
}

void AppContext::ChooseFolder(const QString& folder) {
    QDir::setCurrent(folder);
    folderChosen_ = true;
}

void AppContext::Inform(const QString& text) { interaction_->Inform(mainWindow_, text); }

void AppContext::MarkModified() {
    project_->saved = false;
    emit savedStateChanged(false);
}

void AppContext::MarkSaved() {
    project_->saved = true;
    emit savedStateChanged(true);
}

void AppContext::TogglePause() {
    project_->sim.TogglePause();
    if (timer_.isActive())
        timer_.stop();
    else
        timer_.start();
}

void AppContext::Tick() {
    project_->sim.Tick(QTime::currentTime().msecsSinceStartOfDay());
    // Open windows show what a client wrote at their next display refresh.
    if (modbus_) modbus_->Exchange(*project_);
    emit ticked();
    if (ring_.Offer(project_->sim)) emit snapshotsChanged();
}

void AppContext::ResetSnapshots() {
    project_->sim.state.time = 0;
    project_->sim.state.cycles = 0;
    ring_.Clear();
    named_.clear();
    namedHeld_ = false;
    emit snapshotsChanged();
}

void AppContext::SetNamedSnapshots(std::vector<Snapshot> snapshots) {
    named_ = std::move(snapshots);
    namedHeld_ = true;
    emit snapshotsChanged();
}

void AppContext::DeleteNamedSnapshot(std::size_t i) {
    if (i >= named_.size()) return;
    named_.erase(named_.begin() + static_cast<std::ptrdiff_t>(i));
    namedHeld_ = true;
    MarkModified();
    emit snapshotsChanged();
}

void AppContext::TakeNamedSnapshot(const QString& name) {
    Snapshot s = TakeSnapshot(project_->sim);
    s.name = name.toStdString();
    named_.push_back(std::move(s));
    namedHeld_ = true;
    MarkModified();
    emit snapshotsChanged();
}

RestoreOutcome AppContext::Restore(const Snapshot& s) {
    if (!paused()) TogglePause();
    const double time = s.time;
    emit restoring();
    const RestoreOutcome outcome = RestoreSnapshot(project_->sim, s);
    if (outcome != RestoreOutcome::Restored) return outcome;
    ring_.DiscardAfter(time);
    emit plantRestored();
    emit displayRefresh();
    // Clients read the restored plant at once, not after the next tick.
    if (modbus_) modbus_->Exchange(*project_);
    emit snapshotsChanged();
    return outcome;
}

bool AppContext::StartModbus(QString& error) {
    std::string reason;
    modbus_ = modbus::Server::Start(modbusOptions, english(), reason);
    if (!modbus_) {
        error = QString::fromStdString(reason);
        return false;
    }
    modbus_->Exchange(*project_);
    return true;
}

void AppContext::StopModbus() { modbus_.reset(); }

}  // namespace kivo::ui
