#include "ui/project/ProjectSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/context/AppContext.h"
#include "ui/i18n/Translations.h"
#include "ui/shell/Diagram.h"
#include "ui/shell/Shell.h"

namespace kivo::ui {
namespace {

// The slot boxes' names, family by family, in slot order.
int BoxNumber(Family f, int n) {
    switch (f) {
        case Family::PidController: return n;
        case Family::Recorder: return 10 + n;
        case Family::ProcessBlock:
            if (n <= 10) return 20 + n;
            if (n <= 15) return 50 + n;
            if (n <= 20) return 40 + n;
            return std::array{72, 73, 74, 78}[n - 21];
        case Family::CalculationBlock:
            if (n <= 15) return 30 + n;
            if (n <= 20) return 66 + n;
            return std::array{75, 76, 77, 79}[n - 21];
        case Family::Text:
            if (n <= 9) return 45 + n;
            if (n <= 15) return 56 + n;
            return 71 + n;
    }
    return 0;
}

QLabel* Label(const char* name, const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(l->text().trimmed());
    return l;
}

}  // namespace

ProjectSettingsDialog::ProjectSettingsDialog(AppContext& app, Shell& shell)
    : QDialog(shell.mainWidget()), app_(app), shell_(shell) {
    setObjectName(QStringLiteral("ConfigForm"));
    setWindowTitle(SettingsTitle(false));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* column = new QVBoxLayout(this);
    column->addWidget(MakeTopArea());

    notebook_ = new QTabWidget(this);
    notebook_->setObjectName(QStringLiteral("NoteBook1"));
    notebook_->setUsesScrollButtons(false);
    const QStringList pages = SettingsPages(false);
    auto* page0 = new QWidget;
    auto* row0 = new QHBoxLayout(page0);
    row0->addWidget(MakeSlotsPage(Family::PidController), 1);
    row0->addWidget(MakeLinearizer(), 1);
    notebook_->addTab(page0, pages[0]);
    notebook_->addTab(MakeSlotsPage(Family::ProcessBlock), pages[1]);
    notebook_->addTab(MakeSlotsPage(Family::CalculationBlock), pages[2]);
    notebook_->addTab(MakeSlotsPage(Family::Recorder), pages[3]);
    notebook_->addTab(MakeSlotsPage(Family::Text), pages[4]);
    notebook_->addTab(MakeShapesPage(), pages[5]);
    notebook_->addTab(MakeCommandsPage(), pages[6]);
    column->addWidget(notebook_, 1);

    auto* closeButton = new QPushButton(QStringLiteral("Sair"), this);
    closeButton->setObjectName(QStringLiteral("SairButton"));
    closeButton->setAccessibleName(closeButton->text());
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, [this] {
        shell_.UpdateDiagram();
        close();
    });
    column->addWidget(closeButton, 0, Qt::AlignRight);

    connect(&app_, &AppContext::measuredCycleChanged, this, [this](double ms) {
        if (!isVisible()) return;
        measuredCycle_->setText(QString::number(ms, 'f', 0) + QStringLiteral("ms"));
        if (notebook_->currentIndex() == notebook_->count() - 1) ShowModbusState();
    });
    Reload();
    CaptionSlots();
    MarkModifiedOnEdit();
    // Added after: the server's settings are not the project's.
    notebook_->addTab(MakeModbusPage(), pages[7]);
}

void ProjectSettingsDialog::MarkModifiedOnEdit() {
    // What the user edits here changes the project; looking through the
    // pages does not. Only the signals of a user's action are taken (and
    // value changes outside a reload), so a reload never marks it.
    const auto mark = [this] {
        if (!filling_) app_.MarkModified();
    };
    for (auto* e : findChildren<QLineEdit*>()) connect(e, &QLineEdit::textEdited, this, mark);
    for (auto* c : findChildren<QCheckBox*>()) connect(c, &QCheckBox::clicked, this, mark);
    for (auto* c : findChildren<QComboBox*>()) connect(c, &QComboBox::activated, this, mark);
    for (auto* s : findChildren<QSpinBox*>()) connect(s, &QSpinBox::valueChanged, this, mark);
}

