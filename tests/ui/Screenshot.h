#pragma once
// What the screenshot programs share: their command line (OUTDIR [en] ...),
// the file suffix naming the language and the scale, and saving an image of
// a window once its pending events have run.
#include <optional>

#include <QApplication>
#include <QDir>
#include <QString>
#include <QWidget>

namespace kivo::ui::test {

struct Screenshot {
    QString output;  // the folder the images go to, made if missing
    bool english = false;
    QString suffix;  // "_pt" or "_en", then "_x2" when QT_SCALE_FACTOR is set
};

// OUTDIR [en]; nothing when OUTDIR is missing.
inline std::optional<Screenshot> ReadScreenshotArgs(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    Screenshot c;
    c.output = QString::fromLocal8Bit(argv[1]);
    c.english = argc > 2 && QByteArray(argv[2]) == "en";
    c.suffix = QString::fromLatin1(c.english ? "_en" : "_pt") +
               (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? QStringLiteral("_x2") : QString());
    QDir().mkpath(c.output);
    return c;
}

inline void Write(QWidget& w, const QString& file) {
    QApplication::processEvents();
    w.grab().save(file);
}

}  // namespace kivo::ui::test
