#include "ui/main/Diagrama.h"

#include <algorithm>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

#include "ui/app/Aplicacao.h"
#include "ui/app/UserFile.h"
#include "ui/widgets/Icones.h"

namespace kivo::ui {
namespace {

constexpr int kLarguraMarcador = 79;
constexpr int kAlturaMarcador = 22;
// A text's description label sits this far above its value label.
constexpr int kAcimaDoValor = 13;

QString NomeMarcador(Familia f, int n) {
    const QString num = QString::number(n);
    switch (f) {
        case Familia::Controlador: return "Control" + num;
        // Processes 2..10 carry a lower-case name.
        case Familia::Processo: return (n >= 2 && n <= 10 ? "proce" : "Proce") + num;
        case Familia::Bloco: return "Bloc" + num;
        case Familia::Registrador: return "Reg" + num;
        case Familia::Texto: return "Texto" + num;
    }
    return {};
}

// The fixed hint: the object's output address.
QString DicaMarcador(Familia f, int n, bool ingles) {
    const std::string saida = ingles ? "Output at " : "Saída em ";
    switch (f) {
        case Familia::Controlador: return QString::fromStdString(saida + NomeVariavel(n));
        case Familia::Processo: return QString::fromStdString(saida + NomeVariavel(EnderecoProcesso(n)));
        case Familia::Bloco: return QString::fromStdString(saida + NomeVariavel(EnderecoBloco(n)));
        default: return {};
    }
}

// What a screen reader says a marker is, before its tag.
QString NomeFamilia(Familia f, bool ingles) {
    switch (f) {
        case Familia::Controlador: return ingles ? QStringLiteral("Controller") : QStringLiteral("Controlador");
        case Familia::Processo: return ingles ? QStringLiteral("Process") : QStringLiteral("Processo");
        case Familia::Bloco: return ingles ? QStringLiteral("Block") : QStringLiteral("Bloco");
        case Familia::Registrador: return ingles ? QStringLiteral("Recorder") : QStringLiteral("Registrador");
        default: return {};
    }
}

Icone IconeDe(Familia f) {
    switch (f) {
        case Familia::Controlador: return Icone::Controlador;
        case Familia::Processo: return Icone::Processo;
        case Familia::Bloco: return Icone::Bloco;
        default: return Icone::Registrador;
    }
}

}  // namespace

Diagrama::Diagrama(Aplicacao& app, JanelasObjetos& janelas, QAction* mover, QAction* excluir, QWidget* parent)
    : QWidget(parent), app_(app), janelas_(janelas), mover_(mover), excluir_(excluir) {
    setObjectName(QStringLiteral("Diagrama"));
    setAccessibleName(QStringLiteral("Diagrama"));
    setMouseTracking(true);
    setAutoFillBackground(true);
    imagem_ = new QLabel(this);
    imagem_->setObjectName(QStringLiteral("Image1"));
    // Clicks pass through the picture to the surface underneath.
    imagem_->setAttribute(Qt::WA_TransparentForMouseEvents);
    imagem_->hide();
    CriaMarcadores();
    // The cursor follows the mode items' check marks.
    for (QAction* a : {mover_, excluir_})
        connect(a, &QAction::toggled, this, [this](bool ligado) {
            if (ligado)
                setCursor(Qt::CrossCursor);
            else
                unsetCursor();
        });
    AjustaTamanho();
}

int Diagrama::TamanhoFamilia(Familia f) {
    switch (f) {
        case Familia::Controlador:
        case Familia::Registrador: return 10;
        case Familia::Processo:
        case Familia::Bloco: return 24;
        case Familia::Texto: return 20;
    }
    return 0;
}

void Diagrama::CriaMarcadores() {
    for (Familia f : {Familia::Controlador, Familia::Processo, Familia::Bloco, Familia::Registrador}) {
        const QIcon icone = CriaIcone(IconeDe(f));
        for (int n = 1; n <= TamanhoFamilia(f); ++n) {
            auto* b = new QToolButton(this);
            b->setObjectName(NomeMarcador(f, n));
            b->setAutoRaise(true);
            b->setIcon(icone);
            b->setIconSize(QSize(16, 16));
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            b->setToolTip(DicaMarcador(f, n, false));
            b->setAccessibleName(DicaMarcador(f, n, false));
            b->setFixedSize(kLarguraMarcador, kAlturaMarcador);
            // Reachable with the keyboard; the pointer does not take focus.
            b->setFocusPolicy(Qt::TabFocus);
            // Pointer movements over a marker do not drag anything.
            b->setAttribute(Qt::WA_NoMousePropagation);
            b->installEventFilter(this);
            b->hide();
            connect(b, &QToolButton::clicked, this, [this, f, n] { CliqueMarcador(f, n); });
            switch (f) {
                case Familia::Controlador: controladores_[n - 1] = b; break;
                case Familia::Processo: processos_[n - 1] = b; break;
                case Familia::Bloco: blocos_[n - 1] = b; break;
                default: registradores_[n - 1] = b; break;
            }
        }
    }
    for (int n = 1; n <= 20; ++n) {
        QFont negrito = font();
        negrito.setBold(true);
        auto* valor = new QLabel(this);
        valor->setObjectName(QStringLiteral("Texto%1").arg(n));
        auto* rotulo = new QLabel(this);
        rotulo->setObjectName(QStringLiteral("Label%1").arg(n));
        for (QLabel* l : {valor, rotulo}) {
            l->setFont(negrito);
            l->setAttribute(Qt::WA_TranslucentBackground);
            l->setAttribute(Qt::WA_NoMousePropagation);
            l->hide();
        }
        // A click on either label acts on the text's marker; the value is
        // reached with Tab, and Enter or Space acts on it too.
        valor->setFocusPolicy(Qt::TabFocus);
        valor->installEventFilter(this);
        rotulo->installEventFilter(this);
        valores_[n - 1] = valor;
        rotulos_[n - 1] = rotulo;
    }
}

QToolButton* Diagrama::marcador(Familia f, int n) const {
    switch (f) {
        case Familia::Controlador: return controladores_[n - 1];
        case Familia::Processo: return processos_[n - 1];
        case Familia::Bloco: return blocos_[n - 1];
        case Familia::Registrador: return registradores_[n - 1];
        case Familia::Texto: return nullptr;
    }
    return nullptr;
}

Marcador& Diagrama::modelo(Familia f, int n) const {
    Marcadores& m = app_.projeto().marcadores;
    switch (f) {
        case Familia::Controlador: return m.controladores[n - 1];
        case Familia::Processo: return m.processos[n - 1];
        case Familia::Bloco: return m.blocos[n - 1];
        case Familia::Registrador: return m.registradores[n - 1];
        case Familia::Texto: break;
    }
    return m.textos[n - 1];
}

void Diagrama::AtualizaDiagrama() {
    Projeto& p = app_.projeto();
    p.AtualizaLegendas();
    // Tracks, shapes and the command panel come first, with the panel
    // widgets that show them; then the markers.
    const auto botao = [&](Familia f, int n) {
        QToolButton* b = marcador(f, n);
        const Marcador& m = modelo(f, n);
        b->setText(QString::fromStdString(m.legenda));
        // As wide as its tag needs: a long tag is not cut.
        b->setFixedWidth(std::max(kLarguraMarcador, b->sizeHint().width()));
        // Announced by what it is and its tag, with the hint (recorders have
        // none) as the description, in the language shown.
        const bool ingles = app_.ingles();
        b->setToolTip(DicaMarcador(f, n, ingles));
        b->setAccessibleName(NomeFamilia(f, ingles) + QLatin1Char(' ') + b->text());
        b->setAccessibleDescription(b->toolTip());
        b->setVisible(m.exibido);
    };
    for (int n = 1; n <= 10; ++n) {
        const TControlador* c = p.controlador(n);
        if (!c) continue;
        botao(Familia::Controlador, n);
        QToolButton* b = controladores_[n - 1];
        QPalette pal = b->palette();
        const QColor cor = c->estado.modoAuto ? Qt::blue : Qt::red;
        pal.setColor(QPalette::ButtonText, cor);
        pal.setColor(QPalette::WindowText, cor);
        b->setPalette(pal);
    }
    for (int n = 1; n <= 24; ++n)
        if (p.sim.blocos.ativo(n)) botao(Familia::Bloco, n);
    for (int n = 1; n <= 24; ++n)
        if (p.sim.processos.ativo(n)) botao(Familia::Processo, n);
    for (int n = 1; n <= 10; ++n)
        if (p.sim.registradores.ativo(n)) botao(Familia::Registrador, n);
    for (int n = 1; n <= 20; ++n) {
        const DadosTexto* t = p.texto(n);
        if (!t) continue;
        const QString descricao = QString::fromStdString(t->DescricaoText);
        rotulos_[n - 1]->setText(descricao);
        rotulos_[n - 1]->adjustSize();
        rotulos_[n - 1]->setAccessibleName(descricao);
        // The value is announced by what it shows, with the caption as its
        // description.
        valores_[n - 1]->setAccessibleDescription(descricao);
        const bool visivel = p.marcadores.textos[n - 1].exibido;
        valores_[n - 1]->setVisible(visivel);
        rotulos_[n - 1]->setVisible(visivel);
    }
    AjustaTamanho();
}

void Diagrama::PosicionaMarcadores() {
    for (Familia f : kFamilias)
        for (int n = 1; n <= TamanhoFamilia(f); ++n) {
            const Marcador& m = modelo(f, n);
            Coloca(f, n, m.esquerda, m.topo);
        }
    AjustaTamanho();
}

void Diagrama::Reinicia() {
    for (Familia f : kFamilias)
        for (int n = 1; n <= TamanhoFamilia(f); ++n) {
            if (QToolButton* b = marcador(f, n)) {
                b->setText(QString());
                b->hide();
            }
        }
    for (int n = 1; n <= 20; ++n) {
        rotulos_[n - 1]->clear();
        rotulos_[n - 1]->hide();
        valores_[n - 1]->hide();
    }
    selecionado_ = nullptr;
    carregando_ = false;
    EscondeImagem();
    PosicionaMarcadores();
}

bool Diagrama::CarregaImagem(const QString& caminho) {
    QPixmap pm;
    if (caminho.isEmpty()) return false;
    const auto bytes = ReadUserFile(caminho, kMaxBytesPicture, false);
    if (!bytes || !pm.loadFromData(*bytes)) return false;
    imagem_->setPixmap(pm);
    imagem_->setGeometry(0, 0, pm.width(), pm.height());
    imagem_->lower();
    imagem_->show();
    AjustaTamanho();
    return true;
}

void Diagrama::EscondeImagem() {
    imagem_->hide();
    imagem_->clear();
    AjustaTamanho();
}

void Diagrama::Coloca(Familia f, int n, int x, int y) {
    Marcador& m = modelo(f, n);
    m.esquerda = x;
    m.topo = y;
    if (f == Familia::Texto) {
        valores_[n - 1]->move(x, y);
        rotulos_[n - 1]->move(x, y - kAcimaDoValor);
    } else {
        marcador(f, n)->move(x, y);
    }
}

void Diagrama::AjustaTamanho() {
    QRect r(0, 0, 1, 1);
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isHidden()) r = r.united(w->geometry());
    setMinimumSize(r.right() + 1, r.bottom() + 1);
}

