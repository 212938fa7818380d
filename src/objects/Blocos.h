#pragma once
// Calculation block: one expression over other variables, optionally the
// larger (">") or the smaller ("<") of two expressions, optionally limited
// from above and below, written to the block's own output variable.
//
// Fields, held as typed (the record stores them):
//   TagText, DescricaoText   texts
//   FuncaoTr                 function text, stored at apply
//   LimSupCheck, LimInfCheck limit enables, read every cycle
//   LimSupText, LimInfText   limit expressions, stored at apply
// The stored texts are re-evaluated every cycle, so M references stay live.
// No other state.
#include <string>

#include "core/Ciclo.h"
#include "objects/ExpressaoViva.h"
#include "objects/Mensagens.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

class TBloco : public ObjetoCiclo {
public:
    // slot 1..24; the output address follows from it.
    TBloco(Simulacao& sim, int slot);

    int slot() const { return slot_; }
    // Output address, also the number in the messages (41 for slot 1).
    int numero() const { return n_; }

    void CalculaCiclo() override;
    bool ValidaParametros(bool mostraMensagens);

    void SalvaParametros(EscritorLinhas& w) const;
    void LeParametros(LeitorLinhas& r);

    // Texts in use, as the last apply stored them.
    const std::string& funcaoAplicada() const { return funcao_; }
    const std::string& limSupAplicado() const { return limSup_.texto(); }
    const std::string& limInfAplicado() const { return limInf_.texto(); }
    // The value written at the last step.
    double saida() const { return y_; }

    std::string TagText;
    std::string DescricaoText;
    std::string FuncaoTr;
    bool LimSupCheck = false;
    std::string LimSupText = "105";
    bool LimInfCheck = false;
    std::string LimInfText = "-5";

    SaidaMensagens mensagens;

private:
    // The function's value; falhou tells whether either side was refused.
    double Funcao(bool& falhou) const;

    Simulacao& sim_;
    int slot_;
    int n_;
    double y_ = 0;

    std::string funcao_;
    char seletor_ = 0;  // '>', '<' or 0
    ExpressaoViva esquerda_;  // the whole function when there is no selector
    ExpressaoViva direita_;
    ExpressaoViva limSup_;
    ExpressaoViva limInf_;
};

}  // namespace kivo
