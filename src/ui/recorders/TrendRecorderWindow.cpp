#include "ui/widgets/ObjectForm.h"
#include "ui/recorders/TrendRecorderWindow.h"

#include <filesystem>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/NumberText.h"
#include "objects/Fields.h"
#include "ui/context/AppContext.h"
#include "ui/i18n/RecorderTexts.h"
#include "ui/i18n/Translations.h"
#include "ui/recorders/RecorderChart.h"

namespace kivo::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* Label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAccessibleName(text.trimmed().isEmpty() ? name : text.trimmed());
    return l;
}

QToolButton* Button(const QString& name, QStyle::StandardPixmap icon, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setAutoRaise(true);
    return b;
}

QCheckBox* Box(const QString& name, const QString& text, QWidget* parent) {
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    c->setAccessibleName(text);
    return c;
}

// The field's width from its font, so that both scalings fit.
void SetNumberWidth(QLineEdit* e) {
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-00000.0")) + 10);
}

}  // namespace

TrendRecorderWindow::TrendRecorderWindow(AppContext& app, int slot, std::function<void()> updateDiagram, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      app_(app),
      slot_(slot),
      updateDiagram_(std::move(updateDiagram)),
      r_(*app_.project().recorder(slot)) {
    setObjectName(QStringLiteral("RegistrForm%1").arg(slot));
    auto* line = new QHBoxLayout(this);
    line->addWidget(MakeChartArea());
    config_ = MakeConfiguration();
    line->addWidget(config_);
    line->setSizeConstraint(QLayout::SetFixedSize);
    ApplyTooltips(this, TrendRecorderTooltips(), false);

    blinkTimer_.setObjectName(QStringLiteral("Timer1"));
    blinkTimer_.setInterval(500);
    connect(&blinkTimer_, &QTimer::timeout, this, [this] { archivingLabel_->setVisible(!archivingLabel_->isVisible()); });
    Fill();
    ShowRecorder();
    sampler().observer = this;
}

TrendRecorderWindow::~TrendRecorderWindow() {
    // The window goes before its recorder (slot emptied, project reset or
    // load); a log goes on with the recorder and closes with it.
    if (sampler().observer == this) sampler().observer = nullptr;
}

QWidget* TrendRecorderWindow::MakeChartArea() {
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* top = new QHBoxLayout;
    top->addWidget(Label(QStringLiteral("PVLabel"), QStringLiteral("PV"), panel));
    scale_[0] = Label(QStringLiteral("Label1"), QString(), panel);
    top->addWidget(scale_[0]);
    const char* legendNames[3] = {"VermelhoLabel", "AzulLabel", "VerdeLabel"};
    const QColor cores[3] = {Qt::red, Qt::blue, QColor(0, 128, 0)};
    for (int c = 0; c < 3; ++c) {
        legends_[c] = Label(QString::fromLatin1(legendNames[c]), QString(), panel);
        QPalette pal = legends_[c]->palette();
        pal.setColor(QPalette::WindowText, cores[c]);
        legends_[c]->setPalette(pal);
        top->addWidget(legends_[c], 1);
    }
    top->addWidget(Label(QStringLiteral("MVLabel"), QStringLiteral("MV(%)"), panel));
    column->addLayout(top);

    plot_ = new RecorderChart(r_.sampler());
    auto* area = new ChartArea(plot_, panel);
    area_ = area;
    upper_ = new QLineEdit;
    upper_->setObjectName(QStringLiteral("eSupText"));
    upper_->setAccessibleName(QStringLiteral("eSupText"));
    inf_ = new QLineEdit;
    inf_->setObjectName(QStringLiteral("eInfText"));
    inf_->setAccessibleName(QStringLiteral("eInfText"));
    for (QLineEdit* e : {upper_, inf_}) {
        SetNumberWidth(e);
        e->setAlignment(Qt::AlignRight);
        e->installEventFilter(this);
    }
    area->AddLeft(upper_, 0);
    for (int j = 1; j <= 9; ++j) {
        scale_[j] = Label(QStringLiteral("Label%1").arg(j + 1), QString(), nullptr);
        scale_[j]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        area->AddLeft(scale_[j], 20 * j);
    }
    area->AddLeft(inf_, 200);
    for (int j = 0; j <= 10; ++j)
        area->AddRight(Label(QStringLiteral("Percentual%1").arg(100 - 10 * j),
                                     QString::number(100 - 10 * j), nullptr),
                              20 * j);
    column->addWidget(area);
    connect(plot_, &RecorderChart::pressed, this, &TrendRecorderWindow::CursorAt);
    connect(plot_, &RecorderChart::doubleClicked, this, &TrendRecorderWindow::UpdateRecorder);

    auto* base = new QHBoxLayout;
    pause_ = Button(QStringLiteral("SpeedButton1"), QStyle::SP_MediaPause, panel);
    pause_->setCheckable(true);
    conf_ = Button(QStringLiteral("ConfBTN"), QStyle::SP_FileDialogDetailedView, panel);
    exit_ = Button(QStringLiteral("SairBTN"), QStyle::SP_DialogCloseButton, panel);
    archivingLabel_ = Label(QStringLiteral("Label21"), QStringLiteral("Arquivando: TA=0.1 seg"), panel);
    QPalette pal = archivingLabel_->palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    archivingLabel_->setPalette(pal);
    archivingLabel_->hide();
    base->addWidget(pause_);
    base->addWidget(conf_);
    base->addStretch(1);
    base->addWidget(archivingLabel_);
    base->addStretch(1);
    base->addWidget(exit_);
    column->addLayout(base);
    connect(pause_, &QToolButton::toggled, this, &TrendRecorderWindow::PauseToggled);
    connect(&app_, &AppContext::plantRestored, this, [this] {
        ShowLegends();
        DrawChart();
    });
    connect(conf_, &QToolButton::clicked, this, &TrendRecorderWindow::ConfBTNClick);
    connect(exit_, &QToolButton::clicked, this, &TrendRecorderWindow::ExitBTNClick);

    coordinatesPanel_ = new QFrame(panel);
    coordinatesPanel_->setObjectName(QStringLiteral("Panel3"));
    coordinatesPanel_->setFrameShape(QFrame::StyledPanel);
    auto* grade = new QGridLayout(coordinatesPanel_);
    grade->setContentsMargins(4, 2, 4, 2);
    for (int i = 0; i < 6; ++i) {
        coordinates_[i] = Label(QStringLiteral("CoodsText%1").arg(i + 1),
                                 QStringLiteral("Coordenadas %1").arg(i + 1), coordinatesPanel_);
        grade->addWidget(coordinates_[i], i / 3, i % 3);
    }
    coordinatesPanel_->hide();
    column->addWidget(coordinatesPanel_);
    // Beside the taller configuration area the chart stays at the top.
    column->addStretch(1);
    return panel;
}

QWidget* TrendRecorderWindow::MakeConfiguration() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("AreaConfiguracao"));
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(6, 0, 0, 0);
    const auto field = [panel](const char* name) {
        auto* e = new QLineEdit(panel);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    const auto add = [form, panel](const char* labelName, const QString& text, QWidget* w) {
        QLabel* l = Label(QString::fromLatin1(labelName), text, panel);
        l->setBuddy(w);
        w->setAccessibleName(text.trimmed());
        form->addRow(l, w);
    };
    tag_ = field("TagText");
    add("TagLabel", QStringLiteral("Tag"), tag_);
    description_ = field("DescricaoText");
    add("DescricaoLabel", QStringLiteral("   Descrição"), description_);
    const QStringList comboNames = {QStringLiteral("Variavel1Select"), QStringLiteral("Variavel2Select"),
                                QStringLiteral("Variavel3Select")};
    const char* fieldNames[3] = {"Edit1", "Edit2", "Edit3"};
    const char* variableLabels[3] = {"Variavel1Label", "Variavel2Label", "Variavel3Label"};
    const char* textLabels[3] = {"Texto1Label", "Texto2Label", "Texto3Label"};
    for (int c = 0; c < 3; ++c) {
        variables_[c] = new QComboBox(panel);
        variables_[c]->setObjectName(comboNames[c]);
        variables_[c]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        variables_[c]->setMinimumContentsLength(16);
        add(variableLabels[c], QStringLiteral("Variável %1").arg(c + 1), variables_[c]);
        names_[c] = field(fieldNames[c]);
        add(textLabels[c], QStringLiteral("Texto %1").arg(c + 1), names_[c]);
        connect(variables_[c], &QComboBox::activated, this, [this, c](int i) {
            if (filling_) return;
            int& field = c == 0 ? r_.Variable1Select : c == 1 ? r_.Variable2Select : r_.Variable3Select;
            field = i;
            if (c == 2) Variable3SelectChange();
            else ConfigurationChanged();
        });
        connect(names_[c], &QLineEdit::textEdited, this, [this, c](const QString& t) {
            std::string& name = c == 0 ? r_.Curve1Name : c == 1 ? r_.Curve2Name : r_.Curve3Name;
            name = t.toStdString();
            ConfigurationChanged();
        });
    }
    connect(tag_, &QLineEdit::textEdited, this, [this](const QString& t) {
        r_.TagText = t.toStdString();
        ConfigurationChanged();
        if (updateDiagram_) updateDiagram_();
    });
    connect(description_, &QLineEdit::textEdited, this, [this](const QString& t) {
        r_.DescriptionText = t.toStdString();
        ConfigurationChanged();
    });

    timeBase_ = new QComboBox(panel);
    timeBase_->setObjectName(QStringLiteral("BaseTempoBox"));
    timeBase_->addItems(TimeBaseItems(app_.english()));
    add("BaseTempoLabel", QStringLiteral("Tempo: 1 divisão ="), timeBase_);
    // The time base is saved with the project but is no change to mark.
    connect(timeBase_, &QComboBox::activated, this, [this](int i) {
        r_.TimeBaseBox = i;
        UpdateRecorder();
    });

    auto* scale = new QGroupBox(QStringLiteral("Escala"), panel);
    scale->setObjectName(QStringLiteral("EscalaGroup"));
    scale->setAccessibleName(scale->title());
    auto* scaleRow = new QHBoxLayout(scale);
    auto_ = Box(QStringLiteral("EscalaAuto"), QStringLiteral("Auto"), scale);
    thick_ = Box(QStringLiteral("CheckBox2"), QStringLiteral("Linha Grossa"), scale);
    scaleRow->addWidget(auto_);
    scaleRow->addWidget(thick_);
    form->addRow(scale);
    connect(auto_, &QCheckBox::clicked, this, [this](bool on) {
        sampler().AutoScale = on;
        UpdateRecorder();
    });
    connect(thick_, &QCheckBox::toggled, this, [this](bool on) {
        sampler().ThickLine = on;
        DrawChart();
    });

    archive_ = Box(QStringLiteral("CheckBox1"), QStringLiteral("Arquivar"), panel);
    comma_ = Box(QStringLiteral("UsarVirgula"), QStringLiteral("Utilizar ',' como separador decimal"), panel);
    engUnits_ = Box(QStringLiteral("UsarUE"), QStringLiteral("Salvar valores em Unid. de Eng."), panel);
    form->addRow(archive_);
    form->addRow(comma_);
    form->addRow(engUnits_);
    connect(archive_, &QCheckBox::clicked, this, &TrendRecorderWindow::ArchiveToggled);
    connect(comma_, &QCheckBox::toggled, this, [this](bool on) { sampler().UseComma = on; });
    connect(engUnits_, &QCheckBox::toggled, this, [this](bool on) { sampler().UseEU = on; });
    return panel;
}

