#include "ui/fastsim/TAboutBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/Icones.h"

namespace kivo::ui {
namespace {

// The about picture, drawn for the screen's pixel ratio.
class Figura : public QLabel {
public:
    explicit Figura(QWidget* pai) : QLabel(pai) {
        setObjectName(QStringLiteral("ProgramIcon"));
        setAccessibleName(QStringLiteral("KIVO"));
        setMinimumSize(160, 160);
        setAlignment(Qt::AlignCenter);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QLabel::resizeEvent(e);
        const int lado = qMin(width(), height());
        setPixmap(DesenhaIcone(Icone::Programa, lado, devicePixelRatioF()));
    }
};

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Sobre"));
    auto* coluna = new QVBoxLayout(this);
    auto* linha = new QHBoxLayout;
    linha->addWidget(new Figura(this), 1);
    auto* texto = new QLabel(this);
    texto->setObjectName(QStringLiteral("ProductName"));
    texto->setTextFormat(Qt::RichText);
    texto->setWordWrap(true);
    texto->setText(QStringLiteral("<h1>KIVO</h1><p>v 7.71</p>"
                                  "<p>Simulador para treinamento em controle de processos industriais.</p>"
                                  "<p><i>Process control training simulator.</i></p>"));
    texto->setAccessibleName(QStringLiteral("KIVO v 7.71"));
    linha->addWidget(texto, 1);
    coluna->addLayout(linha, 1);
    auto* fechar = new QPushButton(QStringLiteral("Fechar"), this);
    fechar->setObjectName(QStringLiteral("OKButton"));
    fechar->setAccessibleName(fechar->text());
    connect(fechar, &QPushButton::clicked, this, &QDialog::close);
    coluna->addWidget(fechar, 0, Qt::AlignRight);
    resize(602, 452);
}

}  // namespace kivo::ui
