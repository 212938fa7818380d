#include "core/FileName.h"

namespace kivo {

bool IsForbiddenCharacter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
}

std::string WithoutForbiddenCharacters(std::string text) {
    for (char& c : text)
        if (IsForbiddenCharacter(c)) c = '_';
    return text;
}

}  // namespace kivo
