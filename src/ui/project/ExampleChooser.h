#pragma once
// The example chooser: six pages of examples, each a clickable picture with
// its title and description.
#include <QString>
#include <QTabWidget>

namespace kivo::ui {

class UserFolders;

class AppContext;

class ExampleChooser : public QTabWidget {
    Q_OBJECT
public:
    explicit ExampleChooser(AppContext& app, QWidget* parent = nullptr);

    // Applies the English page names, titles and descriptions.
    void Translate();

    // Full path of the example: the examples' root followed by the table's
    // path.
    static QString ExamplePath(const UserFolders& folders, int index);

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
