#pragma once
// Windows-1252 <-> UTF-8 at the file boundary. The five bytes the code page
// leaves unassigned (81, 8D, 8F, 90, 9D) map to the control characters of the
// same number, so every byte survives a read and a write unchanged.
#include <string>
#include <string_view>

namespace kivo {

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters the code page cannot hold, and malformed UTF-8, are written as
// "?"; unrepresentable (when given) receives how many there were.
std::string Utf8ToCp1252(std::string_view text, std::size_t* unrepresentable = nullptr);

}  // namespace kivo
