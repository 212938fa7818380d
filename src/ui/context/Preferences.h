#pragma once
// "preferences.cfg": one line, "<language> Portuguese" or "<language> English".
#include <optional>

#include <QString>

namespace kivo::ui {

inline constexpr char kPreferencesFile[] = "preferences.cfg";

// English when the first line holds "English" anywhere (case-sensitive).
bool LineChoosesEnglish(const QString& firstLine);

// The language the file in folder asks for (true = English), or nothing when
// there is no such file.
std::optional<bool> ReadPreferences(const QString& folder);

// Replaces the file's content with the line for the language; returns the
// platform's error text, empty on success.
QString WritePreferences(const QString& folder, bool english);

}  // namespace kivo::ui
