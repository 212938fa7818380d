#include "ui/objects/TControlador.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/LinksAjuda.h"
#include "objects/Controller.h"
#include "ui/app/Aplicacao.h"
#include "ui/i18n/TextosControlador.h"
#include "ui/i18n/Traducoes.h"
#include "ui/main/TForm1.h"
#include "ui/objects/ConfigControlador.h"
#include "ui/objects/GraficoTendencia.h"
#include "ui/widgets/BarraVertical.h"

namespace kivo::ui {
namespace {

template <class W>
W* Nomeado(W* w, const char* nome) {
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QLabel* Legenda(const char* nome, const char* texto, QWidget* pai) {
    auto* l = Nomeado(new QLabel(QString::fromUtf8(texto), pai), nome);
    l->setAccessibleName(l->text());
    return l;
}

// The pictures of the two layout buttons, drawn at the size asked for: a
// small trend for the trend area, three sliders for the configuration.
QIcon IconeBotao(bool tendencia) {
    QIcon icone;
    for (int lado : {16, 24, 32, 48}) {
        QPixmap pm(lado, lado);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const double u = lado / 16.0;
        if (tendencia) {
            p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), u));
            p.drawRect(QRectF(1.5 * u, 2.5 * u, 13 * u, 11 * u));
            p.setPen(QPen(Qt::red, 1.5 * u));
            p.drawPolyline(QPolygonF{QPointF(2 * u, 11 * u), QPointF(6 * u, 6 * u), QPointF(9 * u, 9 * u),
                                     QPointF(14 * u, 4 * u)});
            p.setPen(QPen(Qt::blue, 1.2 * u));
            p.drawLine(QPointF(2 * u, 7 * u), QPointF(14 * u, 7 * u));
        } else {
            p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2 * u));
            for (int k = 0; k < 3; ++k) {
                const double y = (4 + 4 * k) * u;
                p.drawLine(QPointF(2 * u, y), QPointF(14 * u, y));
                const double x = (4 + 4 * ((k + 1) % 3)) * u;
                p.setBrush(QColor(0x30, 0x60, 0xC0));
                p.drawRect(QRectF(x - 1.5 * u, y - 1.5 * u, 3 * u, 3 * u));
            }
        }
        icone.addPixmap(pm);
    }
    return icone;
}

}  // namespace

QString& TControlador::pastaLog() {
    static QString pasta;
    return pasta;
}

TControlador::TControlador(Aplicacao& app, TForm1& principal, kivo::TControlador& modelo)
    : QWidget(&principal, Qt::Window), app_(app), principal_(principal), c_(modelo) {
    setObjectName(QStringLiteral("Controlador"));
    auto* linha = new QHBoxLayout(this);
    // The window takes the size its contents ask for in either layout, in
    // both languages and at any scaling.
    linha->setSizeConstraint(QLayout::SetFixedSize);
    linha->addWidget(CriaFaceplate(), 0, Qt::AlignTop);

    area_ = new QWidget(this);
    auto* a = new QVBoxLayout(area_);
    a->setContentsMargins(0, 0, 0, 0);
    paginas_ = new QStackedWidget(area_);
    paginaTendencia_ = CriaTendencia();
    config_ = new ConfigControlador(app_.sim().mem, paginas_);
    paginas_->addWidget(paginaTendencia_);
    paginas_->addWidget(config_);
    a->addWidget(paginas_);
    linha->addWidget(area_, 1);

    AplicaTextosControle(this, TextosFaceplate(), app_.ingles());
    config_->Carrega(c_);
    connect(config_, &ConfigControlador::editado, this, &TControlador::ConfigEditada);
    connect(config_->atualizar(), &QPushButton::clicked, this, &TControlador::btnatualizaClick);

    pisca_.setObjectName(QStringLiteral("Timer1"));
    pisca_.setInterval(500);
    connect(&pisca_, &QTimer::timeout, this, &TControlador::Timer1Timer);
    connect(&app_, &Aplicacao::displayAtualizar, this, &TControlador::AtualizaDisplay);

    c_.tendencia.observador = this;
    // The window shows what the last apply left in the model.
    AposAplicar(true);
    MostraSP();
    MostraMV();
    AtualizaDisplay();
}

