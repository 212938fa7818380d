#pragma once
// A trend recorder: its settings as its record holds them, and its sampler,
// which the cycle steps at the end of every real-time tick whether or not
// the recorder's window was ever built. The window only shows the samples
// and writes settings back.
//
// Fields: TagText, DescricaoText (texts); Variavel1Select (display list
// index, 124 items M1..M124, -1 none); Variavel2Select, Variavel3Select (125
// items, the last one "Nenhum"); Edit1..Edit3 (curve names); BaseTempoBox
// (time base index 0..2).
#include <string>

#include "core/Ciclo.h"
#include "project/AmostradorRegistrador.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

class DadosRegistrador : public ObjetoCiclo {
public:
    static constexpr int kItensVariavel1 = 124;
    static constexpr int kItensVariavel23 = 125;
    static constexpr int kItensBaseTempo = 3;

    // slot 1..10; the number given at creation is 200 + slot. mem is the
    // variable memory sampled, which outlives the recorder. Created applied,
    // with the range of M1 (no variable 1 yet).
    DadosRegistrador(const Memorias& mem, int slot) : slot_(slot), amostrador_(mem, *this) {
        amostrador_.AtualizaRegistrador();
    }
    DadosRegistrador(const DadosRegistrador&) = delete;
    DadosRegistrador& operator=(const DadosRegistrador&) = delete;

    int slot() const { return slot_; }
    int numero() const { return NumeroRegistrador(slot_); }

    void CalculaCiclo() override { amostrador_.CalculaCiclo(); }
    // The apply step: after a change of the settings, a load or a refresh of
    // the variable table.
    void AtualizaRegistrador() { amostrador_.AtualizaRegistrador(); }

    AmostradorRegistrador& amostrador() { return amostrador_; }
    const AmostradorRegistrador& amostrador() const { return amostrador_; }

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
    // Last: it reads the settings above.
    AmostradorRegistrador amostrador_;
};

}  // namespace kivo
