#pragma once
// What an animated text shows: its apply step (range, alarm limits and
// unit from the variable table, the formula prepared) and its display step
// (the text and whether it is in alarm). The settings are the project's
// DadosTexto, which owns this; the numbers derived from them live here.
#include <string>

#include "core/FastEquation.h"

namespace kivo {

class DadosTexto;
class Memorias;

class ExibicaoTexto {
public:
    ExibicaoTexto(const Memorias& mem, DadosTexto& dados) : mem_(mem), dados_(dados) {}
    ExibicaoTexto(const ExibicaoTexto&) = delete;
    ExibicaoTexto& operator=(const ExibicaoTexto&) = delete;

    DadosTexto& dados() const { return dados_; }

    // The apply step; it always succeeds and shows no message.
    void ValidaParametros();
    // A variable chosen in the list: the fields it fills.
    void VariavelEscolhida();
    // The display step: the value shown and its colour (red while in alarm,
    // or for state 0 of a binary text). It allocates nothing, as it runs in
    // the cycle; the text is written out when it is read.
    void CalculaCiclo();

    // Address of the chosen variable, 0 for none.
    int Endereco() const;

    // The text of the last display step, with the decimals, unit or words
    // the settings hold now.
    std::string texto() const;
    bool vermelho() const { return vermelho_; }
    // Alarm fields as the window shows them.
    std::string altoTexto = "100";
    std::string baixoTexto = "0";

private:
    double Avalia(const std::string& formula) const;

    const Memorias& mem_;
    DadosTexto& dados_;
    double maximo_ = 100;
    double minimo_ = 0;
    double alto_ = 100;
    double baixo_ = 0;
    // Compiled once per text, so that the cycle evaluates without parsing;
    // the limits follow the variable table's texts.
    Formula formula_;
    Formula lie_;
    Formula lse_;
    // What the last display step showed: a number, or one of the two words
    // of a binary text (zero_ picks the word for 0).
    bool binario_ = false;
    bool zero_ = false;
    double mostrado_ = 0;
    bool vermelho_ = false;
};

}  // namespace kivo