TControlador::~TControlador() {
    if (c_.tendencia.observador == this) c_.tendencia.observador = nullptr;
}

QWidget* TControlador::CriaFaceplate() {
    auto* f = Nomeado(new QWidget(this), "Faceplate");
    auto* v = new QVBoxLayout(f);
    v->setContentsMargins(0, 0, 0, 0);

    cabecalho_ = Nomeado(new QLabel(f), "Cabecalho");
    cabecalho_->setAlignment(Qt::AlignCenter);
    cabecalho_->setWordWrap(true);
    QFont negrito = cabecalho_->font();
    negrito.setBold(true);
    cabecalho_->setFont(negrito);
    v->addWidget(cabecalho_);

    auto* modos = new QGridLayout;
    // Tool buttons: a push button's style minimum would widen the narrow
    // faceplate.
    lr_ = Nomeado(new QToolButton(f), "LocalRemotoBTN");
    am_ = Nomeado(new QToolButton(f), "AutoManualBTN");
    for (QToolButton* b : {lr_, am_}) b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    letraLR_ = Nomeado(new QLabel(f), "LetraLR");
    letraAM_ = Nomeado(new QLabel(f), "LetraAM");
    for (QLabel* l : {letraLR_, letraAM_}) {
        l->setFont(negrito);
        l->setAlignment(Qt::AlignCenter);
        l->setFrameShape(QFrame::Box);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    }
    modos->addWidget(lr_, 0, 0);
    modos->addWidget(letraLR_, 0, 1);
    modos->addWidget(am_, 0, 2);
    modos->addWidget(letraAM_, 0, 3);
    v->addLayout(modos);
    connect(lr_, &QToolButton::clicked, this, &TControlador::LocalRemotoBTNClick);
    connect(am_, &QToolButton::clicked, this, &TControlador::AutoManualBTNClick);

    auto* g = new QGridLayout;
    g->setHorizontalSpacing(4);
    g->addWidget(Legenda("LabelSPBar", "SP:", f), 0, 0, Qt::AlignHCenter);
    g->addWidget(Legenda("LabelPVBar", "PV:", f), 0, 1, Qt::AlignHCenter);
    g->addWidget(Legenda("LabelCOBar", "CO:", f), 0, 2, Qt::AlignHCenter);

    // The SPR bar stands narrow beside the SP bar when the remote setpoint
    // is enabled.
    auto* sp = new QHBoxLayout;
    sp->setSpacing(1);
    spBar_ = Nomeado(new BarraVertical(Qt::blue, 200, f), "SPBar");
    sprBar_ = Nomeado(new BarraVertical(QColor(0x60, 0x90, 0xFF), 200, f), "SPRBar");
    sprBar_->setFixedWidth(sprBar_->fontMetrics().height() / 2);
    sp->addWidget(spBar_);
    sp->addWidget(sprBar_);
    g->addLayout(sp, 1, 0, Qt::AlignHCenter);
    pvBar_ = Nomeado(new BarraVertical(Qt::red, 200, f), "PVBar");
    coBar_ = Nomeado(new BarraVertical(QColor(0, 160, 0), 200, f), "COBar");
    g->addWidget(pvBar_, 1, 1, Qt::AlignHCenter);
    g->addWidget(coBar_, 1, 2, Qt::AlignHCenter);

    const int larguraCampo = fontMetrics().horizontalAdvance(QStringLiteral("-0000.00 "));
    const auto campo = [&](const char* nome) {
        auto* e = Nomeado(new QLineEdit(f), nome);
        e->setAlignment(Qt::AlignRight);
        e->setMinimumWidth(larguraCampo);
        e->setMaximumWidth(larguraCampo * 3 / 2);
        e->installEventFilter(this);
        return e;
    };
    spText_ = campo("SPText");
    pvText_ = campo("PVText");
    pvText_->setReadOnly(true);
    mvText_ = campo("MVText");
    g->addWidget(spText_, 2, 0);
    g->addWidget(pvText_, 2, 1);
    g->addWidget(mvText_, 2, 2);
    connect(mvText_, &QLineEdit::textEdited, this, [this] {
        if (!c_.estado.modoAuto) enviar_->setEnabled(true);
    });

    spPorc_ = Nomeado(new QLabel(f), "SPPorc");
    pvPorc_ = Nomeado(new QLabel(f), "PVPorc");
    g->addWidget(spPorc_, 3, 0, Qt::AlignRight);
    g->addWidget(pvPorc_, 3, 1, Qt::AlignRight);
    g->addWidget(Legenda("LabelCOPorc", "%", f), 2, 3);
    unidade_ = Nomeado(new QLabel(f), "UnidadeSP");
    unidade_->setAlignment(Qt::AlignCenter);
    g->addWidget(unidade_, 4, 0, 1, 2);

    const auto passo = [&](const char* nome, QStyle::StandardPixmap seta) {
        auto* b = Nomeado(new QToolButton(f), nome);
        b->setIcon(style()->standardIcon(seta));
        b->setAutoRepeat(true);
        return b;
    };
    incSP_ = passo("IncrementaSP", QStyle::SP_ArrowUp);
    decSP_ = passo("DecrementaSP", QStyle::SP_ArrowDown);
    incMV_ = passo("IncrementaSaida", QStyle::SP_ArrowUp);
    decMV_ = passo("DecrementaSaida", QStyle::SP_ArrowDown);
    auto* passosSP = new QHBoxLayout;
    passosSP->addWidget(decSP_);
    passosSP->addWidget(incSP_);
    g->addLayout(passosSP, 5, 0);
    connect(incSP_, &QToolButton::clicked, this, [this] { IncrementaSP(1); });
    connect(decSP_, &QToolButton::clicked, this, [this] { IncrementaSP(-1); });
    v->addLayout(g, 1);

    auto* saida = Nomeado(new QGroupBox(f), "SaidaGroup");
    auto* s = new QHBoxLayout(saida);
    s->addWidget(decMV_);
    s->addWidget(incMV_);
    enviar_ = Nomeado(new QPushButton(saida), "Button2");
    s->addWidget(enviar_, 1);
    v->addWidget(saida);
    connect(incMV_, &QToolButton::clicked, this, [this] { IncrementaSaida(1); });
    connect(decMV_, &QToolButton::clicked, this, [this] { IncrementaSaida(-1); });
    connect(enviar_, &QPushButton::clicked, this, &TControlador::MVTextEnter);

    auto* botoes = new QHBoxLayout;
    configBtn_ = Nomeado(new QToolButton(f), "ConfigBTN");
    configBtn_->setIcon(IconeBotao(false));
    trendBtn_ = Nomeado(new QToolButton(f), "TrendButton");
    trendBtn_->setIcon(IconeBotao(true));
    ajuda_ = Nomeado(new QToolButton(f), "SpeedButton1");
    auto* sair = Nomeado(new QPushButton(f), "SairBTN");
    for (QToolButton* b : {configBtn_, trendBtn_}) {
        const int lado = b->fontMetrics().height() * 3 / 2;
        b->setIconSize(QSize(lado, lado));
    }
    botoes->addWidget(configBtn_);
    botoes->addWidget(trendBtn_);
    botoes->addWidget(ajuda_);
    botoes->addStretch(1);
    botoes->addWidget(sair);
    v->addLayout(botoes);
    connect(configBtn_, &QToolButton::clicked, this, &TControlador::ConfigBTNClick);
    connect(trendBtn_, &QToolButton::clicked, this, &TControlador::TrendButtonClick);
    connect(sair, &QPushButton::clicked, this, &QWidget::close);
    connect(ajuda_, &QToolButton::clicked, this, [this] {
        help::AbreAjuda(app_.interacao(), help::UrlBase(app_.ingles()), help::Entrada::Controlador);
    });
    return f;
}