QWidget* ProjectSettingsDialog::MakeTopArea() {
    auto* top = new QWidget(this);
    auto* g = new QGridLayout(top);
    g->setContentsMargins(0, 0, 0, 0);
    g->addWidget(Label("Label3", "Título da Simulação:", top), 0, 0);
    title_ = new QLineEdit(top);
    title_->setObjectName(QStringLiteral("Titulo"));
    title_->setAccessibleName(QStringLiteral("Título da Simulação:"));
    g->addWidget(title_, 0, 1, 1, 2);
    // Every change typed becomes the window's caption at once.
    connect(title_, &QLineEdit::textEdited, this, [this](const QString& t) {
        app_.project().title = t.toStdString();
        shell_.UpdateTitle();
    });

    g->addWidget(Label("Label1", "Arquivo de Imagem:", top), 1, 0);
    imageFile_ = new QLineEdit(top);
    imageFile_->setObjectName(QStringLiteral("Edit1"));
    imageFile_->setAccessibleName(QStringLiteral("Arquivo de Imagem:"));
    imageFile_->setReadOnly(true);
    g->addWidget(imageFile_, 1, 1);
    auto* chooseButton = new QToolButton(top);
    chooseButton->setObjectName(QStringLiteral("SpeedButton1"));
    chooseButton->setText(QStringLiteral("..."));
    chooseButton->setAccessibleName(QStringLiteral("Arquivo de Imagem:"));
    connect(chooseButton, &QToolButton::clicked, this, &ProjectSettingsDialog::ChooseImage);
    g->addWidget(chooseButton, 1, 2);

    g->addWidget(Label("Label29", "Ciclo Execução: ", top), 2, 0);
    auto* cycle = new QComboBox(top);
    cycle->setObjectName(QStringLiteral("ComboBox2"));
    cycle->setAccessibleName(QStringLiteral("Ciclo Execução:"));
    cycle->addItems({QStringLiteral("100 ms"), QStringLiteral("333 ms"), QStringLiteral("1 segundo")});
    // The cycle stays at 100 ms: the selector is shown, not offered.
    cycle->setEnabled(false);
    auto* line = new QHBoxLayout;
    line->addWidget(cycle);
    measuredCycle_ = Label("Label2", "", top);
    measuredCycle_->setAccessibleName(QStringLiteral("Label2"));
    line->addWidget(measuredCycle_);
    line->addStretch(1);
    g->addLayout(line, 2, 1, 1, 2);
    g->setColumnStretch(1, 1);
    return top;
}

QWidget* ProjectSettingsDialog::MakeSlotsPage(Family f) {
    const int total = Diagram::FamilySize(f);
    QWidget* page;
    QGridLayout* g;
    if (f == Family::PidController) {
        auto* group = new QGroupBox(QStringLiteral("PID"));
        group->setObjectName(QStringLiteral("GroupBoxPID"));
        page = group;
        g = new QGridLayout(group);
    } else {
        page = new QWidget;
        g = new QGridLayout(page);
    }
    // Ten boxes to a column.
    for (int n = 1; n <= total; ++n) {
        auto* c = new QCheckBox(page);
        c->setObjectName(QStringLiteral("CheckBox%1").arg(BoxNumber(f, n)));
        connect(c, &QCheckBox::clicked, this, [this, f, n](bool checked) { SlotClicked(f, n, checked); });
        g->addWidget(c, (n - 1) % 10, (n - 1) / 10);
        switch (f) {
            case Family::PidController: controllers_[n - 1] = c; break;
            case Family::ProcessBlock: processes_[n - 1] = c; break;
            case Family::CalculationBlock: blocks_[n - 1] = c; break;
            case Family::Recorder: recorders_[n - 1] = c; break;
            case Family::Text: texts_[n - 1] = c; break;
        }
    }
    g->setRowStretch(10, 1);
    return page;
}

