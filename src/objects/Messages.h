#pragma once
// Where an apply step sends its validation messages: one call per invalid
// field, in the order the object checks its fields. The GUI turns each call
// into an information box; tests collect them. An empty sink drops them.
#include <functional>
#include <string>

namespace kivo {

using MessageSink = std::function<void(const std::string& text)>;

}  // namespace kivo
