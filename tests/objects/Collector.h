#pragma once
// Collects the validation messages an object sends.
#include <string>
#include <vector>

#include "objects/Messages.h"

namespace kivo::test {

struct Collector {
    std::vector<std::string> list;
    MessageSink output() {
        return [this](const std::string& m) { list.push_back(m); };
    }
};

}  // namespace kivo::test
