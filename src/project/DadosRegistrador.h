#pragma once
// Settings of a trend recorder as its record holds them. The object sits in
// the recorder pool so that the slot's active flag and number are those of
// the cycle; sampling and drawing belong to the recorder's window.
//
// Fields: TagText, DescricaoText (texts); Variavel1Select (display list
// index, 124 items M1..M124, -1 none); Variavel2Select, Variavel3Select (125
// items, the last one "Nenhum"); Edit1..Edit3 (curve names); BaseTempoBox
// (time base index 0..2).
#include <string>

#include "core/Ciclo.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

class DadosRegistrador : public ObjetoCiclo {
public:
    static constexpr int kItensVariavel1 = 124;
    static constexpr int kItensVariavel23 = 125;
    static constexpr int kItensBaseTempo = 3;

    // slot 1..10; the number given at creation is 200 + slot.
    explicit DadosRegistrador(int slot) : slot_(slot) {}

    int slot() const { return slot_; }
    int numero() const { return NumeroRegistrador(slot_); }

    // The sampling step comes with the recorder's window; the settings alone
    // have nothing to step.
    void CalculaCiclo() override {}

    void SalvaParametros(EscritorLinhas& w) const;
    void LeParametros(LeitorLinhas& r);

    std::string TagText;
    std::string DescricaoText;
    int Variavel1Select = -1;
    std::string Edit1 = "PV";
    int Variavel2Select = -1;
    std::string Edit2 = "SP";
    int Variavel3Select = -1;
    std::string Edit3 = "MV";
    int BaseTempoBox = 0;

private:
    int slot_;
};

}  // namespace kivo
