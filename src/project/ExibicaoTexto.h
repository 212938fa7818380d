#pragma once
// What an animated text shows: its apply step (range, alarm limits and
// unit from the variable table, the formula prepared) and its display step
// (the text and whether it is in alarm). The settings are the project's
// DadosTexto, which owns this; the numbers derived from them live here.
#include <string>

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
    // The display step: the text and its colour (red while in alarm, or
    // for state 0 of a binary text).
    void CalculaCiclo();

    // Address of the chosen variable, 0 for none.
    int Endereco() const;

    const std::string& texto() const { return texto_; }
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
    std::string formula_;
    std::string texto_;
    bool vermelho_ = false;
};

}  // namespace kivo
