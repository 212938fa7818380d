#pragma once
// Collects the validation messages an object sends.
#include <string>
#include <vector>

#include "objects/Mensagens.h"

namespace kivo::teste {

struct Coleta {
    std::vector<std::string> lista;
    SaidaMensagens saida() {
        return [this](const std::string& m) { lista.push_back(m); };
    }
};

}  // namespace kivo::teste
