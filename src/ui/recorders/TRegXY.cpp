#include "ui/recorders/TRegXY.h"

#include <algorithm>

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QImage>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QLineSeries>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include "ui/app/Aplicacao.h"
#include "ui/app/OperacaoLonga.h"
#include "ui/i18n/TextosRegistros.h"
#include "ui/objects/Formulario.h"

namespace kivo::ui {

namespace {

// An axis list that is rebuilt from the variable table each time it opens.
class ListaVariaveis : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> aoAbrir;
    void showPopup() override {
        if (aoAbrir) aoAbrir();
        QComboBox::showPopup();
    }
};

}  // namespace

TRegXY::TRegXY(Aplicacao& app, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      app_(app) {
    setObjectName(QStringLiteral("RegXY"));
    setWindowTitle(QStringLiteral("Registrador XY"));
    auto* coluna = new QVBoxLayout(this);

    auto* topo = new QGridLayout;
    const auto rotulo = [this](const char* nome, const char* texto, QWidget* w) {
        auto* l = new QLabel(QString::fromUtf8(texto), this);
        l->setObjectName(QString::fromLatin1(nome));
        l->setAccessibleName(l->text());
        l->setBuddy(w);
        return l;
    };
    const auto lista = [this](const char* nome) {
        auto* c = new ListaVariaveis(this);
        c->setObjectName(QString::fromLatin1(nome));
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        // Room for the number and a description of a few words.
        c->setMinimumContentsLength(22);
        return c;
    };
    auto* x = lista("ComboX");
    auto* y = lista("ComboY");
    comboX_ = x;
    comboY_ = y;
    presets_ = new QComboBox(this);
    presets_->setObjectName(QStringLiteral("Presets"));
    for (const std::string& s : ItensPresetXY()) presets_->addItem(QString::fromStdString(s));
    janela_ = new QComboBox(this);
    janela_->setObjectName(QStringLiteral("JanelaComboBox"));
    janela_->addItems({QStringLiteral("10 min"), QStringLiteral("30 min"), QStringLiteral("1 hora")});
    topo->addWidget(rotulo("LabelX", "var X:", comboX_), 0, 0);
    topo->addWidget(comboX_, 0, 1);
    topo->addWidget(rotulo("LabelY", "var Y:", comboY_), 0, 2);
    topo->addWidget(comboY_, 0, 3);
    topo->addWidget(rotulo("PresetsLabel", "Presets:", presets_), 1, 0);
    topo->addWidget(presets_, 1, 1);
    topo->addWidget(rotulo("JanelaLabel", "Janela:", janela_), 1, 2);
    topo->addWidget(janela_, 1, 3);
    topo->setColumnStretch(1, 1);
    topo->setColumnStretch(3, 1);
    coluna->addLayout(topo);

    for (ListaVariaveis* l : {x, y})
        l->aoAbrir = [this] {
            // Opening a list ends the preset; the choice made stays.
            AtualizaListas();
            presets_->setCurrentIndex(0);
        };
    connect(comboX_, &QComboBox::activated, this, &TRegXY::AtualizaBotao);
    connect(comboY_, &QComboBox::activated, this, &TRegXY::AtualizaBotao);
    connect(presets_, &QComboBox::activated, this, &TRegXY::PresetsChange);

    auto* botoes = new QHBoxLayout;
    const auto botao = [this, botoes](const char* nome, QStyle::StandardPixmap icone) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(nome));
        b->setIcon(style()->standardIcon(icone));
        b->setAutoRaise(true);
        botoes->addWidget(b);
        return b;
    };
    QToolButton* zoom = botao("SpeedButton1", QStyle::SP_FileDialogContentsView);
    QToolButton* desfaz = botao("SpeedButton2", QStyle::SP_ArrowBack);
    QToolButton* escala = botao("SpeedButton3", QStyle::SP_TitleBarMaxButton);
    QToolButton* limpa = botao("SpeedButton4", QStyle::SP_DialogResetButton);
    gauge1_ = new QProgressBar(this);
    gauge1_->setObjectName(QStringLiteral("Gauge1"));
    gauge1_->setAccessibleName(QStringLiteral("Progresso do registro"));
    gauge1_->setRange(0, 100);
    gauge1_->setTextVisible(false);
    QPalette pal = gauge1_->palette();
    pal.setColor(QPalette::Highlight, QColor(0, 0, 128));
    gauge1_->setPalette(pal);
    botoes->addWidget(gauge1_, 1);
    registra_ = new QPushButton(QStringLiteral("Registra"), this);
    registra_->setObjectName(QStringLiteral("Button1"));
    registra_->setAutoDefault(false);
    sair_ = new QPushButton(QStringLiteral("Sair"), this);
    sair_->setObjectName(QStringLiteral("SairButton"));
    sair_->setAutoDefault(false);
    botoes->addWidget(registra_);
    botoes->addWidget(sair_);

    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setBackgroundBrush(Qt::white);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    // A series without its line whose points are a small image painted in
    // one pass: a point series keeps a scene item per marker, and tens of
    // thousands of them take seconds to replace after a run.
    serie_ = new QLineSeries;
    serie_->setMarkerSize(2);
    serie_->setPen(Qt::NoPen);
    serie_->setColor(Qt::red);
    QImage ponto(4, 4, QImage::Format_ARGB32_Premultiplied);
    ponto.fill(Qt::red);
    serie_->setLightMarker(ponto);
    chart_->addSeries(serie_);
    eixoX_ = new QValueAxis;
    eixoY_ = new QValueAxis;
    for (QValueAxis* a : {eixoX_, eixoY_}) a->setLabelFormat(QStringLiteral("%.1f"));
    chart_->addAxis(eixoX_, Qt::AlignBottom);
    chart_->addAxis(eixoY_, Qt::AlignLeft);
    serie_->attachAxis(eixoX_);
    serie_->attachAxis(eixoY_);
    vista_ = new QChartView(chart_, this);
    vista_->setObjectName(QStringLiteral("Chart1"));
    vista_->setAccessibleName(QString::fromUtf8("Gráfico XY"));
    vista_->setMinimumSize(420, 320);
    coluna->addWidget(vista_, 1);
    coluna->addLayout(botoes);
    EscalaAutomatica();

    connect(zoom, &QToolButton::clicked, this, [this] { vista_->setRubberBand(QChartView::RectangleRubberBand); });
    connect(desfaz, &QToolButton::clicked, this, [this] {
        chart_->zoomReset();
        escala0a100_ = false;
        EscalaAutomatica();
    });
    connect(escala, &QToolButton::clicked, this, [this] {
        escala0a100_ = true;
        eixoX_->setRange(0, 100);
        eixoY_->setRange(0, 100);
    });
    connect(limpa, &QToolButton::clicked, this, &TRegXY::Limpa);
    connect(registra_, &QPushButton::clicked, this, &TRegXY::Button1Click);
    connect(sair_, &QPushButton::clicked, this, &QWidget::hide);

    for (QPushButton* b : {registra_, sair_}) b->setAccessibleName(b->text());
    AplicaDicas(this, DicasRegXY(), false);
    // The lists and the window selector are named by their captions.
    SincronizaNomesAcessiveis(this);
    PreencheListas();
}

