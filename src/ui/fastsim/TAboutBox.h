#pragma once
// The fast-simulation window class in its about-box form: the program's
// picture, its name and version, and a "Fechar" button. The start window
// and "Sobre" in the help menu are instances of it; the working form with
// the runs comes with the fast simulation.
#include <QDialog>

namespace kivo::ui {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace kivo::ui
