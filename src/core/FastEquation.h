#pragma once
// Compiled expressions: a text is analysed once and then evaluated against
// the current memory as often as needed, giving bit for bit the value and
// the error of SubstituiMemorias + TrocaVirgulaPorPonto + AvaliaEquacao.
//
// The rewriting evaluator's meaning depends on characters (a substituted
// negative value brings its own "-" into the text, a positive one a blank),
// so the compiled form keeps the character sequence, but as items: single
// characters, literal numbers converted once, and number items holding a
// double instead of their 23 characters. Evaluating replays the rewriting
// over these items without formatting or parsing text, and without heap
// allocation once the formula has been evaluated the first time.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Equation.h"
#include "core/Memorias.h"

namespace kivo {

class Formula {
public:
    // Compiled from the start, so that Define has only the text to compare.
    Formula() { Compila("", true); }
    // substitui = false skips the variable substitution, as callers do where
    // variables are not allowed.
    explicit Formula(std::string_view text, bool substitui = true) { Compila(text, substitui); }

    // Recompiles only when the text or the mode changes; models call it with
    // their field at every cycle, so the unchanged case stays inline.
    void Define(std::string_view text, bool substitui = true) {
        if (substitui == substitui_ && MesmoTexto(text)) return;
        Compila(text, substitui);
    }
    const std::string& texto() const { return texto_; }

    // Evaluates and sets ErroEquacao, like the reference chain.
    double Avalia(const Memorias& mem) const;
    // Evaluates without touching ErroEquacao; erro tells whether it was refused.
    // Inline, as models evaluate constant texts at every cycle.
    double Avalia(const Memorias& mem, bool& erro) const {
        erro = invalida_;
        if (constante_) return valorConstante_;
        return invalida_ ? 0.0 : Executa(mem);
    }
    // True when the text is refused whatever the memory holds.
    bool Invalida() const { return invalida_; }
    // Which limit of a typed expression the text exceeds, if any (it is then
    // refused).
    ExcessoExpressao Excesso() const { return excesso_; }

    struct Item {
        enum Tipo : std::uint8_t { Caractere, Numero, Literal, Variavel };
        Tipo tipo = Caractere;
        char c = ' ';             // Caractere: the character; Numero: sign position
        std::uint16_t var = 0;    // Variavel: address; Numero: register in a trace
        std::uint32_t pos = 0;    // Literal: span in literais_
        std::uint32_t len = 0;
        double v = 0.0;           // Numero: value; Literal: converted value
    };

    // A trace is the sequence of arithmetic one rewriting performed. The
    // rewriting's course depends on the memory only through the signs of
    // the numbers it writes back, so a trace replays any evaluation that
    // produces the same signs; each step checks its sign.
    // How an operand reads a recorded number: as it is, its magnitude (the
    // number's "-" stayed in the text), or its magnitude after a "-" that
    // stands before it in the text (which reads a zero as +0).
    struct Operando {
        enum Tipo : std::uint8_t { Constante, Registro, Modulo, Negado };
        Tipo tipo = Constante;
        std::uint16_t reg = 0;
        double c = 0.0;
    };
    struct Passo {
        enum Tipo : std::uint8_t { Carrega, Opera, Soma };
        Tipo tipo = Carrega;
        char op = 0;
        bool negativo = false;    // sign the step produced when recorded
        bool constante = false;   // depends on no variable: valor is its result
        double valor = 0.0;
        std::uint16_t var = 0;
        Operando a, b;
        std::uint32_t primeiroTermo = 0, termos = 0;
    };
    struct Termo {
        Operando o;
        bool negativo = false;
    };
    // The replayable form of a trace: steps that read a variable, over one
    // array of values that holds the constants first, then the results.
    struct Instrucao {
        Passo::Tipo tipo = Passo::Carrega;
        char op = 0;
        bool negativo = false;
        Operando::Tipo leituraA = Operando::Registro, leituraB = Operando::Registro;
        std::uint32_t a = 0, b = 0;     // Opera: operand slots; Soma: first term and count
        std::uint32_t saida = 0;        // slot written
        std::uint16_t var = 0;
    };
    struct TermoCompilado {
        std::uint32_t slot = 0;
        Operando::Tipo leitura = Operando::Registro;
        bool negativo = false;
    };
    // What one rewriting recorded, and the scratch space that turns it into
    // a trace.
    struct Gravacao {
        std::vector<Passo> passos;
        std::vector<Termo> termos;
        bool valido = true;       // false when a step read a number inside other text
        std::vector<std::uint32_t> slotDoPasso;
        std::vector<char> constante;
    };
    struct Traco {
        std::vector<Instrucao> programa;
        std::vector<TermoCompilado> termosProg;
        std::uint32_t resultado = 0;
        mutable std::vector<double> valores;
    };

private:
    // Model texts are short: a plain loop beats a call to the library's
    // comparison.
    bool MesmoTexto(std::string_view text) const {
        if (text.size() != texto_.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] != texto_[i]) return false;
        return true;
    }
    void Compila(std::string_view text, bool substitui);
    double Executa(const Memorias& mem) const;
    double Interpreta(const Memorias& mem, Gravacao* gravacao) const;
    bool Reproduz(const Traco& t, const Memorias& mem, double& out) const;
    void PreparaTracos() const;
    static void Compila(Gravacao& g, Traco& t);

    std::string texto_;
    bool substitui_ = true;
    bool invalida_ = false;
    ExcessoExpressao excesso_ = ExcessoExpressao::Nenhum;
    bool constante_ = false;
    double valorConstante_ = 0.0;
    std::vector<Item> itens_;
    std::string literais_;
    // Traces of the sign patterns met so far (the first numTracos_), and
    // scratch space reused by every evaluation. All of it is sized for the
    // largest trace the items allow at the first recording, so that a sign
    // pattern met later is recorded without heap allocation.
    mutable std::vector<Traco> tracos_;
    mutable std::size_t numTracos_ = 0;
    mutable Gravacao gravacao_;
    mutable std::vector<Item> trabalho_;
    mutable std::string conversao_;
};

}  // namespace kivo
