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
    for (const auto& a : res.avisos) std::fprintf(stderr, "kivo-batch %s: %s\n", comando, a.texto.c_str());
    return res.ok;
}

void Mensagens(const ResultadoCarga& res) {
    for (const auto& m : res.mensagens) std::printf("%s\n", m.c_str());
}

void Linha(const char* familia, int slot, const std::string& tag, const std::string& descricao) {
    std::printf("%s\t%d\t%s\t%s\n", familia, slot, tag.c_str(), descricao.c_str());
}

// One line per object, families in the file's order: family, slot number
// (as the record headers give it: 1..10, 21..40 and 71..74, 41..60 and
// 75..78, 201..210, 101..120), tag and description, separated by tabs.
void Resumo(const Projeto& p) {
    for (int n = 1; n <= 10; ++n)
        if (const auto* c = p.controlador(n)) Linha("controller", n, c->TagText, c->Descricao);
    for (int n = 1; n <= 24; ++n)
        if (const auto* o = p.processo(n)) Linha("process", o->numero(), o->TagText, o->DescricaoText);
    for (int n = 1; n <= 24; ++n)
        if (const auto* b = p.bloco(n)) Linha("block", b->numero(), b->TagText, b->DescricaoText);
    for (int n = 1; n <= 10; ++n)
        if (const auto* r = p.registrador(n)) Linha("recorder", r->numero(), r->TagText, r->DescricaoText);
    for (int n = 1; n <= 20; ++n)
        if (const auto* t = p.texto(n)) Linha("text", t->numero(), "", t->DescricaoText);
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

// Takes "--english" out of the arguments: the project is then read as the
// English interface reads it (language pairs and messages).
bool TiraIngles(Args& args) {
    const auto n = args.size();
    std::erase(args, std::string("--english"));
    return args.size() != n;
}

}  // namespace

int ComandoCheck(const Args& args) {
    static const char* kUsoCheck =
        "Usage: kivo-batch check FILE.smp [--english]\n"
        "Loads the project, prints every validation message in order and then one line\n"
        "per object: family, slot number, tag and description, separated by tabs.\n"
        "The project is read as the Portuguese interface reads it, or as the English one\n"
        "with --english. A file that ends early still loads, with a warning on stderr\n"
        "naming its last line. Exit code 3 when the file cannot be read.\n";
    if (PedeAjuda(args, kUsoCheck)) return kOk;
    Args resto = args;
    const bool ingles = TiraIngles(resto);
    if (resto.size() != 1) {
        std::fprintf(stderr, "kivo-batch check: expected one project file (see kivo-batch check --help)\n");
        return kUso;
    }
    Projeto projeto(ingles);
    ResultadoCarga res;
    if (!Carrega("check", resto[0], projeto, res)) return kEntradaInvalida;
    Mensagens(res);
    Resumo(projeto);
    return kOk;
}

int ComandoResave(const Args& args) {
    static const char* kUsoResave =
        "Usage: kivo-batch resave IN.smp OUT.smp [--english]\n"
        "Loads IN.smp and writes it to OUT.smp as the program saves a project,\n"
        "printing the validation messages of the load. With --english the project is\n"
        "read and written as the English interface does (language pairs, comments).\n"
        "Exit code 3 when IN.smp cannot be read or OUT.smp cannot be written.\n";
    if (PedeAjuda(args, kUsoResave)) return kOk;
    Args resto = args;
    const bool ingles = TiraIngles(resto);
    if (resto.size() != 2) {
        std::fprintf(stderr, "kivo-batch resave: expected an input and an output file (see kivo-batch resave --help)\n");
        return kUso;
    }
    Projeto projeto(ingles);
    ResultadoCarga res;
    if (!Carrega("resave", resto[0], projeto, res)) return kEntradaInvalida;
    Mensagens(res);
    const ResultadoGravacao g = SalvaProjeto(projeto, resto[1]);
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
