#include "ui/main/RewindPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "ui/context/AppContext.h"
#include "ui/i18n/RewindTexts.h"

namespace kivo::ui {

RewindPanel::RewindPanel(AppContext& app, QWidget* parent) : QFrame(parent), app_(app) {
    setObjectName(QStringLiteral("VoltarPanel"));
    setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);

    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("VoltarRotulo"));
    row->addWidget(label);
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("VoltarSlider"));
    slider_->setPageStep(6);  // one minute
    label->setBuddy(slider_);
    row->addWidget(slider_, 1);
    time_ = new QLabel(this);
    time_->setObjectName(QStringLiteral("VoltarTempo"));
    time_->setMinimumWidth(time_->fontMetrics().horizontalAdvance(QStringLiteral("t = 00:00:00 (ago 0:00:00)")));
    row->addWidget(time_);
    rewind_ = new QPushButton(this);
    rewind_->setObjectName(QStringLiteral("VoltarBTN"));
    row->addWidget(rewind_);
    row->addSpacing(12);

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("FotografiaNome"));
    name_->setMaxLength(255);
    row->addWidget(name_);
    take_ = new QPushButton(this);
    take_->setObjectName(QStringLiteral("FotografiaBTN"));
    row->addWidget(take_);
    named_ = new QComboBox(this);
    named_->setObjectName(QStringLiteral("FotografiasLista"));
    named_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    named_->setMinimumContentsLength(16);
    row->addWidget(named_);
    restore_ = new QPushButton(this);
    restore_->setObjectName(QStringLiteral("RestaurarBTN"));
    row->addWidget(restore_);
    delete_ = new QPushButton(this);
    delete_->setObjectName(QStringLiteral("ExcluirFotografiaBTN"));
    row->addWidget(delete_);

    connect(slider_, &QSlider::valueChanged, this, &RewindPanel::ShowTime);
    connect(rewind_, &QPushButton::clicked, this, &RewindPanel::RewindToSlider);
    connect(take_, &QPushButton::clicked, this, &RewindPanel::TakeNamed);
    connect(name_, &QLineEdit::returnPressed, this, &RewindPanel::TakeNamed);
    connect(restore_, &QPushButton::clicked, this, [this] { RestoreNamed(named_->currentIndex()); });
    connect(delete_, &QPushButton::clicked, this, &RewindPanel::DeleteNamed);
    connect(&app_, &AppContext::snapshotsChanged, this, &RewindPanel::Refill);
    SetLanguage(app_.english());
}

void RewindPanel::SetLanguage(bool english) {
    ApplyTexts(this, RewindTexts(), english);
    slider_->setAccessibleName(english ? QStringLiteral("Rewind: automatic snapshot") : QStringLiteral("Voltar: fotografia automática"));
    time_->setAccessibleName(english ? QStringLiteral("Time of the snapshot chosen") : QStringLiteral("Tempo da fotografia escolhida"));
    name_->setAccessibleName(english ? QStringLiteral("Name of the new snapshot") : QStringLiteral("Nome da nova fotografia"));
    name_->setPlaceholderText(english ? QStringLiteral("Snapshot name") : QStringLiteral("Nome da fotografia"));
    named_->setAccessibleName(english ? QStringLiteral("Named snapshots") : QStringLiteral("Fotografias com nome"));
    rewind_->setToolTip(english ? QStringLiteral("Pauses and puts the plant back to the time chosen on the slider")
                                : QStringLiteral("Pausa e põe a planta de volta no tempo escolhido no controle"));
    take_->setToolTip(english ? QStringLiteral("Keeps the plant's state now under a name; saved with the project")
                              : QStringLiteral("Guarda o estado da planta agora com um nome; salva com o projeto"));
    restore_->setToolTip(english ? QStringLiteral("Pauses and puts the plant back to the snapshot chosen in the list")
                                 : QStringLiteral("Pausa e põe a planta de volta na fotografia escolhida na lista"));
    delete_->setToolTip(english ? QStringLiteral("Deletes the snapshot chosen in the list")
                                : QStringLiteral("Exclui a fotografia escolhida na lista"));
    Refill();
}

void RewindPanel::Refill() {
    const auto& ring = app_.ring().snapshots();
    const int last = static_cast<int>(ring.size()) - 1;
    const bool atNewest = slider_->value() >= slider_->maximum();
    const QSignalBlocker block(slider_);
    slider_->setRange(0, std::max(0, last));
    if (atNewest) slider_->setValue(slider_->maximum());
    slider_->setEnabled(last >= 0);
    rewind_->setEnabled(last >= 0);
    ShowTime();

    const int chosen = named_->currentIndex();
    const QSignalBlocker blockList(named_);
    named_->clear();
    for (const Snapshot& s : app_.namedSnapshots())
        named_->addItem(NamedSnapshotItem(QString::fromStdString(s.name), s.time));
    // A new snapshot is chosen; otherwise the one chosen before stays.
    named_->setCurrentIndex(chosen >= 0 && chosen < named_->count() - 1 ? chosen : named_->count() - 1);
    restore_->setEnabled(named_->count() > 0);
    delete_->setEnabled(named_->count() > 0);
}

void RewindPanel::ShowTime() {
    const auto& ring = app_.ring().snapshots();
    const int i = slider_->value();
    const bool any = i >= 0 && i < static_cast<int>(ring.size());
    const double time = any ? ring[static_cast<std::size_t>(i)].time : 0;
    time_->setText(RewindTimeText(any, time, any ? app_.sim().state.time - time : 0, app_.english()));
}

void RewindPanel::RewindToSlider() {
    const auto& ring = app_.ring().snapshots();
    const int i = slider_->value();
    if (i < 0 || i >= static_cast<int>(ring.size())) return;
    const Snapshot s = ring[static_cast<std::size_t>(i)];
    const RestoreOutcome r = app_.Restore(s);
    if (r != RestoreOutcome::Restored)
        app_.Inform(RestoreRefusedText(r == RestoreOutcome::OtherConfiguration ? 0 : 1, app_.english()));
    slider_->setValue(slider_->maximum());
}

void RewindPanel::RestoreNamed(int i) {
    auto& named = app_.namedSnapshots();
    if (i < 0 || i >= static_cast<int>(named.size())) return;
    const RestoreOutcome r = app_.Restore(named[static_cast<std::size_t>(i)]);
    if (r != RestoreOutcome::Restored)
        app_.Inform(RestoreRefusedText(r == RestoreOutcome::OtherConfiguration ? 0 : 1, app_.english()));
}

void RewindPanel::DeleteNamed() {
    const int i = named_->currentIndex();
    if (i < 0 || i >= static_cast<int>(app_.namedSnapshots().size())) return;
    const Snapshot& s = app_.namedSnapshots()[static_cast<std::size_t>(i)];
    if (!app_.interaction().Ask(window(), DeleteSnapshotQuestion(NamedSnapshotItem(QString::fromStdString(s.name), s.time),
                                                                app_.english())))
        return;
    app_.DeleteNamedSnapshot(static_cast<std::size_t>(i));
}

void RewindPanel::TakeNamed() {
    QString name = name_->text().trimmed();
    if (name.isEmpty()) name = DefaultSnapshotName(static_cast<int>(app_.namedSnapshots().size()) + 1, app_.english());
    app_.TakeNamedSnapshot(name);
    name_->clear();
}

}  // namespace kivo::ui