QWidget* TControlador::CriaTendencia() {
    auto* t = Nomeado(new QWidget(this), "PaginaTendencia");
    auto* v = new QVBoxLayout(t);
    v->setContentsMargins(0, 0, 0, 0);

    grafico_ = Nomeado(new GraficoTendencia(c_.tendencia, t), "Image1");
    auto* topo = new QHBoxLayout;
    const std::array nomes{"PVCheck", "SPCheck", "COCheck", "AtuadorCheck"};
    for (int k = 0; k < 4; ++k) {
        const auto curva = static_cast<TendenciaControlador::Curva>(k);
        curvas_[k] = Nomeado(new QCheckBox(t), nomes[k]);
        curvas_[k]->setChecked(grafico_->curvaVisivel(curva));
        connect(curvas_[k], &QCheckBox::toggled, this, [this, curva](bool m) { grafico_->setCurvaVisivel(curva, m); });
        topo->addWidget(curvas_[k]);
    }
    grossa_ = Nomeado(new QCheckBox(t), "LinhaGrossa");
    connect(grossa_, &QCheckBox::toggled, grafico_, &GraficoTendencia::setLinhaGrossa);
    topo->addSpacing(fontMetrics().averageCharWidth() * 2);
    topo->addWidget(grossa_);
    topo->addStretch(1);
    // The tuning assistant starts from what the trend shows.
    sintoniaBtn_ = Nomeado(new QPushButton(t), "SintoniaBTN");
    topo->addWidget(sintoniaBtn_);
    connect(sintoniaBtn_, &QPushButton::clicked, this, &TControlador::SintoniaBTNClick);
    pausa_ = Nomeado(new QToolButton(t), "SpeedButton2");
    pausa_->setCheckable(true);
    pausa_->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    topo->addWidget(pausa_);
    connect(pausa_, &QToolButton::clicked, this, &TControlador::SpeedButton2Click);
    v->addLayout(topo);

    auto* meio = new QHBoxLayout;
    auto* escala = new QVBoxLayout;
    const int largura = fontMetrics().horizontalAdvance(QStringLiteral("-00000.0"));
    const auto campo = [&](const char* nome) {
        auto* e = Nomeado(new QLineEdit(t), nome);
        e->setMaximumWidth(largura + fontMetrics().averageCharWidth() * 2);
        e->setMinimumWidth(largura);
        e->installEventFilter(this);
        return e;
    };
    eSup_ = campo("eSupText");
    eInf_ = campo("eInfText");
    escalaAuto_ = Nomeado(new QCheckBox(t), "EscalaAuto");
    escalaAuto_->setChecked(c_.tendencia.EscalaAuto);
    connect(escalaAuto_, &QCheckBox::clicked, this, &TControlador::Reescala);
    escala->addWidget(eSup_);
    escala->addStretch(1);
    escala->addWidget(escalaAuto_);
    escala->addStretch(1);
    escala->addWidget(eInf_);
    meio->addLayout(escala);
    meio->addWidget(grafico_, 1);
    v->addLayout(meio, 1);
    connect(grafico_, &GraficoTendencia::clicado, this, &TControlador::Image1MouseDown);
    connect(grafico_, &GraficoTendencia::duploClique, this, &TControlador::Reescala);

    // The cursor readout keeps its place while hidden, so pausing does not
    // resize the window.
    coordenadas_ = Nomeado(new QFrame(t), "Coordenadas");
    coordenadas_->setAccessibleName(app_.Texto(QStringLiteral("Coordenadas do cursor"), QStringLiteral("Cursor coordinates")));
    static_cast<QFrame*>(coordenadas_)->setFrameShape(QFrame::StyledPanel);
    auto* gc = new QGridLayout(coordenadas_);
    gc->setContentsMargins(4, 1, 4, 1);
    for (int k = 0; k < 6; ++k) {
        cursor_[k] = Nomeado(new QLabel(coordenadas_), "Coordenada");
        cursor_[k]->setObjectName(QStringLiteral("Coordenada%1").arg(k + 1));
        gc->addWidget(cursor_[k], k / 3, k % 3);
    }
    QSizePolicy sp = coordenadas_->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    coordenadas_->setSizePolicy(sp);
    coordenadas_->hide();
    ReiniciaCursor();
    v->addWidget(coordenadas_);

    auto* base = new QHBoxLayout;
    auto* rotuloBase = Nomeado(new QLabel(t), "LabelBaseTempo");
    baseTempo_ = Nomeado(new QComboBox(t), "BaseTempoBox");
    baseTempo_->addItems(ItensBaseTempo(app_.ingles()));
    baseTempo_->setCurrentIndex(c_.tendencia.BaseTempoBox);
    rotuloBase->setBuddy(baseTempo_);
    connect(baseTempo_, &QComboBox::activated, this, &TControlador::BaseTempoBoxChange);
    arquivar_ = Nomeado(new QCheckBox(t), "CheckBox1");
    connect(arquivar_, &QCheckBox::clicked, this, &TControlador::CheckBox1Click);
    indicador_ = Nomeado(new QLabel(t), "LabelArquivando");
    QPalette vermelho = indicador_->palette();
    vermelho.setColor(QPalette::WindowText, Qt::red);
    indicador_->setPalette(vermelho);
    sp = indicador_->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    indicador_->setSizePolicy(sp);
    indicador_->hide();
    base->addWidget(rotuloBase);
    base->addWidget(baseTempo_);
    base->addStretch(1);
    base->addWidget(arquivar_);
    base->addWidget(indicador_);
    v->addLayout(base);

    auto* opcoes = new QHBoxLayout;
    unidEng_ = Nomeado(new QCheckBox(t), "CheckBox2");
    virgula_ = Nomeado(new QCheckBox(t), "CheckBox3");
    opcoes->addWidget(unidEng_);
    opcoes->addWidget(virgula_);
    opcoes->addStretch(1);
    v->addLayout(opcoes);
    return t;
}