TRegXY::~TRegXY() = default;

void TRegXY::PreencheListas() {
    AtualizaListas();
    comboX_->setCurrentIndex(0);
    comboY_->setCurrentIndex(0);
    AtualizaBotao();
}

void TRegXY::AtualizaListas() {
    // The entries carry the variable table's descriptions, which an apply,
    // a project load or the variable list changes.
    QStringList itens;
    for (const std::string& s : app_.sim().mem.ListaExibicao()) itens << QString::fromStdString(s);
    for (QComboBox* c : {comboX_, comboY_}) {
        AtualizaItens(c, itens);
        if (c->currentIndex() < 0) c->setCurrentIndex(0);
        c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 24);
    }
}

void TRegXY::Limpa() {
    if (executando_) return;
    pontos_.clear();
    serie_->clear();
    EscalaAutomatica();
    gauge1_->setValue(0);
}

void TRegXY::AtualizaBotao() { registra_->setEnabled(comboX_->currentIndex() >= 0 && comboY_->currentIndex() >= 0); }

void TRegXY::PresetsChange(int i) {
    const auto par = PresetXY(app_.sim(), i);
    if (!par) return;
    AtualizaListas();
    comboX_->setCurrentIndex(par->first - 1);
    comboY_->setCurrentIndex(par->second - 1);
    AtualizaBotao();
}