void Diagrama::CliqueMarcador(Familia f, int n) {
    if (mover_->isChecked()) {
        Seleciona(f == Familia::Texto ? static_cast<QWidget*>(valores_[n - 1]) : marcador(f, n),
                  [this, f, n](int x, int y) { Coloca(f, n, x, y); });
        return;
    }
    if (excluir_->isChecked()) {
        Exclui(f, n);
        return;
    }
    janelas_.Abre(f, n);
}

bool Diagrama::modoMover() const { return mover_->isChecked(); }

void Diagrama::Seleciona(QWidget* item, std::function<void(int x, int y)> coloca) {
    selecionado_ = item;
    colocaSelecionado_ = std::move(coloca);
    carregando_ = !carregando_;
}

void Diagrama::Exclui(Familia f, int n) {
    janelas_.Fecha(f, n);
    Simulacao& sim = app_.sim();
    switch (f) {
        case Familia::Controlador: sim.controladores.Apaga(n); break;
        case Familia::Processo: sim.processos.Apaga(n); break;
        case Familia::Bloco: sim.blocos.Apaga(n); break;
        case Familia::Registrador: sim.registradores.Apaga(n); break;
        case Familia::Texto: sim.textos.Apaga(n); break;
    }
    Marcador& m = modelo(f, n);
    m.legenda.clear();
    m.exibido = false;
    if (f == Familia::Texto) {
        valores_[n - 1]->hide();
        rotulos_[n - 1]->hide();
    } else {
        marcador(f, n)->setText(QString());
        marcador(f, n)->hide();
    }
    if (selecionado_ && !selecionado_->isVisible()) {
        selecionado_ = nullptr;
        carregando_ = false;
    }
    emit objetoExcluido(f, n);
}

