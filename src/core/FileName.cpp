#include "core/FileName.h"

namespace kivo {

bool CaractereProibido(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
}

std::string SemCaracteresProibidos(std::string texto) {
    for (char& c : texto)
        if (CaractereProibido(c)) c = '_';
    return texto;
}

}  // namespace kivo
