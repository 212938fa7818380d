#pragma once
// The main window: menu, save indicator, plant diagram, comments panel,
// help bar, loading progress and the example chooser.
#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "ui/main/JanelasObjetos.h"
#include "ui/widgets/CommentsPanel.h"

class QAction;
class QGroupBox;
class QLabel;
class QProgressBar;
class QScrollArea;
class QTextEdit;
class QToolButton;

namespace kivo {
class ObservadorCarga;
}

namespace kivo::ui {

class Aplicacao;
class CicloProjeto;
class CicloRegistros;
class Diagrama;
class EscolhaExemplos;
class JanelaGeradores;
class TDialogos;
class PainelWidgets;
class TConfigForm;

inline constexpr char kTituloInicial[] = "KIVO (v 7.71)";
// The caption of a new or reset project.
inline constexpr char kTituloNovo[] = "KIVO v 7.71";

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(Aplicacao& app, QWidget* parent = nullptr);
    ~TForm1() override;

    Aplicacao& app() { return app_; }
    Diagrama& diagrama() { return *diagrama_; }
    PainelWidgets& painel() { return *painel_; }
    JanelasObjetos& janelas() { return janelas_; }
    TConfigForm& config() { return *config_; }
    EscolhaExemplos& escolha() { return *escolha_; }
    CicloProjeto& ciclo() { return *ciclo_; }
    CicloRegistros& registros() { return *registros_; }
    TDialogos& dialogos() { return *dialogos_; }
    JanelaGeradores& geradores() { return *geradores_; }
    QToolButton* indicador() const { return salvar1_; }
    CommentsPanel* comentarios() const { return richEdit1_; }
    QGroupBox* progresso() const { return groupBox1_; }
    ObservadorCarga& observadorCarga();
    // A menu item by its objectName.
    QAction* acao(const QString& nome) const;

    // The window a menu item shows (signal generators, fast simulation,
    // variable list, XY recorder): built on first use, then shown again.
    // Items without a window do nothing.
    void RegistraJanelaMenu(const QString& item, std::function<QWidget*()> fabrica);

    void AtualizaDiagrama();
    // Applies the English texts of the main window, the chooser and the
    // configuration dialog; sets the language flag.
    void TraduzIngles();
    // The save indicator and the project's menu items.
    void MostraIndicador(bool visivel);
    // The caption: the project's title and, for a project kept in a file of
    // the user's (the save indicator shown), that file's name, so a student
    // with several copies of a plant sees which one is open.
    void AtualizaTitulo();
    void MostraMenusProjeto(bool visiveis);
    void MostraEscolha(bool visivel);
    void MostraComentarios(bool visivel);
    // The comments panel shows the project's lines.
    void RecarregaComentarios();
    // Reloads the picture and "descricao.rtf" (double click on the diagram).
    void RecarregaImagemEComentarios();
    // The background picture of the project, looked for in the current
    // directory and then beside the project file.
    void CarregaImagemProjeto(const QString& caminhoImagem, const QString& caminhoProjeto);

signals:
    // A project was reset or loaded: windows that outlive projects drop
    // what they showed of the previous one.
    void projetoTrocado();
    // The variable table's texts may have changed (an apply, a load, the
    // list's refresh or a stored cell): windows that list variables follow.
    void tabelaAlterada();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    class Carga;

    void CriaMenu();
    QWidget* CriaCentro();
    void AtualizaIndicador(bool salvo);
    void EscolheLingua(bool ingles);

    Aplicacao& app_;
    JanelasObjetos janelas_;
    bool arquivoDoUsuario_ = false;
    QToolButton* salvar1_ = nullptr;
    Diagrama* diagrama_ = nullptr;
    PainelWidgets* painel_ = nullptr;
    QWidget* trabalho_ = nullptr;
    QScrollArea* rolagem_ = nullptr;
    CommentsPanel* richEdit1_ = nullptr;
    QGroupBox* groupBox1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QLabel* label21_ = nullptr;
    EscolhaExemplos* escolha_ = nullptr;
    TConfigForm* config_ = nullptr;
    std::map<QString, std::function<QWidget*()>> fabricasMenu_;
    std::map<QString, QPointer<QWidget>> janelasMenu_;
    TDialogos* dialogos_ = nullptr;
    JanelaGeradores* geradores_ = nullptr;
    std::unique_ptr<CicloProjeto> ciclo_;
    std::unique_ptr<Carga> carga_;
    CicloRegistros* registros_ = nullptr;
    // Stops the panel's own edits from being written back while the panel
    // is filled from the project.
    bool preenchendoComentarios_ = false;
};

}  // namespace kivo::ui
