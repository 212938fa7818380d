#pragma once
// Why the system refused a file operation, in both interface languages, so
// that a message is written wholly in the language shown.
#include <string>

namespace kivo {

struct FailureReason {
    std::string pt;
    std::string en;
};

// The reason of an errno value. The texts are this program's own: the C
// library's follow the process locale, which need not be the interface
// language. A code without a text of its own is named by its number.
FailureReason SystemFailureReason(int code);

}  // namespace kivo