QWidget* ProjectSettingsDialog::MakeLinearizer() {
    auto* panel = new QGroupBox;
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* g = new QGridLayout(panel);
    QLabel* title = Label("Label34", "Linearizador", panel);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    g->addWidget(title, 0, 0, 1, 3);
    g->addWidget(Label("Label30", "End. Entrada:", panel), 1, 0);
    lin1InputAddress_ = new QComboBox(panel);
    lin1InputAddress_->setObjectName(QStringLiteral("Lin1EndEnt"));
    lin1InputAddress_->setAccessibleName(QStringLiteral("End. Entrada:"));
    lin1InputAddress_->setEditable(true);
    lin1InputAddress_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lin1InputAddress_->setMinimumContentsLength(12);
    // Its list is rebuilt from the variable table whenever it gets focus.
    lin1InputAddress_->installEventFilter(this);
    connect(lin1InputAddress_, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!filling_) app_.project().linearizer.Lin1InputAddress = t.toStdString();
    });
    g->addWidget(lin1InputAddress_, 1, 1, 1, 2);
    g->addWidget(Label("Label31", "End.Saída:", panel), 2, 0);
    auto* output = new QLineEdit(QStringLiteral("M13"), panel);
    output->setObjectName(QStringLiteral("Lin1EndSai"));
    output->setAccessibleName(QStringLiteral("End.Saída:"));
    output->setEnabled(false);
    g->addWidget(output, 2, 1, 1, 2);
    lin1Enable_ = new QCheckBox(QStringLiteral("Ativar"), panel);
    lin1Enable_->setObjectName(QStringLiteral("Lin1Ativar"));
    lin1Enable_->setAccessibleName(lin1Enable_->text());
    connect(lin1Enable_, &QCheckBox::clicked, this,
            [this](bool v) { app_.project().linearizer.SetLin1Enabled(v); });
    g->addWidget(lin1Enable_, 3, 0, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("MV"), panel), 4, 1, Qt::AlignHCenter);
    g->addWidget(new QLabel(QStringLiteral("PV"), panel), 4, 2, Qt::AlignHCenter);
    for (int k = 0; k < 6; ++k) {
        auto* mv = new QLineEdit(panel);
        mv->setObjectName(QStringLiteral("Lin1MV%1").arg(k + 1));
        mv->setAccessibleName(QStringLiteral("MV %1").arg(k + 1));
        auto* pv = new QLineEdit(panel);
        pv->setObjectName(QStringLiteral("Lin1PV%1").arg(k + 1));
        pv->setAccessibleName(QStringLiteral("PV %1").arg(k + 1));
        connect(mv, &QLineEdit::textEdited, this,
                [this, k](const QString& t) { app_.project().linearizer.Lin1MV[k] = t.toStdString(); });
        connect(pv, &QLineEdit::textEdited, this,
                [this, k](const QString& t) { app_.project().linearizer.Lin1PV[k] = t.toStdString(); });
        g->addWidget(new QLabel(QString::number(k + 1), panel), 5 + k, 0, Qt::AlignRight);
        g->addWidget(mv, 5 + k, 1);
        g->addWidget(pv, 5 + k, 2);
        lin1MV_[k] = mv;
        lin1PV_[k] = pv;
    }
    g->setRowStretch(11, 1);
    return panel;
}

bool ProjectSettingsDialog::eventFilter(QObject* o, QEvent* e) {
    if (o == lin1InputAddress_ && e->type() == QEvent::FocusIn) ReloadInputList();
    return QDialog::eventFilter(o, e);
}

void ProjectSettingsDialog::ReloadInputList() {
    filling_ = true;
    const QString text = lin1InputAddress_->currentText();
    lin1InputAddress_->clear();
    for (const std::string& item : app_.sim().mem.InputList()) lin1InputAddress_->addItem(QString::fromStdString(item));
    lin1InputAddress_->setCurrentText(text);
    filling_ = false;
}

