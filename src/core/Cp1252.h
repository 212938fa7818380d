#pragma once
// Windows-1252 <-> UTF-8 at the file boundary. The five bytes the code page
// leaves unassigned (81, 8D, 8F, 90, 9D) map to the control characters of the
// same number, so every byte survives a read and a write unchanged.
#include <string>
#include <string_view>

namespace kivo {

std::string Cp1252ParaUtf8(std::string_view bytes);

// Characters the code page cannot hold, and malformed UTF-8, are written as
// "?"; naoRepresentaveis (when given) receives how many there were.
std::string Utf8ParaCp1252(std::string_view texto, std::size_t* naoRepresentaveis = nullptr);

}  // namespace kivo
