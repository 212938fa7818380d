#pragma once
// Where the program finds its examples and keeps each user's files.
// - Run from its build tree (no installed examples beside it), as it always
//   was: the examples and "preferences.cfg" in the start directory.
// - Installed (<prefix>/bin beside <prefix>/share/kivo/examples): the
//   examples read-only under the prefix; the language in the user's XDG
//   configuration folder (~/.config/kivo/preferences.cfg), with a system-wide
//   default a lab administrator sets in /etc/xdg/kivo/preferences.cfg; the
//   user's own files in the documents folder's "KIVO", made on first use.
//   Nothing is ever written under the prefix.
#include <optional>

#include <QString>

namespace kivo::ui {

class UserFolders {
public:
    // programDirectory: the folder of the running program.
    UserFolders(QString startDirectory, QString programDirectory);

    bool installed() const { return installed_; }
    // The folder that holds "examples/".
    QString examplesRoot() const;

    // The language the user chose (true: English), else, installed, the
    // administrator's default; none when neither says.
    std::optional<bool> Language() const;
    // Stores the user's choice; the platform's error text, empty on success.
    QString SetLanguage(bool english) const;
    // The folder of the user's own language file.
    QString preferencesFolder() const;

    // The user's "KIVO" folder in the documents folder, made now when it is
    // missing; empty when it cannot be made.
    QString Documents() const;
    // Documents(), or the home folder when that cannot be made.
    QString DocumentsOrHome() const;

private:
    QString startDirectory_;
    QString installedRoot_;  // <prefix>/share/kivo
    bool installed_ = false;
};

}  // namespace kivo::ui