void TrendRecorderWindow::Fill() {
    filling_ = true;
    const RecorderData& d = r_;
    const Memory& mem = app_.sim().mem;
    QStringList items;
    for (const std::string& s : mem.DisplayList()) items << Q(s);
    const int indices[3] = {d.Variable1Select, d.Variable2Select, d.Variable3Select};
    for (int c = 0; c < 3; ++c) {
        QComboBox* cb = variables_[c];
        cb->clear();
        cb->addItems(items);
        if (c > 0) cb->addItem(QStringLiteral("Nenhum"));
        cb->setCurrentIndex(indices[c] < cb->count() ? indices[c] : -1);
        // The list opens as wide as its entries.
        cb->view()->setMinimumWidth(cb->view()->sizeHintForColumn(0) + 24);
    }
    tag_->setText(Q(d.TagText));
    description_->setText(Q(d.DescriptionText));
    names_[0]->setText(Q(d.Curve1Name));
    names_[1]->setText(Q(d.Curve2Name));
    names_[2]->setText(Q(d.Curve3Name));
    timeBase_->setCurrentIndex(d.TimeBaseBox);
    auto_->setChecked(sampler().AutoScale);
    thick_->setChecked(sampler().ThickLine);
    comma_->setChecked(sampler().UseComma);
    engUnits_->setChecked(sampler().UseEU);
    pause_->setChecked(sampler().paused);
    ShowLog();
    filling_ = false;
}

