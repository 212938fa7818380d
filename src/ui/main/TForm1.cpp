#include "ui/main/TForm1.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QTextEdit>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "help/LinksAjuda.h"
#include "project/ArquivoProjeto.h"
#include "ui/app/Aplicacao.h"
#include "ui/app/Preferencias.h"
#include "ui/app/UserFile.h"
#include "ui/fastsim/TAboutBox.h"
#include "ui/i18n/Traducoes.h"
#include "ui/main/Diagrama.h"
#include "ui/main/TextoRtf.h"
#include "ui/widgets/CommentsPanel.h"
#include "ui/objects/JanelaBloco.h"
#include "ui/objects/JanelaGeradores.h"
#include "ui/objects/JanelaProcesso.h"
#include "ui/objects/TControlador.h"
#include "ui/project/CicloProjeto.h"
#include "ui/project/EscolhaExemplos.h"
#include "ui/project/TConfigForm.h"
#include "ui/recorders/CicloRegistros.h"
#include "ui/project/TDialogos.h"
#include "ui/recorders/PainelWidgets.h"
#include "ui/recorders/TRegXY.h"
#include "ui/widgets/Icones.h"

namespace kivo::ui {

// What the window does around a project load: the progress panel, the
// timer, one box per validation message, the diagram refresh.
class TForm1::Carga : public ObservadorCarga {
public:
    explicit Carga(TForm1& w) : w_(w) {}
    void AoIniciar() override {
        w_.app_.timer().stop();
        w_.progressBar1_->setValue(0);
        w_.groupBox1_->show();
    }
    void AoProgresso(int percent) override {
        w_.progressBar1_->setValue(percent);
        w_.progressBar1_->repaint();
    }
    void AoMensagem(const std::string& texto) override { w_.app_.Informa(QString::fromStdString(texto)); }
    void AoAtualizarDiagrama() override {
        w_.diagrama_->PosicionaMarcadores();
        w_.painel_->Recarrega();
        w_.AtualizaDiagrama();
    }
    void AoTerminar(bool) override {
        w_.groupBox1_->hide();
        w_.app_.timer().start();
    }

private:
    TForm1& w_;
};

TForm1::TForm1(Aplicacao& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kTituloInicial));
    setWindowIcon(CriaIcone(Icone::Programa));
    app_.setJanelaPrincipal(this);
    CriaMenu();
    setCentralWidget(CriaCentro());
    config_ = new TConfigForm(app_, *this);
    // The variable list and the generator bank live as long as the program.
    dialogos_ = new TDialogos(app_, this);
    geradores_ = new JanelaGeradores(app_, this);
    RegistraJanelaMenu("Variveis1", [this]() -> QWidget* { return dialogos_; });
    RegistraJanelaMenu("Configurao1", [this]() -> QWidget* { return geradores_; });
    janelas_.Registra(Familia::Processo, [this](int slot) { return new JanelaProcesso(app_, *this, slot); });
    janelas_.Registra(Familia::Bloco, [this](int slot) { return new JanelaBloco(app_, *this, slot); });
    ciclo_ = std::make_unique<CicloProjeto>(app_, *this);
    carga_ = std::make_unique<Carga>(*this);
    registros_ = new CicloRegistros(*this);
    // The XY recorder lives as long as the main window; the menu shows it.
    RegistraJanelaMenu("RegistradorXY1", [this]() -> QWidget* { return &registros_->regXY(); });
    // Recorders and texts derive their ranges and units from the variable
    // table: they follow the list's refresh as the controllers do.
    connect(dialogos_, &TDialogos::tabelaRelida, registros_, &CicloRegistros::AtualizaTodos);
    // Whatever rewrites the table's texts reaches the windows that list them.
    connect(dialogos_, &TDialogos::tabelaRelida, this, &TForm1::tabelaAlterada);
    connect(dialogos_, &TDialogos::tabelaEditada, this, &TForm1::tabelaAlterada);
    connect(geradores_, &JanelaGeradores::aplicado, this, &TForm1::tabelaAlterada);
    connect(this, &TForm1::tabelaAlterada, &registros_->regXY(), &TRegXY::AtualizaListas);
    // The list's "Tipo" column names the owners of the project it shows.
    connect(this, &TForm1::projetoTrocado, dialogos_, &TDialogos::ReiniciaTipos);
    janelas_.Registra(Familia::Controlador, [this](int n) -> QWidget* {
        kivo::TControlador* c = app_.projeto().controlador(n);
        return c ? new TControlador(app_, *this, *c) : nullptr;
    });
    connect(&app_, &Aplicacao::estadoSalvoMudou, this, &TForm1::AtualizaIndicador);
    AtualizaIndicador(app_.salvo());
    setWindowState(Qt::WindowMaximized);
}

