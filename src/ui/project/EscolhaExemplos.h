#pragma once
// The example chooser: six pages of examples, each a clickable picture with
// its title and description.
#include <QString>
#include <QTabWidget>

namespace kivo::ui {

class Aplicacao;

class EscolhaExemplos : public QTabWidget {
    Q_OBJECT
public:
    explicit EscolhaExemplos(Aplicacao& app, QWidget* parent = nullptr);

    // Applies the English page names, titles and descriptions.
    void Traduz();

    // The folder holding "examples": the start directory when it has one,
    // else the program's installed data folder, else the source tree.
    static QString RaizExemplos(const QString& diretorioInicial);
    // Full path of the example: the root followed by the table's path.
    static QString CaminhoExemplo(const QString& diretorioInicial, int indice);

signals:
    void exemploEscolhido(int indice);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Preenche(bool ingles);

    Aplicacao& app_;
    bool figurasCarregadas_ = false;
};

}  // namespace kivo::ui
