#pragma once
// The example chooser: six pages of examples, each a clickable picture with
// its title and description.
#include <QString>
#include <QTabWidget>

namespace kivo::ui {

class AppContext;

class ExampleChooser : public QTabWidget {
    Q_OBJECT
public:
    explicit ExampleChooser(AppContext& app, QWidget* parent = nullptr);

    // Applies the English page names, titles and descriptions.
    void Translate();

    // The folder holding "examples": the start directory when it has one,
    // else the program's installed data folder, else the source tree.
    static QString ExamplesRoot(const QString& startDirectory);
    // Full path of the example: the root followed by the table's path.
    static QString ExamplePath(const QString& startDirectory, int index);

signals:
    void exampleChosen(int index);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Fill(bool english);

    AppContext& app_;
    bool picturesLoaded_ = false;
};

}  // namespace kivo::ui