QCheckBox* ProjectSettingsDialog::slotBox(Family f, int n) const {
    switch (f) {
        case Family::PidController: return controllers_[n - 1];
        case Family::ProcessBlock: return processes_[n - 1];
        case Family::CalculationBlock: return blocks_[n - 1];
        case Family::Recorder: return recorders_[n - 1];
        case Family::Text: return texts_[n - 1];
    }
    return nullptr;
}

void ProjectSettingsDialog::SlotClicked(Family f, int n, bool checked) {
    Project& p = app_.project();
    // The box is the marker's "shown" setting; only a check on an empty
    // slot creates the object.
    switch (f) {
        case Family::PidController:
            p.markers.controllers[n - 1].shown = checked;
            if (checked && !p.sim.controllers.active(n)) p.CreateController(n);
            break;
        case Family::ProcessBlock:
            p.markers.processes[n - 1].shown = checked;
            if (checked && !p.sim.processes.active(n)) p.CreateProcess(n);
            break;
        case Family::CalculationBlock:
            p.markers.blocks[n - 1].shown = checked;
            if (checked && !p.sim.blocks.active(n)) p.CreateBlock(n);
            break;
        case Family::Recorder:
            p.markers.recorders[n - 1].shown = checked;
            if (checked && !p.sim.recorders.active(n)) p.CreateRecorder(n);
            break;
        case Family::Text:
            p.markers.texts[n - 1].shown = checked;
            if (checked && !p.sim.texts.active(n)) p.CreateText(n);
            break;
    }
}

void ProjectSettingsDialog::ChooseImage() {
    const QString chosen = app_.interaction().ImageFileName(this);
    if (chosen.isEmpty()) return;
    // Only the bare name is kept; the picture is read from the current
    // directory.
    const QString name = QFileInfo(chosen).fileName();
    app_.project().image = name.toStdString();
    if (QFileInfo::exists(name)) shell_.diagram().LoadImage(name);
    imageFile_->setText(name);
    app_.MarkModified();
}

void ProjectSettingsDialog::ShowDialog() {
    UpdateObjectList();
    notebook_->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
}

void ProjectSettingsDialog::Reload() {
    filling_ = true;
    Project& p = app_.project();
    title_->setText(QString::fromStdString(p.title));
    imageFile_->setText(QString::fromStdString(p.image));
    for (Family f : kFamilies)
        for (int n = 1; n <= Diagram::FamilySize(f); ++n) {
            const Markers& m = p.markers;
            bool shown = false;
            switch (f) {
                case Family::PidController: shown = m.controllers[n - 1].shown; break;
                case Family::ProcessBlock: shown = m.processes[n - 1].shown; break;
                case Family::CalculationBlock: shown = m.blocks[n - 1].shown; break;
                case Family::Recorder: shown = m.recorders[n - 1].shown; break;
                case Family::Text: shown = m.texts[n - 1].shown; break;
            }
            slotBox(f, n)->setChecked(shown);
        }
    lin1InputAddress_->setCurrentText(QString::fromStdString(p.linearizer.Lin1InputAddress));
    lin1Enable_->setChecked(p.linearizer.Lin1Enabled());
    for (int k = 0; k < 6; ++k) {
        lin1MV_[k]->setText(QString::fromStdString(p.linearizer.Lin1MV[k]));
        lin1PV_[k]->setText(QString::fromStdString(p.linearizer.Lin1PV[k]));
    }
    filling_ = false;
    ReloadWidgets();
}

void ProjectSettingsDialog::CaptionSlots() {
    for (Family f : kFamilies)
        for (int n = 1; n <= Diagram::FamilySize(f); ++n) slotBox(f, n)->setText(EmptySlotCaption(f, n, app_.english()));
    UpdateObjectList();
}

