#include "core/FastEquation.h"

#include <cmath>
#include <utility>

#include "core/Equation.h"
#include "core/EquationOps.h"
#include "core/NumberText.h"

namespace kivo {
namespace {

using Item = Formula::Item;
using Operando = Formula::Operando;
using Passo = Formula::Passo;
using Traco = Formula::Traco;
using Gravacao = Formula::Gravacao;

// More sign patterns than this are evaluated by rewriting every time.
constexpr std::size_t kMaxTracos = 8;
constexpr std::size_t kMaxPassos = 0xFFFF;

bool EhSinal(char c) { return c == '+' || c == '-'; }

// The value an operand reads from a recorded number x. A negated number is
// never negative itself (its sign is part of the trace), and the text "-"
// followed by a zero reads +0.
double Le(Operando::Tipo tipo, double x) {
    switch (tipo) {
        case Operando::Modulo:
            return std::fabs(x);
        case Operando::Negado:
            return x == 0 ? 0.0 : -x;
        default:
            return x;
    }
}

Item Caractere(char c) {
    Item it;
    it.tipo = Item::Caractere;
    it.c = c;
    return it;
}

Item Numero(double v) {
    Item it;
    it.tipo = Item::Numero;
    it.v = v;
    it.c = v < 0 ? '-' : ' ';
    return it;
}

// Replays the rewriting over a sequence of items. A number item stands for
// its 23 characters: the sign position (blank or "-") followed by a body made
// only of characters that belong to a number.
class Reescrita {
public:
    Reescrita(std::vector<Item>& itens, const std::string& literais, std::string& conversao, Gravacao* gravacao)
        : it_(itens), lit_(literais), conv_(conversao), grav_(gravacao) {}

    double Executa() {
        double ultimo = 0.0;
        for (;;) {
            std::size_t p = it_.size();
            for (std::size_t i = it_.size(); i-- > 0;) {
                if (EhCar(i, '(')) {
                    p = i;
                    break;
                }
            }
            if (p == it_.size()) break;
            std::size_t q = p + 1;
            while (q < it_.size() && !EhCar(q, ')')) ++q;
            if (q == it_.size()) break;
            ultimo = ReduzGrupo(p, q);
        }
        return ultimo;
    }

private:
    bool EhCar(std::size_t i, char c) const { return it_[i].tipo == Item::Caractere && it_[i].c == c; }

    // The character just before item i.
    char CaractereAntes(std::size_t i) const {
        if (i == 0) return '\0';
        const Item& a = it_[i - 1];
        switch (a.tipo) {
            case Item::Caractere:
                return a.c;
            case Item::Literal:
                return lit_[a.pos + a.len - 1];
            default:
                return '0';  // a number text ends with a digit
        }
    }

    // Whether the whole of item i belongs to an operand where it stands.
    bool EhOperando(std::size_t i) const {
        const Item& a = it_[i];
        switch (a.tipo) {
            case Item::Caractere:
                if (detail::EhCaracterNumero(a.c)) return true;
                return EhSinal(a.c) && CaractereAntes(i) == 'E';
            case Item::Literal:
                return true;
            default:
                return a.c == ' ' || CaractereAntes(i) == 'E';
        }
    }

