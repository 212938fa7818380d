// Fuzz target of the project loader. Whatever the bytes, the load either
// succeeds or reports why, and a project that loaded is saved and loaded
// again to exactly the same lines: a resave never loses or changes data.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "project/ArquivoProjeto.h"
#include "project/ArquivoTexto.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Projeto p;
    const ResultadoCarga res = LeProjetoBytes(p, bytes, "fuzz.smp");
    if (!res.ok) {
        if (res.erro.empty()) std::abort();
        return 0;
    }
    const auto linhas = LinhasProjeto(p);
    Projeto q;
    const ResultadoCarga de_novo = LeProjetoBytes(q, JuntaLinhas(linhas), "fuzz.smp");
    if (!de_novo.ok || LinhasProjeto(q) != linhas) std::abort();
    return 0;
}
