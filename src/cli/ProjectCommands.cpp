// kivo-batch check and resave: a project file loaded headless.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "project/ArquivoProjeto.h"

namespace kivo::cli {

namespace {

// Loads the file; on failure prints the reason and returns false.
bool Carrega(const char* comando, const std::string& arquivo, Projeto& projeto, ResultadoCarga& res) {
    res = LeProjeto(projeto, arquivo);
    if (!res.ok) std::fprintf(stderr, "kivo-batch %s: %s\n", comando, res.erro.c_str());
    return res.ok;
}

void Mensagens(const ResultadoCarga& res) {
    for (const auto& m : res.mensagens) std::printf("%s\n", m.c_str());
}

void Linha(const char* familia, int slot, const std::string& tag, const std::string& descricao) {
    std::printf("%s\t%d\t%s\t%s\n", familia, slot, tag.c_str(), descricao.c_str());
}

// One line per object, families in the file's order: family, slot, tag and
// description, separated by tabs.
void Resumo(const Projeto& p) {
    for (int n = 1; n <= 10; ++n)
        if (const auto* c = p.controlador(n)) Linha("controller", n, c->TagText, c->Descricao);
    for (int n = 1; n <= 24; ++n)
        if (const auto* o = p.processo(n)) Linha("process", n, o->TagText, o->DescricaoText);
    for (int n = 1; n <= 24; ++n)
        if (const auto* b = p.bloco(n)) Linha("block", n, b->TagText, b->DescricaoText);
    for (int n = 1; n <= 10; ++n)
        if (const auto* r = p.registrador(n)) Linha("recorder", n, r->TagText, r->DescricaoText);
    for (int n = 1; n <= 20; ++n)
        if (const auto* t = p.texto(n)) Linha("text", n, "", t->DescricaoText);
}

bool PedeAjuda(const Args& args, const char* uso) {
    for (const auto& a : args) {
        if (a == "--help") {
            std::printf("%s", uso);
            return true;
        }
    }
    return false;
}

}  // namespace

int ComandoCheck(const Args& args) {
    static const char* kUsoCheck =
        "Usage: kivo-batch check FILE.smp\n"
        "Loads the project, prints every validation message in order and then one line\n"
        "per object: family, slot, tag and description, separated by tabs.\n"
        "Exit code 3 when the file cannot be read.\n";
    if (PedeAjuda(args, kUsoCheck)) return kOk;
    if (args.size() != 1) {
        std::fprintf(stderr, "kivo-batch check: expected one project file (see kivo-batch check --help)\n");
        return kUso;
    }
    Projeto projeto;
    ResultadoCarga res;
    if (!Carrega("check", args[0], projeto, res)) return kEntradaInvalida;
    Mensagens(res);
    Resumo(projeto);
    return kOk;
}

int ComandoResave(const Args& args) {
    static const char* kUsoResave =
        "Usage: kivo-batch resave IN.smp OUT.smp\n"
        "Loads IN.smp and writes it to OUT.smp as the program saves a project,\n"
        "printing the validation messages of the load.\n"
        "Exit code 3 when IN.smp cannot be read or OUT.smp cannot be written.\n";
    if (PedeAjuda(args, kUsoResave)) return kOk;
    if (args.size() != 2) {
        std::fprintf(stderr, "kivo-batch resave: expected an input and an output file (see kivo-batch resave --help)\n");
        return kUso;
    }
    Projeto projeto;
    ResultadoCarga res;
    if (!Carrega("resave", args[0], projeto, res)) return kEntradaInvalida;
    Mensagens(res);
    const ResultadoGravacao g = SalvaProjeto(projeto, args[1]);
    if (!g.ok) {
        std::fprintf(stderr, "kivo-batch resave: %s\n", g.erro.c_str());
        return kEntradaInvalida;
    }
    if (g.naoRepresentaveis > 0)
        std::fprintf(stderr, "kivo-batch resave: %zu character(s) outside Windows-1252 written as '?'\n",
                     g.naoRepresentaveis);
    return kOk;
}

}  // namespace kivo::cli
