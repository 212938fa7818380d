#pragma once
// The variable list: two grids over the variable table with the current
// values, where the user sets units, ranges, limits and descriptions.
// Cells are written into the table on Enter; a refused or abandoned edit
// puts the cell's old text back.
#include <utility>

#include <QWidget>

class QTableWidget;
class QTableWidgetItem;

namespace kivo::ui {

class Aplicacao;

class TDialogos : public QWidget {
    Q_OBJECT
public:
    TDialogos(Aplicacao& app, QWidget* principal);

    QTableWidget* listaVar() const { return grades_[0].tabela; }
    QTableWidget* listaVar2() const { return grades_[1].tabela; }
    // Cell (row, column) in the grid's own numbering: row 0 is the header
    // row and column 0 the address column.
    QString celula(const QTableWidget* grade, int linha, int coluna) const;
    // Address of grid row r (1-based).
    static int Endereco(int grade, int r);

    // Values, table texts, tags, track hints; the objects that show table
    // texts re-read them.
    void Atualiza();
    // Column "Tipo" of ListaVar back to its initial texts, for a project
    // whose slots are not the ones the column named; the next refresh puts
    // the tags of the new project's objects in.
    void ReiniciaTipos();

signals:
    // After a refresh: windows that show units, ranges or descriptions
    // re-read them from the table.
    void tabelaRelida();
    // A cell was stored into the table.
    void tabelaEditada();

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    class Editor;
    struct Grade {
        QTableWidget* tabela = nullptr;
        // The selected cell's text when it was selected.
        QString velho;
        int linha = -1;
        int coluna = -1;
        bool porEnter = false;
    };

    QTableWidget* CriaGrade(int g, const char* nome, int linhas);
    void PreencheInicial();
    void Define(int g, int r, int c, const QString& texto);
    void Armazena(int g, QTableWidgetItem* item);
    void Restaura(int g);
    void LinhaDaTabela(int g, int r);
    // Column "Valor" of every row that shows a value.
    void AtualizaValores();
    // First and last stored column of grid row r; 0, 0 when it stores none.
    static std::pair<int, int> ColunasArmazenadas(int grade, int r);

    Aplicacao& app_;
    Grade grades_[2];
    bool traduzido_ = false;
    bool preenchendo_ = false;
};

}  // namespace kivo::ui
