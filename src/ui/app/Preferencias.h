#pragma once
// "preferences.cfg": one line, "<language> Portuguese" or "<language> English".
#include <optional>

#include <QString>

namespace kivo::ui {

inline constexpr char kArquivoPreferencias[] = "preferences.cfg";

// English when the first line holds "English" anywhere (case-sensitive).
bool LinhaEscolheIngles(const QString& primeiraLinha);

// The language the file in pasta asks for (true = English), or nothing when
// there is no such file.
std::optional<bool> LePreferencias(const QString& pasta);

// Replaces the file's content with the line for the language; returns the
// platform's error text, empty on success.
QString EscrevePreferencias(const QString& pasta, bool ingles);

}  // namespace kivo::ui