TForm1::~TForm1() {
    // Object windows go before the objects they show.
    janelas_.FechaTodas();
    app_.setJanelaPrincipal(nullptr);
}

ObservadorCarga& TForm1::observadorCarga() { return *carga_; }

QAction* TForm1::acao(const QString& nome) const {
    if (auto* a = findChild<QAction*>(nome)) return a;
    if (auto* m = findChild<QMenu*>(nome)) return m->menuAction();
    return nullptr;
}

void TForm1::CriaMenu() {
    QMenuBar* barra = menuBar();
    const auto item = [this](const char* nome, const char* texto, const char* dica = nullptr) {
        auto* a = new QAction(QString::fromUtf8(texto), this);
        a->setObjectName(QString::fromLatin1(nome));
        if (dica) {
            a->setToolTip(QString::fromUtf8(dica));
            a->setStatusTip(QString::fromUtf8(dica));
        }
        return a;
    };
    const auto menu = [](QWidget* pai, const char* nome, const char* texto) {
        auto* m = new QMenu(QString::fromUtf8(texto), pai);
        m->setObjectName(QString::fromLatin1(nome));
        m->setToolTipsVisible(true);
        return m;
    };

    // The save indicator is the first item of the bar and shows a caption
    // beside its icon, which a menu bar item cannot, so it is a flat button
    // at the bar's leading corner.
    salvar1_ = new QToolButton(barra);
    salvar1_->setObjectName(QStringLiteral("Salvar1"));
    salvar1_->setAutoRaise(true);
    salvar1_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Reachable with Tab like every control; a click does not take focus.
    salvar1_->setFocusPolicy(Qt::TabFocus);
    barra->setCornerWidget(salvar1_, Qt::TopLeftCorner);
    salvar1_->hide();
    connect(salvar1_, &QToolButton::clicked, this, [this] { ciclo_->Salvar(); });

    QMenu* arquivo = menu(barra, "Arquivo1", "Arquivo");
    arquivo->addAction(item("Novo1", "Novo"));
    arquivo->addAction(item("Abrir1", "Abrir"));
    arquivo->addAction(item("SalvarComo1", "Salvar Como..."));
    QAction* n3 = arquivo->addSeparator();
    n3->setObjectName(QStringLiteral("N3"));
    arquivo->addAction(item("Sair1", "Sair"));
    QMenu* lingua = menu(arquivo, "SelectLanguage1", "Select Language");
    auto* grupo = new QActionGroup(lingua);
    for (const auto& [nome, texto] : {std::pair{"Portuguese1", "Portuguese"}, std::pair{"English1", "English"}}) {
        QAction* a = item(nome, texto);
        a->setCheckable(true);
        grupo->addAction(a);
        lingua->addAction(a);
    }
    acao("Portuguese1")->setChecked(true);
    arquivo->addMenu(lingua);
    barra->addMenu(arquivo);

    barra->addAction(item("Exemplos1", "Exemplos"));
    barra->addAction(item("Configurao2", "Configuração", "Inclusão de objetos "));
    barra->addAction(item("Configurao1", "Gerador de Sinais", "Inclusão de sinais aleatórios para simular distúrbios"));
    barra->addAction(item("Dese1", "Simulação Rápida"));
    barra->addAction(item("Variveis1", "Lista de Variáveis"));
    barra->addAction(item("RegistradorXY1", "Registrador XY"));

    QMenu* opcoes = menu(barra, "Opes1", "Opções");
    for (const auto& [nome, texto] : {std::pair{"PausarSimulao2", "Pausar Simulação"},
                                      std::pair{"MoverObjetos2", "Mover Objetos"},
                                      std::pair{"ExcluirObjetos", "Excluir Objetos"}}) {
        QAction* a = item(nome, texto);
        a->setCheckable(true);
        opcoes->addAction(a);
    }
    barra->addMenu(opcoes);

    QMenu* ajuda = menu(barra, "Sobre1", "Ajuda");
    QAction* comentarios = item("Comentrios1", "Exibir comentários");
    comentarios->setCheckable(true);
    ajuda->addAction(comentarios);
    ajuda->addAction(item("utorial1", "Visitar website"));
    ajuda->addAction(item("VdeoAulas1", "Vídeo Aulas"));
    ajuda->addAction(item("IntroduoControledeProcessos1", "Introdução Controle de Processos"));
    ajuda->addAction(item("Sobre3", "Sobre"));
    barra->addMenu(ajuda);

    MostraMenusProjeto(false);
    // The bar shows its items' hints, as the menus do.
    barra->installEventFilter(this);

    connect(acao("Novo1"), &QAction::triggered, this, [this] { ciclo_->Novo(); });
    connect(acao("Abrir1"), &QAction::triggered, this, [this] { ciclo_->Abrir(); });
    connect(acao("SalvarComo1"), &QAction::triggered, this, [this] { ciclo_->SalvarComo(); });
    connect(acao("Sair1"), &QAction::triggered, this, &QWidget::close);
    connect(acao("Exemplos1"), &QAction::triggered, this, [this] { ciclo_->Exemplos(); });
    connect(acao("Portuguese1"), &QAction::triggered, this, [this] { EscolheLingua(false); });
    connect(acao("English1"), &QAction::triggered, this, [this] { EscolheLingua(true); });
    connect(acao("Configurao2"), &QAction::triggered, this, [this] { config_->Exibe(); });
    connect(acao("PausarSimulao2"), &QAction::triggered, this, [this] { app_.AlternaPausa(); });
    connect(acao("Comentrios1"), &QAction::toggled, this, &TForm1::MostraComentarios);
    const auto ajudaEm = [this](const char* nome, help::Entrada e) {
        connect(acao(QString::fromLatin1(nome)), &QAction::triggered, this,
                [this, e] { help::AbreAjuda(app_.interacao(), help::UrlBase(app_.ingles()), e); });
    };
    ajudaEm("utorial1", help::Entrada::Website);
    ajudaEm("VdeoAulas1", help::Entrada::VideoAulas);
    ajudaEm("IntroduoControledeProcessos1", help::Entrada::Aulas);
    connect(acao("Sobre3"), &QAction::triggered, this, [this] {
        auto* sobre = new TAboutBox(this);
        sobre->TraduzSobre(app_.ingles());
        sobre->setAttribute(Qt::WA_DeleteOnClose);
        sobre->show();
    });
    for (const char* nome : {"Configurao1", "Dese1", "Variveis1", "RegistradorXY1"}) {
        const QString item = QString::fromLatin1(nome);
        connect(acao(item), &QAction::triggered, this, [this, item] {
            QPointer<QWidget>& janela = janelasMenu_[item];
            if (!janela) {
                const auto fabrica = fabricasMenu_.find(item);
                if (fabrica == fabricasMenu_.end()) return;
                janela = fabrica->second();
                if (!janela) return;
            }
            janela->show();
            janela->raise();
            janela->activateWindow();
        });
    }
    // The fast-simulation window: a new one for each opening, released on close.
    RegistraJanelaMenu("Dese1", [this]() -> QWidget* {
        auto* rapida = new TAboutBox(app_, this);
        rapida->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &TForm1::projetoTrocado, rapida, &TAboutBox::AcompanhaProjeto);
        connect(this, &TForm1::tabelaAlterada, rapida, &TAboutBox::NomeiaAbas);
        return rapida;
    });
}

