#pragma once
// An animated text: its settings as its record holds them, and what it
// shows (ExibicaoTexto), which the cycle recomputes at every display refresh
// whether or not the text's window was ever built; the diagram's value label
// copies it from here.
//
// Fields: DescricaoText; FuncaoTr (the formula, or the texts for 0 and 1
// separated by "/"); CasasDecimais (0..5); Unidade; Edit1, Edit4 (range max
// and min texts); Tipo (0 scalar, 1 binary, 2 equation); ComboBox1 (display
// list index, 124 items M1..M124, -1 none). The alarm limits are derived
// from the range and the variable table, so they are not kept here.
#include <string>

#include "core/Ciclo.h"
#include "project/ExibicaoTexto.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

class DadosTexto : public ObjetoCiclo {
public:
    static constexpr int kMaxCasas = 5;
    static constexpr int kItensTipo = 3;
    static constexpr int kItensVariavel = 124;

    // slot 1..20; the number given at creation is 100 + slot. mem is the
    // variable memory shown, which outlives the text. Created applied.
    DadosTexto(const Memorias& mem, int slot) : slot_(slot), exibicao_(mem, *this) { exibicao_.ValidaParametros(); }
    DadosTexto(const DadosTexto&) = delete;
    DadosTexto& operator=(const DadosTexto&) = delete;

    int slot() const { return slot_; }
    int numero() const { return NumeroTexto(slot_); }

    // The display step: the text and its colour.
    void CalculaCiclo() override { exibicao_.CalculaCiclo(); }
    // The apply step, without messages: after "Sair", a load or a refresh
    // of the variable table.
    void ValidaParametros() { exibicao_.ValidaParametros(); }

    ExibicaoTexto& exibicao() { return exibicao_; }
    const ExibicaoTexto& exibicao() const { return exibicao_; }

    void SalvaParametros(EscritorLinhas& w) const;
    void LeParametros(LeitorLinhas& r);

    std::string DescricaoText;
    std::string FuncaoTr;
    int CasasDecimais = 2;
    std::string Unidade;
    std::string Edit1 = "100";
    std::string Edit4 = "0";
    int Tipo = 0;
    int ComboBox1 = -1;

private:
    int slot_;
    // Last: it reads the settings above.
    ExibicaoTexto exibicao_;
};

}  // namespace kivo