void ProjectSettingsDialog::UpdateObjectList() {
    const Project& p = app_.project();
    const auto define = [this](Family f, int n, const std::string& text) {
        QCheckBox* c = slotBox(f, n);
        c->setText(QString::fromStdString(text));
        c->setAccessibleName(c->text());
    };
    for (int n = 1; n <= 10; ++n) {
        if (const auto* c = p.controller(n)) define(Family::PidController, n, c->TagText + " " + c->Description);
        if (const auto* r = p.recorder(n)) define(Family::Recorder, n, r->TagText + " " + r->DescriptionText);
    }
    for (int n = 1; n <= 24; ++n) {
        if (const auto* o = p.process(n)) define(Family::ProcessBlock, n, o->TagText + " " + o->DescriptionText);
        if (const auto* b = p.block(n)) define(Family::CalculationBlock, n, b->TagText + " " + b->DescriptionText);
    }
    for (int n = 1; n <= 20; ++n)
        if (const auto* t = p.text(n)) define(Family::Text, n, t->DescriptionText);
    // Empty slots keep the caption they have; accessible names follow.
    for (Family f : kFamilies)
        for (int n = 1; n <= Diagram::FamilySize(f); ++n) slotBox(f, n)->setAccessibleName(slotBox(f, n)->text());
}

void ProjectSettingsDialog::SlotEmptied(Family f, int n) {
    QCheckBox* c = slotBox(f, n);
    c->setText(EmptySlotCaption(f, n, app_.english()));
    c->setChecked(false);
    UpdateObjectList();
}

void ProjectSettingsDialog::Translate() {
    setWindowTitle(SettingsTitle(true));
    ApplyTexts(this, SettingsTexts(), true);
    const QStringList pages = SettingsPages(true);
    for (int i = 0; i < pages.size(); ++i) notebook_->setTabText(i, pages[i]);
    // List items are replaced in place, keeping their indexes.
    const auto items = [this](const QString& name, const QStringList& texts) {
        if (auto* c = findChild<QComboBox*>(name))
            for (int i = 0; i < texts.size() && i < c->count(); ++i) c->setItemText(i, texts[i]);
    };
    items(QStringLiteral("Chave1Tipo"), SwitchOrientations(true));
    items(QStringLiteral("Chave2Tipo"), SwitchOrientations(true));
    for (int k = 1; k <= 5; ++k) items(QStringLiteral("Imagem%1Tipo").arg(k), ShapeKinds(true));
    // The buttons' initial texts are the project's until the user types
    // others: the Portuguese ones become English.
    Project& p = app_.project();
    for (int b = 1; b <= 3; ++b) {
        Button& button = p.buttons[b - 1];
        if (QString::fromStdString(button.description) == ButtonDescription(false)) button.description = ButtonDescription(true).toStdString();
        if (QString::fromStdString(button.zeroText) == ButtonText(b, 0, false)) button.zeroText = ButtonText(b, 0, true).toStdString();
        if (QString::fromStdString(button.oneText) == ButtonText(b, 1, false)) button.oneText = ButtonText(b, 1, true).toStdString();
    }
    // Fields are announced by their labels' captions, now English.
    const std::pair<const char*, const char*> fields[] = {
        {"Titulo", "Label3"}, {"Edit1", "Label1"}, {"ComboBox2", "Label29"}, {"Lin1EndEnt", "Label30"},
        {"Lin1EndSai", "Label31"}, {"ModbusEndereco", "ModbusEnderecoLabel"}, {"ModbusPorta", "ModbusPortaLabel"},
        {"ModbusClientes", "ModbusClientesLabel"}};
    for (const auto& [field, label] : fields)
        if (auto* c = findChild<QWidget*>(QString::fromLatin1(field)))
            if (auto* l = findChild<QLabel*>(QString::fromLatin1(label))) c->setAccessibleName(l->text().trimmed());
    if (auto* chooseButton = findChild<QToolButton*>(QStringLiteral("SpeedButton1")))
        chooseButton->setAccessibleName(QStringLiteral("Choose the picture file"));
    ReloadWidgets();
    CaptionSlots();
    ShowModbusState();
}

}  // namespace kivo::ui