void TForm1::RegistraJanelaMenu(const QString& item, std::function<QWidget*()> fabrica) {
    fabricasMenu_[item] = std::move(fabrica);
}

QWidget* TForm1::CriaCentro() {
    auto* centro = new QWidget(this);
    auto* coluna = new QVBoxLayout(centro);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);

    groupBox1_ = new QGroupBox(centro);
    groupBox1_->setObjectName(QStringLiteral("GroupBox1"));
    auto* caixa = new QVBoxLayout(groupBox1_);
    progressBar1_ = new QProgressBar(groupBox1_);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setAccessibleName(QStringLiteral("ProgressBar1"));
    progressBar1_->setRange(0, 100);
    caixa->addWidget(progressBar1_);
    groupBox1_->hide();
    coluna->addWidget(groupBox1_);

    escolha_ = new EscolhaExemplos(app_, centro);
    escolha_->hide();
    connect(escolha_, &EscolhaExemplos::exemploEscolhido, this, [this](int i) { ciclo_->AbreExemplo(i); });
    coluna->addWidget(escolha_, 1);

    // The diagram and the comments panel give way to the chooser together.
    trabalho_ = new QWidget(centro);
    trabalho_->setObjectName(QStringLiteral("AreaDiagrama"));
    auto* linha = new QHBoxLayout(trabalho_);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->setSpacing(0);
    rolagem_ = new QScrollArea(trabalho_);
    rolagem_->setObjectName(QStringLiteral("ScrollBox1"));
    rolagem_->setAccessibleName(QStringLiteral("Diagrama da planta"));
    rolagem_->setFrameShape(QFrame::NoFrame);
    rolagem_->setWidgetResizable(true);
    diagrama_ = new Diagrama(app_, janelas_, acao("MoverObjetos2"), acao("ExcluirObjetos"));
    painel_ = new PainelWidgets(app_, *diagrama_);
    connect(&app_, &Aplicacao::displayAtualizar, painel_, &PainelWidgets::AtualizaDisplay);
    rolagem_->setWidget(diagrama_);
    linha->addWidget(rolagem_, 1);
    connect(diagrama_, &Diagrama::duploClique, this, &TForm1::RecarregaImagemEComentarios);
    connect(diagrama_, &Diagrama::objetoExcluido, this, [this](Familia f, int n) { config_->SlotEsvaziado(f, n); });

    richEdit1_ = new CommentsPanel(trabalho_);
    richEdit1_->setObjectName(QStringLiteral("RichEdit1"));
    richEdit1_->setFixedWidth(288);
    richEdit1_->setFrameShape(QFrame::NoFrame);
    richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = richEdit1_->palette();
    pal.setColor(QPalette::Base, QColor(0xB9, 0xD1, 0xEA));  // light caption gradient
    richEdit1_->setPalette(pal);
    richEdit1_->hide();
    connect(richEdit1_, &QTextEdit::textChanged, this, [this] {
        if (preenchendoComentarios_) return;
        auto& linhas = app_.projeto().comentarios;
        linhas.clear();
        for (const QString& l : richEdit1_->toPlainText().split('\n')) linhas.push_back(l.toStdString());
        app_.MarcaModificado();
    });
    linha->addWidget(richEdit1_);
    coluna->addWidget(trabalho_, 1);

    auto* helpPanel = new QFrame(centro);
    helpPanel->setObjectName(QStringLiteral("HelpPanel"));
    helpPanel->setFrameShape(QFrame::StyledPanel);
    auto* ajuda = new QHBoxLayout(helpPanel);
    ajuda->setContentsMargins(2, 1, 2, 1);
    label21_ = new QLabel(QStringLiteral("Clique aqui para informações adicionais"), helpPanel);
    label21_->setObjectName(QStringLiteral("Label21"));
    label21_->setAccessibleName(label21_->text());
    label21_->setCursor(Qt::PointingHandCursor);
    // A link: Tab reaches it and Enter or Space opens it.
    label21_->setFocusPolicy(Qt::TabFocus);
    label21_->installEventFilter(this);
    ajuda->addWidget(label21_, 0, Qt::AlignCenter);
    coluna->addWidget(helpPanel);
    return centro;
}

