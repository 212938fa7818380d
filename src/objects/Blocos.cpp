#include "objects/Blocos.h"

#include <vector>

namespace kivo {
namespace {

struct Divisao {
    char op = 0;
    std::size_t pos = std::string::npos;
};

// Where the substituted text would hold its selector. The substitution takes
// every "M" (either case) with the two characters after it, so a ">" or "<"
// right after "M" or "M" and one digit is consumed by the reference and
// splits nothing; a "M" with fewer than two characters after it turns the
// whole text into "0", which holds no selector.
Divisao AchaSeletor(std::string_view t) {
    std::size_t maior = std::string::npos;
    std::size_t menor = std::string::npos;
    for (std::size_t i = 0; i < t.size();) {
        const char c = t[i];
        if (c == 'M' || c == 'm') {
            if (t.size() - i - 1 < 2) return {};
            i += 3;
            continue;
        }
        if (c == '>' && maior == std::string::npos) maior = i;
        if (c == '<' && menor == std::string::npos) menor = i;
        ++i;
    }
    if (maior != std::string::npos) return {'>', maior};
    if (menor != std::string::npos) return {'<', menor};
    return {};
}

}  // namespace

TBloco::TBloco(Simulacao& sim, int slot) : sim_(sim), slot_(slot), n_(EnderecoBloco(slot)) {
    limSup_.Define(LimSupText);
    limInf_.Define(LimInfText);
}

double TBloco::Funcao(bool& falhou) const {
    const Memorias& mem = sim_.mem;
    bool erroEsq = false;
    const double L = esquerda_.Avalia(mem, erroEsq);
    if (seletor_ == 0) {
        falhou = erroEsq;
        return L;
    }
    bool erroDir = false;
    const double R = direita_.Avalia(mem, erroDir);
    falhou = erroEsq || erroDir;
    if (seletor_ == '>') return L > R ? L : R;
    return L < R ? L : R;
}

void TBloco::CalculaCiclo() {
    const Memorias& mem = sim_.mem;
    bool falhou = false;
    double y = Funcao(falhou);
    if (LimSupCheck) {
        const double hi = limSup_.Avalia(mem);
        if (y > hi) y = hi;
    }
    // The lower limit comes last, so it wins when it lies above the upper one.
    if (LimInfCheck) {
        const double lo = limInf_.Avalia(mem);
        if (y < lo) y = lo;
    }
    y_ = y;
    sim_.mem[n_] = y;
}

bool TBloco::ValidaParametros(bool mostraMensagens) {
    Memorias& mem = sim_.mem;
    mem.setDescricao(n_, DescricaoText);

    // The texts are stored before any check; the step uses them from the
    // next cycle on, valid or not.
    funcao_ = FuncaoTr;
    // A function beyond the limits of an expression is refused whole (it
    // stays one side, which the evaluator refuses), even where each side of
    // its selector would be within them.
    const ExcessoExpressao excesso = ExcessoDaExpressao(funcao_);
    const Divisao d = excesso == ExcessoExpressao::Nenhum ? AchaSeletor(funcao_) : Divisao{};
    seletor_ = d.op;
    if (d.op == 0) {
        esquerda_.Define(funcao_);
        direita_.Define("");
    } else {
        esquerda_.Define(std::string_view(funcao_).substr(0, d.pos));
        direita_.Define(std::string_view(funcao_).substr(d.pos + 1));
    }
    limSup_.Define(LimSupText);
    limInf_.Define(LimInfText);

    std::vector<std::string> erros;
    auto erro = [&](const std::string& texto) { erros.push_back("Bloco " + std::to_string(n_) + texto); };
    bool falhou = false;
    Funcao(falhou);
    if (falhou) erro(": Função inválida" + MotivoExcesso(excesso));
    if (LimSupCheck) {
        limSup_.Avalia(mem, falhou);
        if (falhou) erro(": Limite Superior inválido" + MotivoExcesso(limSup_.excesso()));
    }
    if (LimInfCheck) {
        limInf_.Avalia(mem, falhou);
        if (falhou) erro(": Limite Inferior inválido" + MotivoExcesso(limInf_.excesso()));
    }

    if (mostraMensagens && mensagens)
        for (const auto& m : erros) mensagens(m);
    return erros.empty();
}

}  // namespace kivo