void TRegXY::Button1Click() {
    const int j = std::clamp(janela_->currentIndex(), 0, 2);
    RegistraXY(kJanelasXY[static_cast<std::size_t>(j)], comboX_->currentIndex() + 1, comboY_->currentIndex() + 1);
}

void TRegXY::RegistraXY(double janela, int x, int y) {
    if (executando_) return;
    executando_ = true;
    registra_->setEnabled(false);
    {
        TimerSuspenso suspenso(app_.timer());
        ProgressoBarra progresso(*gauge1_);
        kivo::RegistraXY(app_.sim(), janela, x, y, pontos_, &progresso);
    }
    gauge1_->setValue(100);
    // The whole series in one call: inserting point by point would redraw
    // the chart thousands of times.
    QList<QPointF> lista;
    lista.reserve(static_cast<qsizetype>(pontos_.size()));
    for (const PontoXY& p : pontos_) lista.append(QPointF(p.x, p.y));
    serie_->replace(lista);
    if (!escala0a100_) EscalaAutomatica();
    registra_->setEnabled(true);
    AtualizaBotao();
    executando_ = false;
}

void TRegXY::EscalaAutomatica() {
    if (pontos_.empty()) {
        eixoX_->setRange(0, 100);
        eixoY_->setRange(0, 100);
        return;
    }
    const auto [minX, maxX] = std::minmax_element(pontos_.begin(), pontos_.end(),
                                                  [](const PontoXY& a, const PontoXY& b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(pontos_.begin(), pontos_.end(),
                                                  [](const PontoXY& a, const PontoXY& b) { return a.y < b.y; });
    // A margin of 5 % around the points; a single value gets one unit
    // either side so that it is not drawn on the frame.
    const auto faixa = [](QValueAxis* eixo, double lo, double hi) {
        const double m = hi > lo ? (hi - lo) * 0.05 : 1;
        eixo->setRange(lo - m, hi + m);
    };
    faixa(eixoX_, minX->x, maxX->x);
    faixa(eixoY_, minY->y, maxY->y);
}

void TRegXY::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    AtualizaListas();
    if (app_.ingles() && !traduzido_) {
        traduzido_ = true;
        AplicaTextos(this, TextosRegXY(), true);
        AplicaDicas(this, DicasRegXY(), true);
        SincronizaNomesAcessiveis(this);
        const auto itens = ItensPresetXY(true);
        for (int i = 0; i < presets_->count() && i < int(itens.size()); ++i)
            presets_->setItemText(i, QString::fromStdString(itens[std::size_t(i)]));
    }
    // Centred on the screen.
    if (const QScreen* tela = screen()) move(tela->availableGeometry().center() - rect().center());
}

void TRegXY::closeEvent(QCloseEvent* e) {
    // "Sair" hides; there is no other way out, and none during a run.
    if (executando_) e->ignore();
    else QDialog::closeEvent(e);
}

void TRegXY::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && executando_) return;
    QDialog::keyPressEvent(e);
}

}  // namespace kivo::ui