bool TForm1::eventFilter(QObject* o, QEvent* e) {
    if (o == menuBar() && e->type() == QEvent::ToolTip) {
        const auto* ajuda = static_cast<QHelpEvent*>(e);
        const QAction* a = menuBar()->actionAt(ajuda->pos());
        if (a && !a->menu() && a->toolTip() != a->text()) {
            QToolTip::showText(ajuda->globalPos(), a->toolTip(), menuBar());
            return true;
        }
        return false;
    }
    const bool teclaAciona = e->type() == QEvent::KeyPress && [&] {
        const int k = static_cast<QKeyEvent*>(e)->key();
        return k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter;
    }();
    if (o == label21_ && (e->type() == QEvent::MouseButtonRelease || teclaAciona)) {
        help::AbreAjuda(app_.interacao(), help::UrlBase(app_.ingles()), help::Entrada::Label21);
        return true;
    }
    return QMainWindow::eventFilter(o, e);
}

void TForm1::AtualizaDiagrama() {
    painel_->AtualizaDiagrama();
    diagrama_->AtualizaDiagrama();
    // Every apply and every load end here, after writing their descriptions.
    emit tabelaAlterada();
}

void TForm1::TraduzIngles() {
    app_.DefineIngles();
    AplicaTextos(this, TextosJanelaPrincipal(), true);
    escolha_->Traduz();
    config_->Traduz();
    acao("English1")->setChecked(true);
    richEdit1_->SetLanguage(true);
    rolagem_->setAccessibleName(QStringLiteral("Plant diagram"));
    AtualizaIndicador(app_.salvo());
}

