// The configuration dialog's pages of panel widgets: animated shapes,
// switches, command buttons and tracks.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/context/AppContext.h"
#include "ui/i18n/Translations.h"
#include "ui/shell/Shell.h"
#include "ui/project/ProjectSettingsDialog.h"
#include "ui/shell/WidgetPanel.h"

namespace kivo::ui {
namespace {

// The sixteen standard colours, as the project file stores them (blue,
// green, red from the high byte down).
constexpr std::array<std::pair<std::uint32_t, const char*>, 16> kCores{{
    {0x000000, "Black"},  {0x000080, "Maroon"}, {0x008000, "Green"},  {0x008080, "Olive"},
    {0x800000, "Navy"},   {0x800080, "Purple"}, {0x808000, "Teal"},   {0x808080, "Gray"},
    {0xC0C0C0, "Silver"}, {0x0000FF, "Red"},    {0x00FF00, "Lime"},   {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},   {0xFF00FF, "Fuchsia"}, {0xFFFF00, "Aqua"},  {0xFFFFFF, "White"},
}};

QColor QtColour(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QIcon Sample(std::uint32_t bgr) {
    QPixmap pm(32, 32);
    pm.fill(QtColour(bgr));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 31, 31);
    return QIcon(pm);
}

void AddColour(QComboBox* c, std::uint32_t bgr, const QString& name) { c->addItem(Sample(bgr), name, QVariant::fromValue(bgr)); }

QComboBox* ColourSelector(const QString& name, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setAccessibleName(name);
    for (const auto& [bgr, text] : kCores) AddColour(c, bgr, QString::fromLatin1(text));
    return c;
}

// Selects the colour, adding it to the list when it is not a standard one.
void ShowColour(QComboBox* c, std::uint32_t bgr) {
    int i = c->findData(QVariant::fromValue(bgr));
    if (i < 0) {
        AddColour(c, bgr, QStringLiteral("#%1").arg(bgr, 6, 16, QLatin1Char('0')));
        i = c->count() - 1;
    }
    c->setCurrentIndex(i);
}

QString TrackCheckName(int n) { return n == 1 ? QStringLiteral("Ent1check") : QStringLiteral("Ent%1Check").arg(n); }
QString TrackLabelName(int n) { return n == 4 ? QStringLiteral("Ent4label") : QStringLiteral("Ent%1Label").arg(n); }
QString TrackSliderName(int n) { return n == 1 ? QStringLiteral("Ent1track") : QStringLiteral("Ent%1Track").arg(n); }
// Fields of button b: description, text for 0, text for 1.
QString ButtonDescriptionName(int b) { return QStringLiteral("Edit%1").arg(7 + b); }
QString ButtonTextName(int b, int state) { return QStringLiteral("Edit%1").arg(2 * b + state); }

}  // namespace

QWidget* ProjectSettingsDialog::MakeShapesPage() {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    // Label names of shapes 1..5: variable, dimensions, colours.
    constexpr std::array<std::array<int, 3>, 5> kLabels{{{6, 7, 4}, {8, 12, 16}, {9, 13, 17}, {10, 14, 18}, {11, 15, 19}}};
    Project& p = app_.project();
    for (int k = 1; k <= Project::kShapes; ++k) {
        const int line = k - 1;
        const QString n = QString::number(k);
        auto* check = new QCheckBox(page);
        check->setObjectName("Imagem" + n + "Check");
        check->setAccessibleName(QStringLiteral("Imagem ") + n);
        auto* kind = new QComboBox(page);
        kind->setObjectName("Imagem" + n + "Tipo");
        kind->addItems(ShapeKinds(false));
        kind->setAccessibleName(QStringLiteral("Imagem ") + n);
        auto* var = new QComboBox(page);
        var->setObjectName("Imagem" + n + "Var");
        for (int v = 1; v <= Shape::kVariableItems; ++v) var->addItem(QString::number(v));
        var->setAccessibleName(QStringLiteral("Variável:"));
        // The setting's box and its arrows are one spin box here.
        auto* height = new QSpinBox(page);
        height->setObjectName("Imagem" + n + "Tam");
        auto* width = new QSpinBox(page);
        width->setObjectName("Imagem" + n + "TamW");
        for (QSpinBox* s : {height, width}) {
            s->setRange(0, Shape::kMaxSize);
            s->setSingleStep(2);
            s->setAccessibleName(QStringLiteral("Dimensões:"));
        }
        QComboBox* colour1 = ColourSelector("Imagem" + n + "Cor1", page);
        QComboBox* colour2 = ColourSelector("Imagem" + n + "Cor2", page);
        // Type, variable and colours wait for the first click on the box.
        for (QWidget* w : std::initializer_list<QWidget*>{kind, var, colour1, colour2}) w->setEnabled(false);

        g->addWidget(check, line, 0);
        g->addWidget(kind, line, 1);
        g->addWidget(NumberedLabel(kLabels[line][0], "Variável:", page), line, 2);
        g->addWidget(var, line, 3);
        g->addWidget(NumberedLabel(kLabels[line][1], "Dimensões:", page), line, 4);
        g->addWidget(height, line, 5);
        g->addWidget(new QLabel(QStringLiteral("X"), page), line, 6);
        g->addWidget(width, line, 7);
        g->addWidget(NumberedLabel(kLabels[line][2], "Cores:", page), line, 8);
        g->addWidget(colour1, line, 9);
        g->addWidget(colour2, line, 10);

        Shape& shape = p.shapes[line];
        connect(check, &QCheckBox::clicked, this, [this, &shape, k, kind, var, colour1, colour2](bool v) {
            shape.enabled = v;
            for (QWidget* w : std::initializer_list<QWidget*>{kind, var, colour1, colour2}) w->setEnabled(true);
            shell_.panel().ApplyShape(k);
        });
        connect(kind, &QComboBox::activated, this, [this, &shape](int i) {
            shape.kind = i;
            UpdateObjectList();
        });
        connect(var, &QComboBox::activated, this, [&shape](int i) { shape.variable = i; });
        connect(height, &QSpinBox::valueChanged, this, [this, &shape, k](int v) {
            if (filling_) return;
            shape.height = v;
            shell_.panel().ApplyShape(k);
            if (k == 1) shell_.UpdateDiagram();
        });
        connect(width, &QSpinBox::valueChanged, this, [this, &shape, k](int v) {
            if (filling_) return;
            shape.width = v;
            shell_.panel().ApplyShape(k);
        });
        connect(colour1, &QComboBox::activated, this, [this, &shape, k, colour1](int i) {
            shape.colour1 = colour1->itemData(i).value<std::uint32_t>();
            shell_.panel().ApplyShape(k);
        });
        connect(colour2, &QComboBox::activated, this,
                [&shape, colour2](int i) { shape.colour2 = colour2->itemData(i).value<std::uint32_t>(); });
    }
    g->setRowStretch(Project::kShapes, 1);
    g->setColumnStretch(11, 1);
    return page;
}

QLabel* ProjectSettingsDialog::NumberedLabel(int number, const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QStringLiteral("Label%1").arg(number));
    l->setAccessibleName(l->text());
    return l;
}