void TrendRecorderWindow::OnSample() {
    // A log the system stopped writing: the box says why.
    if (archive_->isChecked() && !sampler().isLogging()) {
        ShowLog();
        app_.Inform(Q(sampler().log().Error(app_.english())));
    }
    if (!isVisible()) return;
    ShowLegends();
    DrawChart();
}

void TrendRecorderWindow::ShowLegends() {
    for (int c = 0; c < 3; ++c) legends_[c]->setText(Q(sampler().caption(c)));
}

void TrendRecorderWindow::DrawChart() { plot_->update(); }

void TrendRecorderWindow::UpdateRecorder() {
    r_.UpdateRecorder();
    ShowRecorder();
}

void TrendRecorderWindow::ShowRecorder() {
    const RecorderData& d = r_;
    archive_->setEnabled(!d.TagText.empty());
    upper_->setText(Q(FormatFixed(sampler().topEU(), 4, 1)));
    inf_->setText(Q(FormatFixed(sampler().baseEU(), 4, 1)));
    UpdateScale();
    // A recorder with neither tag nor description keeps the window's own
    // caption rather than a bare " - ".
    if (d.TagText.empty() && d.DescriptionText.empty())
        setWindowTitle(app_.Text(QStringLiteral("Registrador"), QStringLiteral("Register")));
    else
        setWindowTitle(Q(d.TagText + " - " + d.DescriptionText));
    static const char* kSampling[3] = {"Saving 0.1s sampling", "Saving 0.334s sampling", "Saving 2s sampling"};
    archivingLabel_->setText(QString::fromLatin1(kSampling[std::clamp(d.TimeBaseBox, 0, 2)]));
    DrawChart();
}