void TControlador::MostraLayout(Layout l) {
    layout_ = l;
    area_->setVisible(l != Layout::Estreito);
    if (l == Layout::Tendencia) paginas_->setCurrentWidget(paginaTendencia_);
    if (l == Layout::Configuracao) paginas_->setCurrentWidget(config_);
}

void TControlador::showEvent(QShowEvent* e) {
    // Opened wide: the configuration when the loop is not set up yet,
    // otherwise the trend. A click on the marker brings back the exit and
    // configuration buttons.
    MostraLayout(c_.TagText.empty() || c_.VariavelSelect < 0 ? Layout::Configuracao : Layout::Tendencia);
    configBtn_->setEnabled(true);
    AtualizaDisplay();
    QWidget::showEvent(e);
}

void TControlador::closeEvent(QCloseEvent* e) {
    // Closing only hides: the loop and its trend go on; a paused trend
    // resumes.
    c_.tendencia.pausado = false;
    pausa_->setChecked(false);
    coordenadas_->hide();
    QWidget::closeEvent(e);
}

void TControlador::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !c_.estado.modoAuto) enviar_->setEnabled(true);
    QWidget::changeEvent(e);
}

bool TControlador::eventFilter(QObject* o, QEvent* e) {
    if (e->type() != QEvent::KeyPress) return QWidget::eventFilter(o, e);
    const int tecla = static_cast<QKeyEvent*>(e)->key();
    const bool enter = tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
    const bool esc = tecla == Qt::Key_Escape;
    if (!enter && !esc) return QWidget::eventFilter(o, e);
    if (o == spText_) {
        if (enter && c_.estado.modoLocal)
            SPTextEnter();
        else
            MostraSP();
        return true;
    }
    if (o == mvText_) {
        if (enter && !c_.estado.modoAuto)
            MVTextEnter();
        else if (!c_.estado.modoAuto)
            MostraMV();
        return true;
    }
    if ((o == eSup_ || o == eInf_) && enter) {
        eSupTextEnter();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace kivo::ui