QWidget* ProjectSettingsDialog::MakeCommandsPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    Project& p = app_.project();

    auto* switches = new QGroupBox(page);
    auto* gc = new QGridLayout(switches);
    for (int c = 1; c <= Project::kSwitches; ++c) {
        const QString n = QString::number(c);
        auto* check = new QCheckBox(QStringLiteral("Chave %1     Tipo:").arg(c), switches);
        check->setObjectName("Chave" + n + "Check");
        check->setAccessibleName(check->text());
        auto* kind = new QComboBox(switches);
        kind->setObjectName("Chave" + n + "Tipo");
        kind->addItems(SwitchOrientations(false));
        kind->setAccessibleName(check->text());
        kind->setEnabled(false);
        gc->addWidget(check, c - 1, 0);
        gc->addWidget(kind, c - 1, 1);
        gc->addWidget(NumberedLabel(21 + c, c == 1 ? "Saída em M11" : "Saída em M12", switches), c - 1, 2);
        Switch& key = p.switches[c - 1];
        connect(check, &QCheckBox::clicked, this, [this, &key, kind, c](bool v) {
            key.enabled = v;
            kind->setEnabled(v);
            shell_.panel().ApplySwitch(c);
        });
        connect(kind, &QComboBox::activated, this, [this, &key, c](int i) {
            key.orientation = i;
            shell_.panel().ApplySwitch(c);
        });
    }
    gc->setColumnStretch(3, 1);
    column->addWidget(switches);

    auto* buttonsBox = new QGroupBox(page);
    buttonsBox->setObjectName(QStringLiteral("Panel2"));
    auto* gb = new QGridLayout(buttonsBox);
    for (int b = 1; b <= Project::kButtons; ++b) {
        auto* check = new QCheckBox(buttonsBox);
        check->setObjectName(QStringLiteral("Botao%1_check").arg(b));
        check->setText(b == 2 ? QStringLiteral("Botão 2 (Saída em M98)") : QStringLiteral("Botão %1 (saída em M%2)").arg(b).arg(96 + b));
        check->setAccessibleName(check->text());
        gb->addWidget(check, b - 1, 0);
        Button& button = p.buttons[b - 1];
        connect(check, &QCheckBox::clicked, this, [this, &button, b](bool v) {
            button.enabled = v;
            // A button switched off, and those after it, write 0.
            if (!v)
                for (int m = 96 + b; m <= 99; ++m) app_.sim().mem[m] = 0;
            UpdateButtonStates();
            shell_.panel().ApplyButtons();
        });
        const auto field = [&](const QString& name, int maximum, std::string& destination, int column) {
            auto* e = new QLineEdit(buttonsBox);
            e->setObjectName(name);
            e->setMaxLength(maximum);
            e->setAccessibleName(name);
            connect(e, &QLineEdit::textEdited, this, [this, &destination, b](const QString& t) {
                destination = t.toStdString();
                shell_.panel().ApplyButtonDescription(b);
            });
            gb->addWidget(e, b - 1, column);
        };
        field(ButtonDescriptionName(b), 15, button.description, 1);
        field(ButtonTextName(b, 0), 16, button.zeroText, 2);
        field(ButtonTextName(b, 1), 16, button.oneText, 3);
    }
    for (int c = 1; c <= 3; ++c) gb->setColumnStretch(c, 1);
    column->addWidget(buttonsBox);

    auto* tracks = new QGroupBox(page);
    auto* gt = new QGridLayout(tracks);
    for (int t = 1; t <= Project::kTracks; ++t) {
        auto* check = new QCheckBox(QStringLiteral("Ent%1:").arg(t), tracks);
        check->setObjectName(TrackCheckName(t));
        check->setAccessibleName(check->text());
        auto* name = new QLineEdit(tracks);
        name->setObjectName(TrackLabelName(t));
        name->setAccessibleName(check->text());
        auto* slider = new QCheckBox(tracks);
        slider->setObjectName(TrackSliderName(t));
        slider->setAccessibleName(check->text());
        const int line = (t - 1) % 3;
        const int column0 = (t - 1) / 3 * 3;
        gt->addWidget(check, line, column0);
        gt->addWidget(name, line, column0 + 1);
        gt->addWidget(slider, line, column0 + 2);
        Track& track = p.tracks[t - 1];
        connect(check, &QCheckBox::clicked, this, [this, &track, name, slider, t](bool v) {
            track.enabled = v;
            name->setEnabled(v);
            slider->setEnabled(v);
            shell_.panel().ApplyTrack(t);
        });
        connect(name, &QLineEdit::textEdited, this, [this, &track, t](const QString& text) {
            track.label = text.toStdString();
            app_.sim().mem.setDescription(14 + t, track.label);
            shell_.panel().ApplyTrack(t);
        });
        connect(slider, &QCheckBox::clicked, this, [this, &track, t](bool v) {
            track.sliderShown = v;
            shell_.panel().ApplyTrack(t);
        });
    }
    gt->setColumnStretch(1, 1);
    gt->setColumnStretch(4, 1);
    column->addWidget(tracks);
    column->addStretch(1);
    return page;
}