void TrendRecorderWindow::UpdateScale() {
    for (int j = 0; j < 9; ++j) scale_[j + 1]->setText(Q(sampler().scaleLabels()[j]));
    scale_[0]->setText(Q(sampler().unit()));
    scale_[0]->setAccessibleName(scale_[0]->text().isEmpty() ? QStringLiteral("Label1") : scale_[0]->text());
    area_->Reposition();
}

void TrendRecorderWindow::ConfigurationChanged() {
    if (filling_) return;
    UpdateRecorder();
    app_.MarkModified();
}

void TrendRecorderWindow::Variable3SelectChange() {
    RecorderData& d = r_;
    const int i = d.Variable3Select;
    if (i >= 0 && i < 10) {
        const int n = i + 1;
        if (d.Curve2Name == "SP") d.Variable2Select = 60 + n - 1;
        if (d.Curve1Name == "PV")
            if (const Controller* c = app_.project().controller(n)) {
                const int pv = AddressFromList(c->VariableSelect);
                if (pv > 0) d.Variable1Select = pv - 1;
            }
        Fill();
    }
    ConfigurationChanged();
}

bool TrendRecorderWindow::configurationVisible() const { return config_->isVisibleTo(this); }

void TrendRecorderWindow::ConfBTNClick() {
    config_->setVisible(!config_->isVisibleTo(this));
    exit_->setEnabled(!config_->isVisibleTo(this));
}

void TrendRecorderWindow::ExitBTNClick() { close(); }

void TrendRecorderWindow::closeEvent(QCloseEvent* e) {
    // Closing only hides: the recorder goes on sampling.
    pause_->setChecked(false);
    coordinatesPanel_->hide();
    hide();
    e->ignore();
}

void TrendRecorderWindow::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // A new, untagged recorder opens with its configuration area.
    config_->setVisible(r_.TagText.empty());
    exit_->setEnabled(!config_->isVisibleTo(this));
    conf_->setEnabled(true);
    if (app_.english() && !translated_) {
        translated_ = true;
        ApplyTexts(this, TrendRecorderTexts(), true);
        ApplyTooltips(this, TrendRecorderTooltips(), true);
        SyncAccessibleNames(this);
    }
    // Showing changes nothing in the recorder: a range typed before the
    // window was hidden is still the range.
    Fill();
    ShowRecorder();
    ShowLegends();
}

void TrendRecorderWindow::PauseToggled(bool pause) {
    sampler().paused = pause;
    coordinatesPanel_->setVisible(pause);
}

void TrendRecorderWindow::CursorAt(QPoint p) {
    if (!sampler().paused) return;
    const int i = sampler().NextCursor();
    coordinates_[i - 1]->setText(
        Q(sampler().Coordinate(p.x(), p.y(), upper_->text().toStdString(), inf_->text().toStdString())));
}

void TrendRecorderWindow::eUpperTextEnter() {
    auto_->setChecked(false);
    sampler().SetManualScale(upper_->text().toStdString(), inf_->text().toStdString());
    UpdateScale();
    DrawChart();
}

bool TrendRecorderWindow::eventFilter(QObject* o, QEvent* e) {
    if ((o == upper_ || o == inf_) && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            eUpperTextEnter();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

void TrendRecorderWindow::ArchiveToggled(bool writeArchive) {
    if (!writeArchive) {
        const std::string name = sampler().StopLog();
        ShowLog();
        app_.Inform(QStringLiteral("Data saved: ") + Q(name));
        return;
    }
    if (!sampler().StartLog(std::filesystem::path(app_.WorkFolder().toStdU16String()))) {
        ShowLog();
        app_.Inform(Q(sampler().log().Error(app_.english())));
        return;
    }
    ShowLog();
}

void TrendRecorderWindow::ShowLog() {
    const bool isLogging = sampler().isLogging();
    archive_->setChecked(isLogging);
    if (isLogging && !blinkTimer_.isActive()) {
        blinkTimer_.start();
        archivingLabel_->show();
    } else if (!isLogging) {
        blinkTimer_.stop();
        archivingLabel_->hide();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{upper_, inf_, pause_, tag_, timeBase_}) w->setEnabled(!isLogging);
}

}  // namespace kivo::ui