void TForm1::AtualizaIndicador(bool salvo) {
    const QString texto = salvo ? app_.Texto(QStringLiteral("To salvo!"), QStringLiteral("I´m saved!"))
                                : app_.Texto(QStringLiteral("Salve me!"), QStringLiteral("Save me!"));
    salvar1_->setText(texto);
    salvar1_->setAccessibleName(texto);
    salvar1_->setIcon(CriaIcone(salvo ? Icone::Salvo : Icone::Modificado));
    salvar1_->setProperty("indiceIcone", salvo ? 0 : 1);
}

void TForm1::MostraIndicador(bool visivel) {
    arquivoDoUsuario_ = visivel;
    salvar1_->setVisible(visivel);
    AtualizaTitulo();
    menuBar()->adjustSize();
    menuBar()->updateGeometry();
}

void TForm1::AtualizaTitulo() {
    const std::string& titulo = app_.projeto().titulo;
    if (titulo.empty() && app_.caminhoProjeto.isEmpty()) return;  // the start or "New" caption stays
    QString t = QString::fromStdString(titulo);
    if (arquivoDoUsuario_ && !app_.caminhoProjeto.isEmpty()) {
        const QFileInfo arquivo(app_.caminhoProjeto);
        // A title made from the file's name already names it.
        if (t != arquivo.fileName() && t != arquivo.completeBaseName())
            t = t.isEmpty() ? arquivo.fileName() : t + QStringLiteral(" — ") + arquivo.fileName();
    }
    setWindowTitle(t);
}

void TForm1::MostraMenusProjeto(bool visiveis) {
    for (const char* nome :
         {"SalvarComo1", "Exemplos1", "Configurao2", "Configurao1", "Opes1", "Variveis1", "Dese1", "RegistradorXY1"})
        acao(QString::fromLatin1(nome))->setVisible(visiveis);
}

void TForm1::MostraEscolha(bool visivel) {
    escolha_->setVisible(visivel);
    trabalho_->setVisible(!visivel);
}

void TForm1::MostraComentarios(bool visivel) {
    QAction* item = acao("Comentrios1");
    if (item->isChecked() != visivel) item->setChecked(visivel);  // comes back here through toggled
    richEdit1_->setVisible(visivel);
    app_.projeto().comentariosVisiveis = visivel;
}

void TForm1::RecarregaComentarios() {
    QStringList linhas;
    for (const std::string& l : app_.projeto().comentarios) linhas << QString::fromStdString(l);
    preenchendoComentarios_ = true;
    richEdit1_->setPlainText(linhas.join('\n'));
    preenchendoComentarios_ = false;
}

void TForm1::RecarregaImagemEComentarios() {
    const QString nome = QString::fromStdString(app_.projeto().imagem);
    if (!nome.isEmpty() && QFileInfo::exists(nome)) diagrama_->CarregaImagem(nome);
    const QString rtf = QStringLiteral("descricao.rtf");
    if (!QFileInfo::exists(rtf)) return;
    QString motivo;
    if (const auto bytes = ReadUserFile(rtf, kMaxBytesComments, app_.ingles(), &motivo))
        richEdit1_->setHtml(HtmlDeRtf(*bytes));
    else
        app_.Informa(app_.ingles() ? QStringLiteral("The comments file \"%1\" was not read: %2.").arg(rtf, motivo)
                                   : QStringLiteral("O arquivo de comentários \"%1\" não foi lido: %2.").arg(rtf, motivo));
}

void TForm1::CarregaImagemProjeto(const QString& caminhoImagem, const QString& caminhoProjeto) {
    if (caminhoImagem.isEmpty() || QFileInfo(caminhoImagem).fileName().isEmpty()) {
        diagrama_->EscondeImagem();
        return;
    }
    if (diagrama_->CarregaImagem(caminhoImagem)) return;
    // A project opened from another folder keeps its picture beside it.
    const QString junto = QFileInfo(caminhoProjeto).dir().filePath(QFileInfo(caminhoImagem).fileName());
    if (!diagrama_->CarregaImagem(junto)) diagrama_->EscondeImagem();
}

void TForm1::EscolheLingua(bool ingles) {
    if (ingles != app_.ingles()) {
        const QString erro = EscrevePreferencias(app_.diretorioInicial(), ingles);
        if (!erro.isEmpty())
            app_.Informa(erro);
        else
            app_.Informa(ingles ? QStringLiteral("It is necessary restart application")
                                : QStringLiteral("É necessário reiniciar o aplicativo"));
    }
    // The check mark shows the running program's language.
    acao(app_.ingles() ? "English1" : "Portuguese1")->setChecked(true);
}

void TForm1::closeEvent(QCloseEvent* e) {
    ciclo_->AoFechar();
    e->accept();
}

}  // namespace kivo::ui
