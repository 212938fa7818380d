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

class AppContext;

class VariableListDialog : public QWidget {
    Q_OBJECT
public:
    VariableListDialog(AppContext& app, QWidget* principal);

    QTableWidget* varList() const { return grades_[0].table; }
    QTableWidget* varList2() const { return grades_[1].table; }
    // Cell (row, column) in the grid's own numbering: row 0 is the header
    // row and column 0 the address column.
    QString cell(const QTableWidget* grade, int line, int column) const;
    // Address of grid row r (1-based).
    static int Address(int grade, int r);

    // Values, table texts, tags, track hints; the objects that show table
    // texts re-read them.
    void Update();
    // Column "Tipo" of ListaVar back to its initial texts, for a project
    // whose slots are not the ones the column named; the next refresh puts
    // the tags of the new project's objects in.
    void ResetKinds();

signals:
    // After a refresh: windows that show units, ranges or descriptions
    // re-read them from the table.
    void tableReloaded();
    // A cell was stored into the table.
    void tableEdited();

protected:
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    class Editor;
    struct Grade {
        QTableWidget* table = nullptr;
        // The selected cell's text when it was selected.
        QString oldText;
        int line = -1;
        int column = -1;
        bool byEnter = false;
    };

    QTableWidget* MakeGrid(int g, const char* name, int lines);
    void FillInitial();
    void Define(int g, int r, int c, const QString& text);
    void Store(int g, QTableWidgetItem* item);
    void Restore(int g);
    void LoadTableRow(int g, int r);
    // Column "Valor" of every row that shows a value.
    void UpdateValues();
    // First and last stored column of grid row r; 0, 0 when it stores none.
    static std::pair<int, int> StoredColumns(int grade, int r);

    AppContext& app_;
    Grade grades_[2];
    bool translated_ = false;
    bool filling_ = false;
};

}  // namespace kivo::ui
