#pragma once
// What the screenshot programs share: their command line (OUTDIR [en] ...),
// the file suffix naming the language and the scale, and saving an image of
// a window once its pending events have run.
#include <optional>

#include <QApplication>
#include <QDir>
#include <QString>
#include <QWidget>

namespace kivo::ui::teste {

struct Captura {
    QString saida;  // the folder the images go to, made if missing
    bool ingles = false;
    QString sufixo;  // "_pt" or "_en", then "_x2" when QT_SCALE_FACTOR is set
};

// OUTDIR [en]; nothing when OUTDIR is missing.
inline std::optional<Captura> LeCaptura(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    Captura c;
    c.saida = QString::fromLocal8Bit(argv[1]);
    c.ingles = argc > 2 && QByteArray(argv[2]) == "en";
    c.sufixo = QString::fromLatin1(c.ingles ? "_en" : "_pt") +
               (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? QStringLiteral("_x2") : QString());
    QDir().mkpath(c.saida);
    return c;
}

inline void Grava(QWidget& w, const QString& arquivo) {
    QApplication::processEvents();
    w.grab().save(arquivo);
}

}  // namespace kivo::ui::teste
