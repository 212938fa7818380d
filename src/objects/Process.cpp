#include "objects/Process.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/NumberText.h"
#include "objects/Campos.h"

namespace kivo {

// A result of the step that is not a finite number (a time constant that
// zeroes a denominator, a gain that overflows, an unstable loop with the
// saturator off) is never stored: the state concerned keeps its last value,
// so the plant holds instead of filling with NaN.

TProcesso::TProcesso(Simulacao& sim, int slot) : sim_(sim), slot_(slot), u_(EnderecoProcesso(slot)) {
    ganho_.Define(GanhoText);
    tempoMorto_.Define(TempoMorto);
}

namespace {

// The stages of the step, each on the state it owns. Internal to this file so
// that the compiler can fold them into the step.

void Folga(EstadoProcesso& e, double x, double H, Decimos& decimos) {
    if (H > 0) {
        const double xr = decimos.Arredonda(x);
        if (e.h + H <= xr) {
            e.h = xr - H;
            e.hr = xr;
        } else if (e.hr - H > x) {  // the unrounded input decides the fall
            e.h = xr;
            e.hr = xr + H;
        }
    } else {
        e.h = x;
    }
}

void Agarramento(EstadoProcesso& e, double T, double S, Coeficientes& filtro, Decimos& decimos) {
    constexpr double kTalFiltro = 0.5;
    constexpr double kMovimento = 0.2;
    constexpr int kCiclosParado = 4;
    if (!e.agarrado) {
        e.s = e.h;
        const auto& c = filtro.Para(kTalFiltro, T, CoeficientesAtraso);
        e.f = c[0] * e.f + c[1] * e.h;
        e.fr = decimos.Arredonda(e.f);
        if (std::fabs(e.fr - e.x5old) >= kMovimento) {
            e.nParado = 0;
        } else if (e.nParado <= kCiclosParado) {
            // Counting stops past the limit: only "above 4" matters, and a
            // valve still for years must not overflow the counter.
            ++e.nParado;
        }
        if (e.nParado > kCiclosParado && S > 0) e.agarrado = true;
    } else if (std::fabs(e.s - e.h) >= S) {
        e.agarrado = false;  // s follows h again from the next cycle
    }
    e.x5old = e.fr;
}

void Limitador(EstadoProcesso& e, double T, double R) {
    if (R == 0) R = 99999;
    const double d = std::fabs(R) * T;
    if (std::fabs(e.r - e.s) > d)
        e.r += e.s > e.r ? d : -d;
    else
        e.r = e.s;
}

double Curva(int curva, double r) {
    switch (curva) {
        case 1:
            return 100 - (112 * std::exp(-r / 40) - 9.1935);
        case 2:
            return (std::exp(r / 40) - 1.0253) * 8.9628;
        case 3: {
            const double z = (r / 2.5 + 30) / 10 - 5;
            return (50 * z / std::sqrt(z * z + 1) + 50 - 5.2786) / 0.8944;
        }
        case 4: {
            const double z = r / 10 - 5;
            return 50 * z / std::sqrt(z * z + 1) + 50;
        }
        default:
            return r;
    }
}

void AtrasoTransporte(EstadoProcesso& e, double theta, double T, Coeficientes& atraso) {
    constexpr int kTam = EstadoProcesso::kTamBuffer;
    // The apply refuses typed dead times beyond the buffer; a live expression
    // that leaves 0..kMaxAtrasoCiclos is bounded here instead of reading
    // outside the buffer or acting as no delay. Bounded once per change of
    // the dead time or the step, with the division.
    e.D = static_cast<int>(atraso.Para(theta, T, [](double th, double t) {
        const double ciclos = Arredonda(th / t);
        double D = 0;
        if (ciclos >= TProcesso::kMaxAtrasoCiclos)
            D = TProcesso::kMaxAtrasoCiclos;
        else if (ciclos > 0)
            D = static_cast<int>(ciclos);
        return std::array<double, 2>{D, 0.0};
    })[0]);
    e.k = (e.k >= kTam || e.k < 0) ? 1 : e.k + 1;
    e.buffer[static_cast<std::size_t>(e.k)] = e.a;
    int j = e.k - e.D;
    if (j <= 0) j += kTam;
    e.xd = e.buffer[static_cast<std::size_t>(j)];
}

// Type 0, the common one: two lags in series.
double DuasConstantes(EstadoProcesso& e, double T, double t1, double t2, bool satura, Coeficientes& lag1,
                      Coeficientes& lag2) {
    double y1 = e.xd;
    if (t1 != 0) {
        // Tustin: (2 t1 - T) / (2 t1 + T) and T / (2 t1 + T).
        const auto& c = lag1.Para(t1, T, [](double t, double h) {
            return std::array<double, 2>{(2 * t - h) / (2 * t + h), h / (2 * t + h)};
        });
        y1 = c[0] * e.IntAc1 + c[1] * (e.xd + e.Y0old);
    }
    double y2 = y1;
    if (t2 != 0) {
        const auto& c = lag2.Para(t2, T, CoeficientesAtraso);
        y2 = c[0] * e.IntAc2 + c[1] * y1;
    }
    if (satura) y2 = std::clamp(y2, 0.0, 100.0);
    if (std::isfinite(y1) && std::isfinite(y2)) {
        e.IntAc1 = y1;
        e.IntAc2 = y2;
    }
    return e.IntAc2;
}

}  // namespace

// At rest every stage of the chain passes its input on unchanged: the
// backlash sits at the input with its reference one width above (the state a
// fall to the input leaves, so that a rise must cross the whole width), the
// stiction filter has settled on it and is free but has not yet counted the
// still cycles, so it sticks there once the input stays put. The buffer
// holds what the chain delivered while at rest, the delayed input Y0old:
// the output Y2 differs from it by the gain, or by the whole transfer
// function for an integrator.
void TProcesso::RepousaNoEstadoSalvo() {
    EstadoProcesso& e = estado;
    double H = 0;
    if (!LeNumeroCampo(Histerese, H) || !(H > 0)) H = 0;
    e.h = e.X0;
    e.hr = e.X0 + H;
    e.s = e.X0;
    e.f = e.X0;
    e.fr = Arredonda(10 * e.f) / 10;
    e.nParado = 0;
    e.agarrado = false;
    e.r = e.X0;
    const double c = Curva(ComboBox1, e.X0);
    e.c = std::isfinite(c) ? c : 0.0;
    e.a = e.c;
    e.xd = e.Y0old;
    std::fill(e.buffer.begin() + 1, e.buffer.end(), e.Y0old);
    sim_.posicaoAtuador[static_cast<std::size_t>(u_)] = e.a;
}

double TProcesso::FuncaoTransferencia(double K, double T) {
    EstadoProcesso& e = estado;
    const Memorias& mem = sim_.mem;
    const bool satura = !CheckBox1;
    auto limita = [satura](double v) { return satura ? std::clamp(v, 0.0, 100.0) : v; };

    // Type 0 is stepped by DuasConstantes, without the switch.
    switch (tipo_) {
        case 1: {
            const double w = 6.283 / P_;
            double y;
            if (P_ > 0 && std::isfinite(w)) {
                const double zeta = N_ != 0 ? 0.6 / N_ : 1.0;
                // Formed as the discretisation writes them, w^2 times T^2 and
                // 2 zeta w T from the left: forming wT first changes the last
                // bits, which drift apart over an oscillation.
                const double w2T2 = (w * w) * (T * T);
                const double amort = 2 * zeta * w * T;
                const double den = w2T2 + amort + 1;
                y = ((amort + 2) * e.Y1old - e.Y1old2 + w2T2 * e.xd) / den;
            } else {
                // A period of 0 (refused by the apply, yet stored) means an
                // infinite natural frequency: the limit of the response is
                // the input itself, without oscillation.
                y = e.xd;
            }
            y = limita(y);
            if (std::isfinite(y)) {
                e.Y1old2 = e.Y1old;
                e.Y1old = y;
            }
            return e.Y1old;
        }
        case 2: {
            lead_.Define(LEAD);
            lag_.Define(LAG);
            const double td = lead_.Avalia(mem);
            const double tg = lag_.Avalia(mem);
            const double y = limita((tg / (T + tg)) * e.Y1old + ((T + td) / (T + tg)) * e.xd - (td / (T + tg)) * e.Y0old);
            if (std::isfinite(y)) e.Y1old = y;
            return e.Y1old;
        }
        default: {  // 3, integrator
            const double y = limita(e.Y1old + K * T * e.xd);
            if (std::isfinite(y)) e.Y1old = y;
            return e.Y1old;
        }
    }
}

// Inlined into the loop over a pool's run of processes.
[[gnu::always_inline]] inline void TProcesso::Passo() {
    const double T = sim_.estado.T;
    Memorias& mem = sim_.mem;
    EstadoProcesso& e = estado;

    e.X0 = mem[entrada_];
    const double K = ganho_.Avalia(mem);
    Folga(e, e.X0, H_, decimosFolga_);
    Agarramento(e, T, S_, filtroAgarramento_, decimosFiltro_);
    rate_.Define(ratetext);
    Limitador(e, T, rate_.Avalia(mem));

    // The linear curve, the usual one, is the position itself: no call.
    const double c = curva_ == 0 ? e.r : Curva(curva_, e.r);
    if (std::isfinite(c)) e.c = c;
    double a = e.c;
    if (tauA_ != 0) {
        const auto& k = atrasoAtuador_.Para(tauA_, T, CoeficientesAtraso);
        a = k[0] * e.a + k[1] * e.c;
    }
    if (std::isfinite(a)) e.a = a;

    AtrasoTransporte(e, tempoMorto_.Avalia(mem), T, ciclosAtraso_);
    double y;
    if (tipo_ == 0) {
        tau1_.Define(LText);
        tau2_.Define(Ctext);
        y = DuasConstantes(e, T, tau1_.Avalia(mem), tau2_.Avalia(mem), !CheckBox1, lag1_, lag2_);
    } else {
        y = FuncaoTransferencia(K, T);
    }
    e.Y0old = e.xd;

    // The gain acts after the clamp, except in the integrator, where it is
    // already inside the integral.
    const double yo = tipo_ == 3 ? y : K * y;
    if (std::isfinite(yo)) e.Y2 = yo;
    mem[u_] = e.Y2;
    sim_.posicaoAtuador[static_cast<std::size_t>(u_)] = e.a;
}

void TProcesso::CalculaCiclos(ObjetoCiclo* const* objetos, int n) {
    for (int i = 0; i < n; ++i) static_cast<TProcesso*>(objetos[i])->Passo();
}

void TProcesso::CalculaCiclo() {
    ObjetoCiclo* const eu = this;
    CalculaCiclos(&eu, 1);
}

bool TProcesso::ValidaParametros(bool mostraMensagens) {
    const Memorias& mem = sim_.mem;
    std::vector<std::string> erros;
    auto erro = [&](const std::string& texto) { erros.push_back("Processo " + std::to_string(u_) + texto); };
    auto testa = [&](ExpressaoViva& ex, const std::string& texto, const char* msg) {
        ex.Define(texto);
        bool falhou = false;
        ex.Avalia(mem, falhou);
        if (falhou) erro(msg + MotivoExcesso(ex.excesso()));
    };

    const int endereco = EnderecoDaLista(EntradaSelect);
    if (endereco == 0) {
        erro(": Variável de entrada não informada");
    } else {
        entrada_ = endereco;
        testa(ganho_, GanhoText, ": Ganho inválido");

        tempoMorto_.Define(TempoMorto);
        bool falhou = false;
        const double theta = tempoMorto_.Avalia(mem, falhou);
        if (falhou || theta < 0)
            erro(": Tempo Morto inválido" + MotivoExcesso(tempoMorto_.excesso()));
        else if (Arredonda(theta / 0.1) > kMaxAtrasoCiclos)
            erro(": Tempo Morto inválido (máximo 999.9 seg)");

        switch (ComboBox2) {
            case 0:
                tipo_ = 0;
                testa(tau1_, LText, ": Tal1 inválido");
                testa(tau2_, Ctext, ": Tal2 inválido");
                break;
            case 1:
                tipo_ = 1;
                if (!LeNumeroCampo(NCText, N_) || N_ == 0) erro(": NCn inválido");
                // A period that is not positive has no oscillation to show.
                if (!LeNumeroCampo(PeriodoText, P_) || !(P_ > 0)) erro(": Periodo inválido");
                break;
            case 2:
                tipo_ = 2;
                testa(lag_, LAG, ": LAG inválido");
                testa(lead_, LEAD, ": LEAD inválido");
                break;
            case 3:
                tipo_ = 3;
                if (valorInicialPendente) {
                    LeNumeroCampo(ValorInicialText, estado.Y1old);
                    valorInicialPendente = false;
                }
                break;
            default:
                break;
        }

        if (!LeNumeroCampo(Histerese, H_)) erro(": Histerese inválida");
        curva_ = ComboBox1;
        testa(rate_, ratetext, ": Rate inválido");
        if (!LeNumeroCampo(valveStext, S_)) erro(": Agarramento inválido");
        if (!LeNumeroCampo(tal, tauA_)) erro(": Constante de tempo inválido");
    }

    if (erros.empty()) sim_.mem.setDescricao(u_, DescricaoText);
    if (mostraMensagens && mensagens)
        for (const auto& m : erros) mensagens(m);
    return erros.empty();
}

}  // namespace kivo