void Diagrama::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (mover_->isChecked() || excluir_->isChecked()) app_.MarcaModificado();
    mover_->setChecked(false);
    excluir_->setChecked(false);
    carregando_ = false;
    unsetCursor();
}

void Diagrama::mouseMoveEvent(QMouseEvent* e) {
    if (!mover_->isChecked() || !carregando_ || !selecionado_) return;
    app_.MarcaModificado();
    const QPoint p = e->position().toPoint();
    colocaSelecionado_(p.x(), p.y());
    AjustaTamanho();
}

void Diagrama::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit duploClique();
}

bool Diagrama::eventFilter(QObject* o, QEvent* e) {
    const auto tecla = [e] { return static_cast<QKeyEvent*>(e)->key(); };
    const bool aciona = e->type() == QEvent::KeyPress &&
                        (tecla() == Qt::Key_Return || tecla() == Qt::Key_Enter || tecla() == Qt::Key_Space);
    if (e->type() == QEvent::MouseButtonRelease || aciona) {
        for (int n = 1; n <= 20; ++n)
            if (o == valores_[n - 1] || o == rotulos_[n - 1]) {
                CliqueMarcador(Familia::Texto, n);
                return true;
            }
        // Enter acts on a marker as Space does.
        if (aciona)
            if (auto* b = qobject_cast<QToolButton*>(o); b && b->parent() == this) {
                b->click();
                return true;
            }
    }
    return QWidget::eventFilter(o, e);
}

}  // namespace kivo::ui