    // Value of the operand made of items [a, b); parcial means that item a is
    // a number item whose sign position is not part of the operand.
    double Converte(std::size_t a, std::size_t b, bool parcial, Operando& o) {
        if (!parcial) {
            while (a < b && EhCar(a, ' ')) ++a;
        }
        while (b > a && EhCar(b - 1, ' ')) --b;
        o = Operando{};
        if (a == b) return 0.0;
        if (b - a == 1) {
            const Item& x = it_[a];
            if (x.tipo == Item::Numero) {
                o.reg = x.var;
                o.tipo = parcial ? Operando::Modulo : Operando::Registro;
                return parcial && x.v < 0 ? -x.v : x.v;
            }
            if (x.tipo == Item::Literal) {
                o.c = x.v;
                return x.v;
            }
        }
        // A "-" before a number without its own sign: the "-" left behind
        // when a negative number was an earlier step's left operand, now read
        // as a right operand ("A*-B"). Its body is the number's 15 digits.
        if (b - a == 2 && !parcial && EhCar(a, '-') && it_[a + 1].tipo == Item::Numero && it_[a + 1].c == ' ') {
            o.reg = it_[a + 1].var;
            o.tipo = Operando::Negado;
            return Le(Operando::Negado, it_[a + 1].v);
        }
        // Other mixed texts are read as text. Characters and literals alone
        // read the same at every replay; a number inside other text does not.
        bool temNumero = false;
        for (std::size_t i = a; i < b; ++i) temNumero = temNumero || it_[i].tipo == Item::Numero;
        if (grav_ && temNumero) grav_->valido = false;
        conv_.clear();
        for (std::size_t i = a; i < b; ++i) {
            const Item& x = it_[i];
            if (x.tipo == Item::Caractere) {
                conv_.push_back(x.c);
            } else if (x.tipo == Item::Literal) {
                conv_.append(lit_, x.pos, x.len);
            } else {
                char buf[kTamTextoNumero];
                EscreveTextoNumero(x.v, buf);
                const std::size_t skip = (i == a && parcial) ? 1 : 0;
                conv_.append(buf + skip, kTamTextoNumero - skip);
            }
        }
        const double v = ConverteReal(conv_);
        o.c = v;
        return v;
    }

    std::size_t FimOperando(std::size_t j) const {
        while (j < it_.size() && EhOperando(j)) ++j;
        return j;
    }

    double ReduzGrupo(std::size_t p, std::size_t q) {
        for (;;) {
            std::size_t k = 0;
            for (const char op : {'^', '/', '*'}) {
                for (std::size_t i = p + 1; i < q; ++i) {
                    if (EhCar(i, op)) {
                        k = i;
                        break;
                    }
                }
                if (k) break;
            }
            if (!k) break;

            // Left operand: back over operand characters. A negative number
            // item contributes its body but keeps its "-" in the text.
            std::size_t s = k;
            bool parcial = false;
            while (s - 1 > p) {
                const std::size_t i = s - 1;
                if (EhOperando(i)) {
                    s = i;
                    continue;
                }
                if (it_[i].tipo == Item::Numero) {
                    s = i;
                    parcial = true;
                }
                break;
            }
            // Right operand: an optional "-" right after the operator, then
            // operand characters.
            std::size_t r = k + 1;
            if (EhCar(r, '-') || (it_[r].tipo == Item::Numero && it_[r].c == '-')) ++r;
            r = FimOperando(r);

            Passo passo;
            passo.tipo = Passo::Opera;
            passo.op = it_[k].c;
            const double a = Converte(s, k, parcial, passo.a);
            const double b = Converte(k + 1, r, false, passo.b);
            const Item n = Registra(passo, Arredonda15(detail::Opera(it_[k].c, a, b)));
            std::size_t from = s;
            if (parcial) {
                it_[s] = Caractere('-');
                from = s + 1;
            }
            it_[from] = n;
            it_.erase(it_.begin() + static_cast<std::ptrdiff_t>(from + 1), it_.begin() + static_cast<std::ptrdiff_t>(r));
            q -= r - from - 1;
        }

        double soma = 0.0;
        Passo passo;
        passo.tipo = Passo::Soma;
        if (grav_) passo.primeiroTermo = static_cast<std::uint32_t>(grav_->termos.size());
        std::size_t i = p + 1;
        while (i < q) {
            bool negativo = false;
            bool parcial = false;
            while (i < q) {
                const Item& x = it_[i];
                if (x.tipo == Item::Caractere && (EhSinal(x.c) || x.c == ' ')) {
                    if (x.c == '-') negativo = !negativo;
                    ++i;
                    continue;
                }
                if (x.tipo == Item::Numero) {
                    // Its sign position belongs to the sign run.
                    if (x.c == '-') negativo = !negativo;
                    parcial = true;
                }
                break;
            }
            if (i >= q) break;
            const std::size_t fim = parcial ? FimOperando(i + 1) : FimOperando(i);
            if (fim == i) break;
            Formula::Termo t;
            t.negativo = negativo;
            const double termo = Converte(i, fim, parcial, t.o);
            if (grav_) grav_->termos.push_back(t);
            soma += negativo ? -termo : termo;
            i = fim;
        }
        if (grav_) passo.termos = static_cast<std::uint32_t>(grav_->termos.size()) - passo.primeiroTermo;
        const Item n = Registra(passo, Arredonda15(soma));
        it_[p] = n;
        it_.erase(it_.begin() + static_cast<std::ptrdiff_t>(p + 1), it_.begin() + static_cast<std::ptrdiff_t>(q + 1));
        return n.v;
    }

public:
    // The number item of a value a step produced, recorded in the trace.
    Item Registra(Passo& passo, double v) {
        Item n = Numero(v);
        if (grav_) {
            if (grav_->passos.size() >= kMaxPassos) grav_->valido = false;
            passo.negativo = v < 0;
            passo.valor = v;
            n.var = static_cast<std::uint16_t>(grav_->passos.size());
            grav_->passos.push_back(passo);
        }
        return n;
    }

private:

    std::vector<Item>& it_;
    const std::string& lit_;
    std::string& conv_;
    Gravacao* grav_;
};



}  // namespace

void Formula::Compila(std::string_view text, bool substitui) {
    texto_.assign(text);
    substitui_ = substitui;
    invalida_ = false;
    itens_.clear();
    literais_.clear();
    tracos_.clear();
    numTracos_ = 0;
    constante_ = false;
    // A text beyond the limits is refused before any work on it.
    excesso_ = ExcessoDaExpressao(text);
    if (excesso_ != ExcessoExpressao::Nenhum) {
        invalida_ = true;
        return;
    }

    // Variable substitution, symbolically: references become variable items.
    std::vector<Item> brutos;
    brutos.push_back(Caractere('('));
    std::string s(text);
    if (substitui) {
        for (char& c : s)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (substitui && c == 'M') {
            if (s.size() - i - 1 < 2) {
                brutos.resize(1);
                brutos.push_back(Caractere('0'));
                break;
            }
            const long long n = ConverteInteiroLeniente(std::string_view(s).substr(i + 1, 2));
            if (n >= 1 && n <= 110) {
                Item v;
                v.tipo = Item::Variavel;
                v.var = static_cast<std::uint16_t>(n);
                brutos.push_back(v);
            } else {
                brutos.push_back(Caractere('0'));
            }
            i += 2;
            continue;
        }
        brutos.push_back(Caractere(c == ',' ? '.' : c));
    }
    brutos.push_back(Caractere(')'));

    for (const Item& b : brutos) {
        if (b.tipo == Item::Caractere && !detail::EhCaracterPermitido(b.c)) {
            invalida_ = true;
            break;
        }
    }

    // Runs of number characters become literals converted once.
    for (std::size_t i = 0; i < brutos.size();) {
        const Item& b = brutos[i];
        const bool inicio = b.tipo == Item::Caractere && b.c != ' ' && detail::EhCaracterNumero(b.c);
        if (!inicio) {
            itens_.push_back(b);
            ++i;
            continue;
        }
        const std::size_t pos = literais_.size();
        while (i < brutos.size() && brutos[i].tipo == Item::Caractere) {
            const char c = brutos[i].c;
            const bool continua = (c != ' ' && detail::EhCaracterNumero(c)) ||
                                  (EhSinal(c) && literais_.size() > pos && literais_.back() == 'E');
            if (!continua) break;
            literais_.push_back(c);
            ++i;
        }
        Item lit;
        lit.tipo = Item::Literal;
        lit.pos = static_cast<std::uint32_t>(pos);
        lit.len = static_cast<std::uint32_t>(literais_.size() - pos);
        lit.v = ConverteReal(std::string_view(literais_).substr(pos, lit.len));
        itens_.push_back(lit);
    }
    trabalho_.reserve(itens_.size());
    // A text without variables has one value for good.
    if (!invalida_) {
        bool semVariaveis = true;
        for (const Item& x : itens_) semVariaveis = semVariaveis && x.tipo != Item::Variavel;
        if (semVariaveis) {
            valorConstante_ = Interpreta(Memorias{}, nullptr);
            constante_ = true;
        }
    }
}

double Formula::Interpreta(const Memorias& mem, Gravacao* gravacao) const {
    trabalho_.assign(itens_.begin(), itens_.end());
    Reescrita r(trabalho_, literais_, conversao_, gravacao);
    for (Item& x : trabalho_) {
        if (x.tipo != Item::Variavel) continue;
        Passo passo;
        passo.var = x.var;
        x = r.Registra(passo, Arredonda15(mem[x.var]));
    }
    return r.Executa();
}

bool Formula::Reproduz(const Traco& t, const Memorias& mem, double& out) const {
    double* v = t.valores.data();
    const TermoCompilado* termos = t.termosProg.data();
    for (const Instrucao& in : t.programa) {
        double r;
        switch (in.tipo) {
            case Passo::Carrega:
                r = Arredonda15(mem[in.var]);
                break;
            case Passo::Opera: {
                const double a = Le(in.leituraA, v[in.a]);
                const double b = Le(in.leituraB, v[in.b]);
                r = Arredonda15(detail::Opera(in.op, a, b));
                break;
            }
            default: {
                double soma = 0.0;
                for (std::uint32_t j = in.a; j < in.a + in.b; ++j) {
                    const double x = Le(termos[j].leitura, v[termos[j].slot]);
                    soma += termos[j].negativo ? -x : x;
                }
                r = Arredonda15(soma);
            }
        }
        if ((r < 0) != in.negativo) return false;
        v[in.saida] = r;
    }
    out = v[t.resultado];
    return true;
}

// Steps that read no variable give the same value at every replay: they
// become constants, and only the others remain as instructions.
void Formula::Compila(Gravacao& g, Traco& t) {
    // Everything here fits the space PreparaTracos reserved.
    std::vector<double>& constantes = t.valores;
    constantes.clear();
    t.programa.clear();
    t.termosProg.clear();
    std::vector<std::uint32_t>& slotDoPasso = g.slotDoPasso;
    slotDoPasso.assign(g.passos.size(), 0);
    std::vector<char>& constante = g.constante;
    constante.assign(g.passos.size(), 0);
    // Slots of results are numbered after the constants once these are known,
    // so they are first marked with the high bit.
    constexpr std::uint32_t kResultado = 0x80000000u;
    auto slot = [&](const Operando& o, Operando::Tipo& leitura) -> std::uint32_t {
        leitura = Operando::Registro;
        if (o.tipo == Operando::Constante) {
            constantes.push_back(o.c);
            return static_cast<std::uint32_t>(constantes.size() - 1);
        }
        if (constante[o.reg]) {
            const double c = g.passos[o.reg].valor;
            constantes.push_back(Le(o.tipo, c));
            return static_cast<std::uint32_t>(constantes.size() - 1);
        }
        leitura = o.tipo;
        return slotDoPasso[o.reg] | kResultado;
    };
    std::uint32_t resultados = 0;
    for (std::size_t i = 0; i < g.passos.size(); ++i) {
        const Passo& p = g.passos[i];
        Instrucao in;
        in.tipo = p.tipo;
        in.op = p.op;
        in.negativo = p.negativo;
        in.var = p.var;
        bool variavel = p.tipo == Passo::Carrega;
        if (p.tipo == Passo::Opera) {
            variavel = (p.a.tipo != Operando::Constante && !constante[p.a.reg]) ||
                       (p.b.tipo != Operando::Constante && !constante[p.b.reg]);
            if (variavel) {
                in.a = slot(p.a, in.leituraA);
                in.b = slot(p.b, in.leituraB);
            }
        } else if (p.tipo == Passo::Soma) {
            for (std::uint32_t j = 0; j < p.termos; ++j) {
                const Operando& o = g.termos[p.primeiroTermo + j].o;
                if (o.tipo != Operando::Constante && !constante[o.reg]) variavel = true;
            }
            if (variavel) {
                in.a = static_cast<std::uint32_t>(t.termosProg.size());
                in.b = p.termos;
                for (std::uint32_t j = 0; j < p.termos; ++j) {
                    const Termo& termo = g.termos[p.primeiroTermo + j];
                    TermoCompilado tc;
                    tc.negativo = termo.negativo;
                    tc.slot = slot(termo.o, tc.leitura);
                    t.termosProg.push_back(tc);
                }
            }
        }
        constante[i] = !variavel;
        // A sum of one term that gives a result back with its own sign (a
        // number whose "-" became the sign run, or a positive one) leaves it
        // unchanged, as it already has 15 digits: reuse its slot.
        if (variavel && p.tipo == Passo::Soma && p.termos == 1) {
            const Termo& unico = g.termos[p.primeiroTermo];
            const bool mesmoValor =
                (unico.o.tipo == Operando::Registro && !unico.negativo) ||
                (unico.o.tipo == Operando::Modulo && unico.negativo == g.passos[unico.o.reg].negativo);
            if (mesmoValor) {
                t.termosProg.pop_back();
                slotDoPasso[i] = slotDoPasso[unico.o.reg];
                continue;
            }
        }
        if (variavel) {
            slotDoPasso[i] = resultados++;
            in.saida = slotDoPasso[i] | kResultado;
            t.programa.push_back(in);
        }
    }
    const std::size_t ultimo = g.passos.size() - 1;
    if (constante[ultimo]) constantes.push_back(g.passos[ultimo].valor);
    const auto base = static_cast<std::uint32_t>(constantes.size());
    t.resultado = constante[ultimo] ? base - 1 : slotDoPasso[ultimo] + base;
    auto fixa = [base](std::uint32_t& s) {
        if (s & kResultado) s = (s & ~kResultado) + base;
    };
    for (Instrucao& in : t.programa) {
        if (in.tipo == Passo::Opera) {
            fixa(in.a);
            fixa(in.b);
        }
        fixa(in.saida);
    }
    for (TermoCompilado& tc : t.termosProg) fixa(tc.slot);
    t.valores.resize(base + resultados);
}

// The bounds follow from the items: each step consumes a variable, an
// operator or a "(" of the text, each term at least one item of its group,
// and the values are the constants read (at most two per operation, one per
// term and the result) and one result per step.
void Formula::PreparaTracos() const {
    const std::size_t n = itens_.size() + 1;
    gravacao_.passos.reserve(n);
    gravacao_.termos.reserve(n);
    gravacao_.slotDoPasso.reserve(n);
    gravacao_.constante.reserve(n);
    tracos_.resize(kMaxTracos);
    for (Traco& t : tracos_) {
        t.programa.reserve(n);
        t.termosProg.reserve(n);
        t.valores.reserve(4 * n);
    }
}

double Formula::Executa(const Memorias& mem) const {
    double out = 0.0;
    for (std::size_t i = 0; i < numTracos_; ++i) {
        if (!Reproduz(tracos_[i], mem, out)) continue;
        // Signs change seldom: the trace that fitted is tried first next time.
        if (i != 0) std::swap(tracos_[0], tracos_[i]);
        return out;
    }
    if (numTracos_ >= kMaxTracos) return Interpreta(mem, nullptr);
    if (tracos_.empty()) PreparaTracos();
    Gravacao& g = gravacao_;
    g.passos.clear();
    g.termos.clear();
    g.valido = true;
    out = Interpreta(mem, &g);
    if (g.valido) Compila(g, tracos_[numTracos_++]);
    return out;
}

double Formula::Avalia(const Memorias& mem) const {
    bool erro = false;
    const double v = Avalia(mem, erro);
    if (erro)
        ErroEquacao.assign(kTextoErroEquacao);
    else
        ErroEquacao.clear();
    return v;
}

}  // namespace kivo
