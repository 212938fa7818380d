#pragma once
// The one rule for names this program gives files: characters that a file
// name cannot hold on one of the systems files get copied to.
#include <string>
#include <string_view>

namespace kivo {

// Control characters and / \ : * ? " < > |.
bool IsForbiddenCharacter(char c);

// text (UTF-8) with each forbidden character made "_": tags and titles are
// free text, and "Ar/Gás" is a common one. Only ASCII bytes are replaced, so
// the text stays valid UTF-8.
std::string WithoutForbiddenCharacters(std::string text);

}  // namespace kivo