void ProjectSettingsDialog::UpdateButtonStates() {
    const Project& p = app_.project();
    // Each button's box needs the one before it switched on.
    bool previous = true;
    for (int b = 1; b <= Project::kButtons; ++b) {
        findChild<QCheckBox*>(QStringLiteral("Botao%1_check").arg(b))->setEnabled(previous);
        const bool active = previous && p.buttons[b - 1].enabled;
        for (const QString& name : {ButtonDescriptionName(b), ButtonTextName(b, 0), ButtonTextName(b, 1)})
            findChild<QLineEdit*>(name)->setEnabled(active);
        previous = active;
    }
}

void ProjectSettingsDialog::ReloadWidgets() {
    filling_ = true;
    const Project& p = app_.project();
    for (int k = 1; k <= Project::kShapes; ++k) {
        const Shape& f = p.shapes[k - 1];
        const QString n = QString::number(k);
        findChild<QCheckBox*>("Imagem" + n + "Check")->setChecked(f.enabled);
        findChild<QComboBox*>("Imagem" + n + "Tipo")->setCurrentIndex(f.kind);
        findChild<QComboBox*>("Imagem" + n + "Var")->setCurrentIndex(f.variable);
        findChild<QSpinBox*>("Imagem" + n + "Tam")->setValue(f.height);
        findChild<QSpinBox*>("Imagem" + n + "TamW")->setValue(f.width);
        ShowColour(findChild<QComboBox*>("Imagem" + n + "Cor1"), f.colour1);
        ShowColour(findChild<QComboBox*>("Imagem" + n + "Cor2"), f.colour2);
        for (const char* part : {"Tipo", "Var", "Cor1", "Cor2"})
            findChild<QWidget*>("Imagem" + n + QString::fromLatin1(part))->setEnabled(f.enabled);
    }
    for (int c = 1; c <= Project::kSwitches; ++c) {
        const Switch& ch = p.switches[c - 1];
        const QString n = QString::number(c);
        findChild<QCheckBox*>("Chave" + n + "Check")->setChecked(ch.enabled);
        auto* kind = findChild<QComboBox*>("Chave" + n + "Tipo");
        kind->setCurrentIndex(ch.orientation);
        kind->setEnabled(ch.enabled);
    }
    for (int b = 1; b <= Project::kButtons; ++b) {
        const Button& button = p.buttons[b - 1];
        findChild<QCheckBox*>(QStringLiteral("Botao%1_check").arg(b))->setChecked(button.enabled);
        findChild<QLineEdit*>(ButtonDescriptionName(b))->setText(QString::fromStdString(button.description));
        findChild<QLineEdit*>(ButtonTextName(b, 0))->setText(QString::fromStdString(button.zeroText));
        findChild<QLineEdit*>(ButtonTextName(b, 1))->setText(QString::fromStdString(button.oneText));
    }
    UpdateButtonStates();
    for (int t = 1; t <= Project::kTracks; ++t) {
        const Track& tr = p.tracks[t - 1];
        findChild<QCheckBox*>(TrackCheckName(t))->setChecked(tr.enabled);
        auto* name = findChild<QLineEdit*>(TrackLabelName(t));
        name->setText(QString::fromStdString(tr.label));
        name->setEnabled(tr.enabled);
        auto* slider = findChild<QCheckBox*>(TrackSliderName(t));
        slider->setChecked(tr.sliderShown);
        slider->setEnabled(tr.enabled);
    }
    filling_ = false;
}

}  // namespace kivo::ui
