#pragma once
// PID controller n (1..10): reads PV (and a remote setpoint), computes the
// output MV and writes MV to M(n), the clamped SP to M(60+n) and the clamped
// PV to M(100+n). Parallel or ISA structure, setpoint weight, derivative on
// error or on a filtered PV, feed-forward expression as dynamic bias, output
// limits with back-calculation of the integral, integral freeze from a
// slave's feedback. Each step ends with the trend sampler.
//
// Fields, held as typed (the record stores them):
//   TagText, Descricao                  texts (the description is the
//                                        controller's own; the table entries
//                                        n and 60+n carry " MV "/" SP " + tag)
//   KpText KiText KdText BiasText aText tfText COminText COmaxText
//                                        number texts, converted at apply
//   PCHK ICHK DCHK                      action enables, read every cycle
//   Acaogroup EstruturaGroup DerivadaGroup   radio indexes, applied
//   VariavelSelect SPRSelect            list indexes (-1 none), applied
//   CheckSPR                            remote setpoint enable, read every cycle
//   FFwSelect                           feed-forward enable, applied
//   FFwEquation                         expression, read every cycle
//   BackMVCheck BackMV                  feedback freeze and its list index,
//                                        read every cycle
//   InicioEscala FimEscala UnidEng      PV scale, refilled from the PV
//                                        variable's table entry at apply
// State: PV, SP, MV, SPR, e, Erroant, PVant, Iant, PVf, PVfant, b,
// modoLocal ("Habilita Modo Remoto:" holds it), modoAuto; tendencia.
#include <string>

#include "core/Ciclo.h"
#include "objects/Coeficientes.h"
#include "objects/ExpressaoViva.h"
#include "objects/Mensagens.h"
#include "objects/Tendencia.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

struct EstadoControlador {
    double PV = 0;
    double SP = 0;
    double MV = 0;
    double SPR = 0;
    double e = 0;
    double Erroant = 0;  // error of the previous cycle
    double PVant = 0;    // PV of the previous cycle
    double Iant = 0;     // integral term
    double PVf = 0;      // filtered PV (derivative on PV)
    double PVfant = 0;
    double b = 0;        // bias in use
    bool modoLocal = true;
    bool modoAuto = false;
};

// Final: the pool hands CalculaCiclos runs of controllers, which it steps
// with direct calls.
class TControlador final : public ObjetoCiclo {
public:
    TControlador(Simulacao& sim, int n);

    int numero() const { return n_; }

    void CalculaCiclo() override;
    void CalculaCiclos(ObjetoCiclo* const* objetos, int n) override;
    bool ValidaParametros(bool mostraMensagens);

    void SalvaParametros(EscritorLinhas& w) const;
    void LeParametros(LeitorLinhas& r);

    // Values in use, as the last apply left them.
    double Kc() const { return Kc_; }
    double Ti() const { return Ti_; }
    double Td() const { return Td_; }
    double a() const { return a_; }
    double tauF() const { return tauF_; }
    double COmin() const { return COmin_; }
    double COmax() const { return COmax_; }
    double inicioEscala() const { return inicio_; }
    double fimEscala() const { return fim_; }
    int casasDecimais() const { return casas_; }
    bool reverso() const { return reverso_; }
    bool derivadaNaPV() const { return derivadaPV_; }
    bool isa() const { return isa_; }
    bool feedForward() const { return ff_; }
    int enderecoPV() const { return pv_; }
    int enderecoSPR() const { return spr_; }

    std::string TagText;
    std::string Descricao;
    std::string KpText = "1";
    std::string KiText = "10";
    std::string KdText = "0";
    std::string BiasText = "50";
    std::string aText = "1";
    std::string tfText = "0";
    bool PCHK = true;
    bool ICHK = true;
    bool DCHK = true;
    std::string COminText = "0";
    std::string COmaxText = "100";
    int Acaogroup = 1;       // 0 reverse, 1 direct
    int EstruturaGroup = 1;  // 0 parallel, 1 ISA
    int DerivadaGroup = 1;   // 0 on error, 1 on PV
    int VariavelSelect = 0;
    bool CheckSPR = false;
    int SPRSelect = 0;
    bool FFwSelect = false;
    std::string FFwEquation = "50";
    bool BackMVCheck = false;
    int BackMV = 0;
    std::string InicioEscala = "0";
    std::string FimEscala = "100";
    std::string UnidEng = "UE";

    EstadoControlador estado;
    TendenciaControlador tendencia;
    SaidaMensagens mensagens;

private:
    void Passo();
    void LimitaEstadoLido();

    Simulacao& sim_;
    int n_;

    double Kc_ = 1;
    double Ti_ = 10;
    double Td_ = 0;
    double a_ = 1;
    double tauF_ = 0;
    double COmin_ = 0;
    double COmax_ = 100;
    // The output limits in order (limits typed the wrong way round are
    // refused by the apply, yet stored): worked out when they are read, not
    // at every step.
    double saidaMin_ = 0;
    double saidaMax_ = 100;
    double inicio_ = 0;
    double fim_ = 100;
    int casas_ = 1;
    bool reverso_ = false;
    bool derivadaPV_ = true;
    bool isa_ = true;
    bool ff_ = false;
    int pv_ = 1;
    int spr_ = 1;
    ExpressaoViva ffw_;
    Coeficientes filtroPV_;  // of the derivative's PV filter
};

}  // namespace kivo
