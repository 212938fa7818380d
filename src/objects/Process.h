#pragma once
// Process block: one input variable passes through the valve non-linearities
// (backlash, stiction, rate limit, characteristic curve, actuator lag), a dead
// time and a transfer function with a static gain, and the result is written
// to the block's own output variable.
//
// Fields, held as typed (the record stores them):
//   TagText, DescricaoText      texts
//   EntradaSelect               input list index, -1 = none (item i = M(i+1))
//   GanhoText, TempoMorto       expressions, stored at apply, re-evaluated
//                               every cycle
//   ComboBox2                   transfer-function type index 0..3
//   LText, Ctext                tau1, tau2 (type 0), read every cycle
//   NCText, PeriodoText         N and P (type 1), numbers stored at apply
//   LEAD, LAG                   lead and lag times (type 2), read every cycle
//   ValorInicialText            integrator start (type 3); taken at apply only
//                               while valorInicialPendente is set (the window
//                               sets it when the field is edited)
//   ComboBox1                   valve curve index 0..4
//   Histerese, valveStext, tal  H, S, tau_a: numbers stored at apply
//   ratetext                    rate limit, expression read every cycle
//   CheckBox1                   "Desativar Saturador", read every cycle
// State (EstadoProcesso, members named after the record keys where the
// record keeps them): X0, Y2, Y0old, Y1old, Y1old2, x5old, IntAc1, IntAc2;
// the rest (backlash, stiction, rate, lag, dead-time buffer) is not saved.
// Reading a record puts that rest of the state where a plant saved at rest
// held it (RepousaNoEstadoSalvo).
// The actuator position goes to Simulacao::posicaoAtuador[numero()] only:
// M101..M110 already carry the controllers' PV mirrors, so it is not made a
// variable.
#include <array>
#include <string>

#include "core/Ciclo.h"
#include "objects/Coeficientes.h"
#include "objects/ExpressaoViva.h"
#include "objects/Mensagens.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

struct EstadoProcesso {
    static constexpr int kTamBuffer = 10000;

    double X0 = 0;        // input value x
    double h = 0;         // backlash output
    double hr = 0;        // backlash reference
    double s = 0;         // stiction output
    double f = 0;         // stiction filter
    double fr = 0;        // filter rounded to 0.1
    double x5old = 0;     // previous rounded filter value
    int nParado = 0;      // cycles without filtered movement
    bool agarrado = false;
    double r = 0;         // rate-limited position
    double c = 0;         // curve output
    double a = 0;         // actuator position
    int k = 0;            // write position
    int D = 0;            // delay in cycles
    double xd = 0;        // delayed input
    double Y0old = 0;     // previous delayed input xp
    double IntAc1 = 0;    // first lag (type 0)
    double IntAc2 = 0;    // second lag (type 0)
    double Y1old = 0;     // y[k-1]
    double Y1old2 = 0;    // y[k-2]
    double Y2 = 0;        // output value
    // Last, so that the fields the step touches share a few cache lines.
    std::array<double, kTamBuffer + 1> buffer{};  // positions 1..10000
};

// Final: the pool hands CalculaCiclos runs of processes, which it steps with
// direct calls.
class TProcesso final : public ObjetoCiclo {
public:
    // Delays up to this many cycles fit in the buffer.
    static constexpr int kMaxAtrasoCiclos = EstadoProcesso::kTamBuffer - 1;
    // The longest dead time the apply accepts: kMaxAtrasoCiclos at the
    // shortest cycle any run uses (0.1 s).
    static constexpr double kMaxTempoMorto = 999.9;

    // slot 1..24; the output address follows from it.
    TProcesso(Simulacao& sim, int slot);

    int slot() const { return slot_; }
    // Output address, also the number in the messages (21 for slot 1).
    int numero() const { return u_; }

    void CalculaCiclo() override;
    void CalculaCiclos(ObjetoCiclo* const* objetos, int n) override;
    bool ValidaParametros(bool mostraMensagens);

    void SalvaParametros(EscritorLinhas& w) const;
    void LeParametros(LeitorLinhas& r);

    // From the restored X0 and Y0old, sets the state the record does not
    // hold as it stands when the plant is at rest: backlash, stiction, rate
    // limiter, curve and actuator position on the input X0, and the whole
    // dead-time buffer at Y0old. Uses the backlash width and the curve of the
    // fields, which the apply that follows a record puts in use.
    void RepousaNoEstadoSalvo();

    // Values in use, as the last apply left them.
    int enderecoEntrada() const { return entrada_; }
    int tipo() const { return tipo_; }
    int curva() const { return curva_; }
    double N() const { return N_; }
    double P() const { return P_; }
    double H() const { return H_; }
    double S() const { return S_; }
    double tauA() const { return tauA_; }
    const std::string& ganhoAplicado() const { return ganho_.texto(); }
    const std::string& tempoMortoAplicado() const { return tempoMorto_.texto(); }

    std::string TagText;
    std::string DescricaoText;
    int EntradaSelect = 0;
    std::string GanhoText = "1";
    std::string TempoMorto = "0";
    int ComboBox2 = 0;
    std::string LText = "10";
    std::string Ctext = "0";
    std::string NCText = "1";
    std::string PeriodoText = "10";
    std::string LEAD = "0";
    std::string LAG = "0";
    std::string ValorInicialText = "0";
    bool valorInicialPendente = false;
    int ComboBox1 = 0;
    std::string Histerese = "0";
    std::string valveStext = "0";
    std::string tal = "0";
    std::string ratetext = "0";
    bool CheckBox1 = false;

    SaidaMensagens mensagens;

private:
    void Passo();
    double FuncaoTransferencia(double K, double T);

    Simulacao& sim_;
    int slot_;
    int u_;

    int entrada_ = 1;
    int tipo_ = 0;
    int curva_ = 0;
    double N_ = 1;
    double P_ = 10;
    double H_ = 0;
    double S_ = 0;
    double tauA_ = 0;
    // Before the first apply the step uses the default texts.
    ExpressaoViva ganho_;
    ExpressaoViva tempoMorto_;
    ExpressaoViva tau1_, tau2_, lead_, lag_, rate_;
    // Step coefficients of the stiction filter, the actuator lag, the dead
    // time (cycles) and the two lags of type 0, worked out when they change.
    Coeficientes filtroAgarramento_, atrasoAtuador_, ciclosAtraso_, lag1_, lag2_;
    // The input and the stiction filter rounded to tenths.
    Decimos decimosFolga_, decimosFiltro_;

public:
    // Last member: its dead-time buffer is large.
    EstadoProcesso estado;
};

}  // namespace kivo
