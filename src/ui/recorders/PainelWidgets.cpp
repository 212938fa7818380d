#include "ui/recorders/PainelWidgets.h"

#include <algorithm>

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>

#include "core/NumberText.h"
#include "ui/app/Aplicacao.h"
#include "ui/main/Diagrama.h"
#include "ui/widgets/Icones.h"

namespace kivo::ui {

// A shape on the diagram: a filled circle or rectangle without outline.
class FormaAnimada : public QWidget {
public:
    using QWidget::QWidget;
    bool circulo = true;
    QColor cor = Qt::red;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, circulo);
        p.setPen(Qt::NoPen);
        p.setBrush(cor);
        if (circulo)
            p.drawEllipse(rect());
        else
            p.drawRect(rect());
    }
};

namespace {

constexpr int kLadoChave = 40;
constexpr int kLadoLampada = 28;
constexpr int kLarguraPainel = 180;
constexpr int kLarguraTrack = 117;
constexpr int kAlturaTrack = 60;
constexpr int kAlturaTrackSemBarra = 28;
// The entry box sits this far right of the track's left edge while the
// name is short.
constexpr int kEntradaTrack = 52;
constexpr int kNomeCurto = 6;

QColor CorQt(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

int Redondo(double x) { return static_cast<int>(Arredonda(x)); }

// The light gradient colour of the panels.
QColor CorPainel() { return QColor(0xB9, 0xD1, 0xEA); }

}  // namespace

PainelWidgets::PainelWidgets(Aplicacao& app, Diagrama& diagrama) : QObject(&diagrama), app_(app), diagrama_(diagrama) {
    CriaFormas();
    CriaChaves();
    CriaPainel();
    CriaTracks();
    Recarrega();
}

void PainelWidgets::CriaFormas() {
    for (int k = 1; k <= 5; ++k) {
        auto* f = new FormaAnimada(&diagrama_);
        f->setObjectName(QStringLiteral("Shape%1").arg(k));
        f->setAccessibleName(QStringLiteral("Shape%1").arg(k));
        f->setAttribute(Qt::WA_NoMousePropagation);
        f->installEventFilter(this);
        f->hide();
        formas_[k - 1] = f;
    }
}

void PainelWidgets::CriaChaves() {
    const qreal dpr = qApp->devicePixelRatio();
    for (int c = 1; c <= 2; ++c) {
        const QString dica = QStringLiteral("Saída em M1%1").arg(c);
        for (int p = 1; p <= 8; ++p) {
            auto* l = new QLabel(&diagrama_);
            l->setObjectName(QStringLiteral("Chave%1p%2").arg(c).arg(p));
            l->setPixmap(DesenhaChave((p - 1) / 2, p % 2 == 0, kLadoChave, dpr));
            l->setFixedSize(kLadoChave, kLadoChave);
            l->setToolTip(dica);
            l->setAccessibleName(dica);
            l->setAttribute(Qt::WA_NoMousePropagation);
            // Operable from the keyboard too: Space or Enter turns it.
            l->setFocusPolicy(Qt::TabFocus);
            l->installEventFilter(this);
            l->hide();
            chaves_[c - 1][p - 1] = l;
        }
    }
}

void PainelWidgets::CriaPainel() {
    painel_ = new QGroupBox(QStringLiteral(" Painel de Comando "), &diagrama_);
    painel_->setObjectName(QStringLiteral("PainelComando"));
    painel_->setAccessibleName(painel_->title().trimmed());
    painel_->setAutoFillBackground(true);
    QPalette pal = painel_->palette();
    pal.setColor(QPalette::Window, CorPainel());
    painel_->setPalette(pal);
    painel_->setAttribute(Qt::WA_NoMousePropagation);
    painel_->installEventFilter(this);
    const qreal dpr = qApp->devicePixelRatio();
    QFont negrito = painel_->font();
    negrito.setBold(true);
    for (int b = 1; b <= 3; ++b) {
        const int y = 20 + 50 * (b - 1);
        const QString dica = QStringLiteral("Saída em M%1").arg(96 + b);
        // The first button's pressed picture and texts carry lower-case names.
        auto* norm = new QLabel(painel_);
        norm->setObjectName(QStringLiteral("Botao%1_norm").arg(b));
        norm->setPixmap(DesenhaLampada(false, kLadoLampada, dpr));
        auto* press = new QLabel(painel_);
        press->setObjectName(b == 1 ? QStringLiteral("botao1_press") : QStringLiteral("Botao%1_press").arg(b));
        press->setPixmap(DesenhaLampada(true, kLadoLampada, dpr));
        for (QLabel* l : {norm, press}) {
            l->setGeometry(8, y, kLadoLampada, kLadoLampada);
            l->setToolTip(dica);
            l->setAccessibleName(dica);
            l->setCursor(Qt::PointingHandCursor);
            // Operable from the keyboard too: Space or Enter presses it.
            l->setFocusPolicy(Qt::TabFocus);
            l->installEventFilter(this);
            l->hide();
        }
        auto* rotulo = new QLabel(painel_);
        rotulo->setObjectName(QStringLiteral("Botao%1_label").arg(b));
        rotulo->setFont(negrito);
        rotulo->setGeometry(44, y - 2, kLarguraPainel - 50, 18);
        auto* texto = new QLabel(painel_);
        texto->setObjectName(QStringLiteral("botao%1_texto").arg(b));
        texto->setGeometry(44, y + 14, kLarguraPainel - 50, 18);
        for (QLabel* l : {rotulo, texto}) {
            l->installEventFilter(this);
            l->hide();
        }
        botaoNorm_[b - 1] = norm;
        botaoPress_[b - 1] = press;
        botaoRotulo_[b - 1] = rotulo;
        botaoTexto_[b - 1] = texto;
    }
    painel_->resize(kLarguraPainel, 70);
    painel_->hide();
}

void PainelWidgets::CriaTracks() {
    for (int n = 1; n <= 6; ++n) {
        auto* fundo = new QFrame(&diagrama_);
        fundo->setObjectName(QStringLiteral("TrackBack%1").arg(n));
        fundo->setFrameShape(QFrame::Box);
        fundo->setAutoFillBackground(true);
        QPalette pal = fundo->palette();
        pal.setColor(QPalette::Window, CorPainel());
        fundo->setPalette(pal);
        fundo->resize(kLarguraTrack, kAlturaTrack);
        auto* rotulo = new QLabel(&diagrama_);
        rotulo->setObjectName(QStringLiteral("TrackLabel%1").arg(n));
        auto* texto = new QLineEdit(QStringLiteral("0"), &diagrama_);
        texto->setObjectName(QStringLiteral("TrackText%1").arg(n));
        texto->resize(52, 20);
        // The parts are laid out at 7 pixels per character of the name, so
        // the track's texts use a font of that width.
        QFont pequena = rotulo->font();
        pequena.setPixelSize(11);
        rotulo->setFont(pequena);
        texto->setFont(pequena);
        auto* barra = new QSlider(Qt::Horizontal, &diagrama_);
        barra->setObjectName(QStringLiteral("TrackBar%1").arg(n));
        barra->setRange(0, 10000);
        barra->setTickInterval(1000);
        barra->setTickPosition(QSlider::TicksBelow);
        barra->resize(kLarguraTrack - 12, 32);
        for (QWidget* w : std::initializer_list<QWidget*>{fundo, rotulo, texto, barra}) {
            w->setAttribute(Qt::WA_NoMousePropagation);
            w->installEventFilter(this);
            w->hide();
        }
        connect(barra, &QSlider::valueChanged, this, [this, n](int p) { BarraMudou(n, p); });
        trackFundo_[n - 1] = fundo;
        trackRotulo_[n - 1] = rotulo;
        trackTexto_[n - 1] = texto;
        trackBarra_[n - 1] = barra;
    }
}

QWidget* PainelWidgets::forma(int k) const { return formas_[k - 1]; }

void PainelWidgets::Recarrega() {
    const Projeto& p = app_.projeto();
    for (int k = 1; k <= 5; ++k) {
        ColocaForma(k, p.formas[k - 1].esquerda, p.formas[k - 1].topoBase);
        AplicaForma(k);
    }
    for (int c = 1; c <= 2; ++c) {
        ColocaChave(c, p.chaves[c - 1].esquerda, p.chaves[c - 1].topo);
        AplicaChave(c);
        // A loaded switch shows the state its variable holds.
        if (p.chaves[c - 1].habilitada && app_.sim().mem[10 + c] != 0) InverteFigura(c);
    }
    ColocaPainel(p.painel.esquerda, p.painel.topo);
    AplicaBotoes();
    for (int n = 1; n <= 6; ++n) {
        trackFundo_[n - 1]->resize(kLarguraTrack, kAlturaTrack);
        trackBarra_[n - 1]->resize(kLarguraTrack - 12, trackBarra_[n - 1]->height());
        ColocaTrack(n, p.tracks[n - 1].esquerda, p.tracks[n - 1].topo);
        AplicaTrack(n);
        ajustando_ = true;
        trackBarra_[n - 1]->setValue(Redondo(app_.sim().mem[14 + n] * 100));
        ajustando_ = false;
        trackTexto_[n - 1]->setText(TextoDaBarra(n));
    }
    diagrama_.AjustaTamanho();
}

QColor PainelWidgets::CorDaLampada(const Forma& f, double valor) { return CorQt(valor != 0 ? f.cor2 : f.cor1); }

void PainelWidgets::AtualizaDiagrama() {
    const Memorias& mem = app_.sim().mem;
    for (int n = 1; n <= 6; ++n)
        if (!trackTexto_[n - 1]->isHidden())
            trackTexto_[n - 1]->setText(
                QString::fromStdString(FormataFixo(mem.ParaEngenharia(14 + n, mem[14 + n]), 5, 2)));
    for (int k = 1; k <= 5; ++k)
        if (app_.projeto().formas[k - 1].habilitada) AplicaForma(k);
    AplicaBotoes();
}

void PainelWidgets::AtualizaDisplay() {
    const Projeto& p = app_.projeto();
    const Memorias& mem = p.sim.mem;
    for (int k = 1; k <= 5; ++k) {
        const Forma& f = p.formas[k - 1];
        FormaAnimada* w = formas_[k - 1];
        if (w->isHidden()) continue;
        const double v = mem[f.variavel + 1];
        if (f.tipo == 0) {
            w->cor = CorDaLampada(f, v);
            w->update();
        } else {
            // Below 0 % the rectangle vanishes; above 100 % it keeps growing
            // upward from its bottom edge.
            const double fator = f.altura / 50.0;
            const int altura = std::max(0, Redondo(v * fator));
            w->setGeometry(f.esquerda, Redondo((100 - v) * fator + f.topoBase), f.largura, altura);
        }
    }
    for (int b = 1; b <= 3; ++b)
        if (!botaoRotulo_[b - 1]->isHidden()) {
            const Botao& bt = p.botoes[b - 1];
            botaoTexto_[b - 1]->setText(QString::fromStdString(mem[96 + b] != 0 ? bt.textoUm : bt.textoZero));
        }
}

void PainelWidgets::AplicaForma(int k) {
    const Forma& f = app_.projeto().formas[k - 1];
    FormaAnimada* w = formas_[k - 1];
    w->setVisible(f.habilitada);
    w->circulo = f.tipo == 0;
    // A redraw shows the lamp's current state, not its "off" colour until
    // the next display tick (which never comes while paused).
    w->cor = CorDaLampada(f, app_.sim().mem[f.variavel + 1]);
    if (w->circulo) {
        w->setGeometry(f.esquerda, f.topoBase, f.largura, f.altura);
    } else {
        const double fator = f.altura / 50.0;
        const double v = app_.sim().mem[f.variavel + 1];
        w->setGeometry(f.esquerda, Redondo((100 - v) * fator + f.topoBase), f.largura,
                       std::max(0, Redondo(v * fator)));
    }
    w->update();
}

void PainelWidgets::AplicaChave(int c) {
    const Chave& ch = app_.projeto().chaves[c - 1];
    const QString dica = app_.Texto(QStringLiteral("Saída em M1%1"), QStringLiteral("Output at M1%1")).arg(c);
    const QString nome = app_.Texto(QStringLiteral("Chave %1"), QStringLiteral("Switch %1")).arg(c);
    for (int p = 1; p <= 8; ++p) {
        QLabel* l = chaves_[c - 1][p - 1];
        l->setVisible(ch.habilitada && p == 2 * ch.orientacao + 1);
        l->setToolTip(dica);
        l->setAccessibleName(nome);
        l->setAccessibleDescription(dica);
    }
}

void PainelWidgets::InverteFigura(int c) {
    const int o = app_.projeto().chaves[c - 1].orientacao;
    for (int p : {2 * o + 1, 2 * o + 2}) chaves_[c - 1][p - 1]->setVisible(chaves_[c - 1][p - 1]->isHidden());
}

void PainelWidgets::InverteChave(int c) {
    double& m = app_.sim().mem[10 + c];
    m = 1 - m;
    const bool comFoco = std::any_of(chaves_[c - 1].begin(), chaves_[c - 1].end(), [](QLabel* l) { return l->hasFocus(); });
    InverteFigura(c);
    // The picture shown now keeps the keyboard focus the other one had.
    if (comFoco)
        for (QLabel* l : chaves_[c - 1])
            if (!l->isHidden()) l->setFocus(Qt::OtherFocusReason);
}

void PainelWidgets::AplicaBotoes() {
    const Projeto& p = app_.projeto();
    const Memorias& mem = p.sim.mem;
    int altura = 0;
    bool anterior = true;
    for (int b = 1; b <= 3; ++b) {
        const bool ativo = anterior && p.botoes[b - 1].habilitado;
        // The lamp shows the state the variable holds.
        const bool pressionado = mem[96 + b] != 0;
        botaoNorm_[b - 1]->setVisible(ativo && !pressionado);
        botaoPress_[b - 1]->setVisible(ativo && pressionado);
        botaoRotulo_[b - 1]->setVisible(ativo);
        botaoTexto_[b - 1]->setVisible(ativo);
        if (ativo) {
            altura = 20 + 50 * b;
            AplicaDescricaoBotao(b);
            const Botao& bt = p.botoes[b - 1];
            botaoTexto_[b - 1]->setText(QString::fromStdString(pressionado ? bt.textoUm : bt.textoZero));
        }
        anterior = ativo;
    }
    painel_->setVisible(altura > 0);
    if (altura > 0) painel_->resize(kLarguraPainel, altura);
    diagrama_.AjustaTamanho();
}

void PainelWidgets::AplicaDescricaoBotao(int b) {
    const QString texto = QString::fromStdString(app_.projeto().botoes[b - 1].descricao);
    botaoRotulo_[b - 1]->setText(texto);
    const QString dica = app_.Texto(QStringLiteral("Saída em M%1"), QStringLiteral("Output at M%1")).arg(96 + b);
    for (QLabel* l : {botaoNorm_[b - 1], botaoPress_[b - 1]}) l->setToolTip(dica);
    botaoNorm_[b - 1]->setAccessibleName(texto.isEmpty() ? dica : texto);
    botaoPress_[b - 1]->setAccessibleName(botaoNorm_[b - 1]->accessibleName());
}

void PainelWidgets::AlternaBotao(int b, bool pressionado) {
    app_.sim().mem[96 + b] = pressionado ? 1 : 0;
    const bool comFoco = botaoNorm_[b - 1]->hasFocus() || botaoPress_[b - 1]->hasFocus();
    botaoNorm_[b - 1]->setVisible(!pressionado);
    botaoPress_[b - 1]->setVisible(pressionado);
    if (comFoco) (pressionado ? botaoPress_ : botaoNorm_)[b - 1]->setFocus(Qt::OtherFocusReason);
}

void PainelWidgets::AplicaTrack(int n) {
    const Track& t = app_.projeto().tracks[n - 1];
    QFrame* fundo = trackFundo_[n - 1];
    QSlider* barra = trackBarra_[n - 1];
    const QString nome = QString::fromStdString(t.rotulo);
    trackRotulo_[n - 1]->setText(nome);
    trackRotulo_[n - 1]->adjustSize();
    // Every part of the track is named by the track's caption; a track
    // without a name by the variable it writes.
    const QString acessivel = nome.trimmed().isEmpty() ? QStringLiteral("Track %1 (M%2)").arg(n).arg(14 + n) : nome;
    for (QWidget* w : std::initializer_list<QWidget*>{fundo, trackRotulo_[n - 1], trackTexto_[n - 1], barra})
        w->setAccessibleName(acessivel);
    const int comprimento = int(nome.size());
    if (comprimento > kNomeCurto) {
        fundo->resize(7 * comprimento + 75, fundo->height());
        barra->resize(7 * comprimento + 63, barra->height());
        trackTexto_[n - 1]->move(fundo->x() + 7 * comprimento + 10, trackTexto_[n - 1]->y());
    }
    fundo->resize(fundo->width(), t.deslizante ? kAlturaTrack : kAlturaTrackSemBarra);
    fundo->setVisible(t.habilitado);
    trackRotulo_[n - 1]->setVisible(t.habilitado);
    trackTexto_[n - 1]->setVisible(t.habilitado);
    barra->setVisible(t.habilitado && t.deslizante);
    fundo->lower();
    diagrama_.imagem()->lower();
    diagrama_.AjustaTamanho();
}

void PainelWidgets::ColocaForma(int k, int x, int y) {
    Forma& f = app_.projeto().formas[k - 1];
    f.esquerda = x;
    f.topoBase = y;
    const double v = app_.sim().mem[f.variavel + 1];
    formas_[k - 1]->move(x, Redondo((100 - v) * (f.altura / 50.0) * f.tipo + y));
}

void PainelWidgets::ColocaChave(int c, int x, int y) {
    app_.projeto().chaves[c - 1].esquerda = x;
    app_.projeto().chaves[c - 1].topo = y;
    for (QLabel* l : chaves_[c - 1]) l->move(x, y);
}

void PainelWidgets::ColocaPainel(int x, int y) {
    app_.projeto().painel.esquerda = x;
    app_.projeto().painel.topo = y;
    painel_->move(x, y);
}

void PainelWidgets::ColocaTrack(int n, int x, int y) {
    app_.projeto().tracks[n - 1].esquerda = x;
    app_.projeto().tracks[n - 1].topo = y;
    trackFundo_[n - 1]->move(x, y);
    trackRotulo_[n - 1]->move(x + 6, y + 6);
    trackBarra_[n - 1]->move(x + 4, y + 22);
    const int comprimento = int(trackRotulo_[n - 1]->text().size());
    trackTexto_[n - 1]->move(comprimento <= kNomeCurto ? x + kEntradaTrack : x + 7 * comprimento + 10, y + 4);
}

QString PainelWidgets::TextoDaBarra(int n) const {
    const Memorias& mem = app_.sim().mem;
    const double lo = mem.UeMinNum(14 + n);
    const double hi = mem.UeMaxNum(14 + n);
    return QString::fromStdString(FormataFixo(lo + (hi - lo) * trackBarra_[n - 1]->value() / 10000.0, 4, 2));
}

void PainelWidgets::BarraMudou(int n, int posicao) {
    if (ajustando_) return;
    app_.sim().mem[14 + n] = posicao / 100.0;
    trackTexto_[n - 1]->setText(TextoDaBarra(n));
}

void PainelWidgets::TextoConfirmado(int n) {
    Memorias& mem = app_.sim().mem;
    const double lo = mem.UeMinNum(14 + n);
    const double hi = mem.UeMaxNum(14 + n);
    bool ok = false;
    const double valor = trackTexto_[n - 1]->text().trimmed().toDouble(&ok);
    if (!ok || valor < lo || valor > hi || hi == lo) {
        trackTexto_[n - 1]->setText(TextoDaBarra(n));
        return;
    }
    trackTexto_[n - 1]->setText(QString::fromStdString(FormataFixo(valor, 4, 2)));
    mem[14 + n] = (valor - lo) * 100 / (hi - lo);
    // The slider follows; when its position moves, its change handler sets
    // the variable to the slider's step and rewrites the text from it.
    trackBarra_[n - 1]->setValue(Redondo(mem[14 + n] * 100));
}

bool PainelWidgets::Mover(QWidget* alvo) {
    if (!diagrama_.modoMover()) return false;
    for (int k = 1; k <= 5; ++k)
        if (alvo == formas_[k - 1]) diagrama_.Seleciona(alvo, [this, k](int x, int y) { ColocaForma(k, x, y); });
    for (int c = 1; c <= 2; ++c)
        for (QLabel* l : chaves_[c - 1])
            if (alvo == l) diagrama_.Seleciona(alvo, [this, c](int x, int y) { ColocaChave(c, x, y); });
    if (alvo == painel_ || alvo->parentWidget() == painel_)
        diagrama_.Seleciona(painel_, [this](int x, int y) { ColocaPainel(x, y); });
    for (int n = 1; n <= 6; ++n)
        if (alvo == trackFundo_[n - 1] || alvo == trackRotulo_[n - 1] || alvo == trackTexto_[n - 1] ||
            alvo == trackBarra_[n - 1])
            diagrama_.Seleciona(trackFundo_[n - 1], [this, n](int x, int y) { ColocaTrack(n, x, y); });
    return true;
}

bool PainelWidgets::eventFilter(QObject* o, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return false;
    switch (e->type()) {
        case QEvent::MouseButtonPress:
            // In move mode a press picks the widget up instead of using it.
            return Mover(w);
        case QEvent::MouseButtonDblClick:
            for (int c = 1; c <= 2; ++c)
                for (QLabel* l : chaves_[c - 1])
                    if (w == l) {
                        InverteChave(c);
                        return true;
                    }
            return false;
        case QEvent::MouseButtonRelease:
            if (diagrama_.modoMover()) return false;
            for (int b = 1; b <= 3; ++b) {
                if (w == botaoNorm_[b - 1]) AlternaBotao(b, true);
                else if (w == botaoPress_[b - 1]) AlternaBotao(b, false);
                else continue;
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            const int tecla = static_cast<QKeyEvent*>(e)->key();
            const bool aciona = tecla == Qt::Key_Space || tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
            for (int b = 1; aciona && b <= 3; ++b)
                if (w == botaoNorm_[b - 1] || w == botaoPress_[b - 1]) {
                    AlternaBotao(b, w == botaoNorm_[b - 1]);
                    return true;
                }
            for (int c = 1; aciona && c <= 2; ++c)
                for (QLabel* l : chaves_[c - 1])
                    if (w == l) {
                        InverteChave(c);
                        return true;
                    }
            for (int n = 1; n <= 6; ++n)
                if (w == trackTexto_[n - 1]) {
                    if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                        TextoConfirmado(n);
                        return true;
                    }
                    if (tecla == Qt::Key_Escape) {
                        trackTexto_[n - 1]->setText(TextoDaBarra(n));
                        return true;
                    }
                }
            return false;
        }
        default: return false;
    }
}

}  // namespace kivo::ui
