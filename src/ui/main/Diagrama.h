#pragma once
// The plant diagram: the background picture and one marker per object slot,
// placed in the project file's pixel coordinates, with the move and delete
// modes of the editing state table.
#include <array>
#include <functional>

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "ui/main/JanelasObjetos.h"

class QAction;
class QLabel;
class QToolButton;

namespace kivo {
struct Marcador;
}

namespace kivo::ui {

class Aplicacao;

class Diagrama : public QWidget {
    Q_OBJECT
public:
    // mover and excluir are the menu items whose check marks are the move
    // and delete modes.
    Diagrama(Aplicacao& app, JanelasObjetos& janelas, QAction* mover, QAction* excluir, QWidget* parent = nullptr);

    static int TamanhoFamilia(Familia f);
    // Controls of the markers: a flat button per controller, process, block
    // and recorder slot; the value and description labels of a text.
    QToolButton* marcador(Familia f, int n) const;
    QLabel* valorTexto(int n) const { return valores_[n - 1]; }
    QLabel* rotuloTexto(int n) const { return rotulos_[n - 1]; }
    QLabel* imagem() const { return imagem_; }

    // Display state of every active slot's marker from the objects.
    void AtualizaDiagrama();
    // Places every marker where the project keeps it.
    void PosicionaMarcadores();
    // After the project reset: every marker hidden and at its default
    // place, no picture.
    void Reinicia();
    // Loads and shows the background picture; a missing or unreadable file
    // leaves the diagram without one.
    bool CarregaImagem(const QString& caminho);
    void EscondeImagem();

    // Empties a slot as delete mode does.
    void Exclui(Familia f, int n);

    // The edit state: which marker was last picked in move mode, and whether
    // it follows the pointer.
    bool carregando() const { return carregando_; }
    QWidget* selecionado() const { return selecionado_; }
    bool modoMover() const;
    // A click on an item in move mode: it becomes the selected item and
    // carrying is inverted; coloca puts it with its top-left corner at the
    // pointer.
    void Seleciona(QWidget* item, std::function<void(int x, int y)> coloca);
    // The diagram's size follows what it shows.
    void AjustaTamanho();

signals:
    void objetoExcluido(Familia f, int n);
    // A double click on the bare surface: reload picture and comments.
    void duploClique();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CriaMarcadores();
    void CliqueMarcador(Familia f, int n);
    Marcador& modelo(Familia f, int n) const;
    void Coloca(Familia f, int n, int x, int y);

    Aplicacao& app_;
    JanelasObjetos& janelas_;
    QAction* mover_;
    QAction* excluir_;
    QLabel* imagem_;
    std::array<QToolButton*, 10> controladores_{};
    std::array<QToolButton*, 24> processos_{};
    std::array<QToolButton*, 24> blocos_{};
    std::array<QToolButton*, 10> registradores_{};
    std::array<QLabel*, 20> valores_{};
    std::array<QLabel*, 20> rotulos_{};

    QPointer<QWidget> selecionado_;
    std::function<void(int, int)> colocaSelecionado_;
    bool carregando_ = false;
};

}  // namespace kivo::ui
