#pragma once
// Settings of an animated text as its record holds them. The object sits in
// the text pool so that the slot's active flag and number are those of the
// cycle; the value shown and its colour belong to the text's window.
//
// Fields: DescricaoText; FuncaoTr (the formula, or the texts for 0 and 1
// separated by "/"); CasasDecimais (0..5); Unidade; Edit1, Edit4 (range max
// and min texts); Tipo (0 scalar, 1 binary, 2 equation); ComboBox1 (display
// list index, 124 items M1..M124, -1 none). The alarm limits are derived
// from the range and the variable table, so they are not kept here.
#include <string>

#include "core/Ciclo.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

class DadosTexto : public ObjetoCiclo {
public:
    static constexpr int kMaxCasas = 5;
    static constexpr int kItensTipo = 3;
    static constexpr int kItensVariavel = 124;

    // slot 1..20; the number given at creation is 100 + slot.
    explicit DadosTexto(int slot) : slot_(slot) {}

    int slot() const { return slot_; }
    int numero() const { return NumeroTexto(slot_); }

    // The display step comes with the text's window.
    void CalculaCiclo() override {}

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
};

}  // namespace kivo
