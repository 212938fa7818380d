#include "objects/Controller.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "objects/Campos.h"

namespace kivo {

TControlador::TControlador(Simulacao& sim, int n) : TagText("PID" + std::to_string(n)), sim_(sim), n_(n) {
    ffw_.Define(FFwEquation);
}

// Inlined into the loop over a pool's run of controllers.
[[gnu::always_inline]] inline void TControlador::Passo() {
    const double T = sim_.estado.T;
    Memorias& mem = sim_.mem;
    EstadoControlador& s = estado;

    s.PV = mem[pv_];
    s.SPR = CheckSPR ? mem[spr_] : 0.0;
    if (!s.modoLocal) s.SP = s.SPR;

    // The errors use PV and SP before they are clamped.
    double ep;
    if (reverso_) {
        s.e = s.PV - s.SP;
        ep = s.PV - a_ * s.SP;
    } else {
        s.e = s.SP - s.PV;
        ep = a_ * s.SP - s.PV;
    }
    s.PV = std::clamp(s.PV, 0.0, 100.0);
    s.SP = std::clamp(s.SP, 0.0, 100.0);

    if (DCHK && derivadaPV_) {
        const auto& c = filtroPV_.Para(tauF_, T, CoeficientesAtraso);
        const double f = c[0] * s.PVfant + c[1] * s.PV;
        // A filter time of -T zeroes the denominator; the filter then holds
        // instead of carrying NaN into the output.
        if (std::isfinite(f)) s.PVf = f;
    }
    mem[60 + n_] = s.SP;
    mem[100 + n_] = s.PV;

    double K = Kc_;
    if (ff_) {
        ffw_.Define(FFwEquation);
        s.b = ffw_.Avalia(mem);
    }

    double P = 0;
    if (PCHK)
        P = K * ep;
    else
        K = 1;  // so that ISA then scales I and D by 1
    P = std::clamp(P, -100.0, 100.0);

    double D = 0;
    if (DCHK) {
        if (derivadaPV_)
            D = reverso_ ? (s.PVf - s.PVfant) * Td_ : (s.PVfant - s.PVf) * Td_;
        else
            D = (s.e - s.Erroant) * Td_;
        // A zero over the positive step is that same zero: a PI controller
        // (Td 0) skips the division.
        if (!(D == 0 && T > 0)) D = D / T;
        if (isa_) D = K * D;
        D = std::clamp(D, -100.0, 100.0);
    }

    if (s.modoAuto) {
        bool congela = Ti_ == 0 || !ICHK;
        if (BackMVCheck) {
            const double F = mem[EnderecoDaLista(BackMV)];
            if (F >= 99.9 || F <= 0.1) congela = true;
        }
        if (!congela) s.Iant += isa_ ? K * s.e * T / Ti_ : s.e * T / Ti_;
        // Limits in order, so that the output never jumps between the two.
        const double lo = saidaMin_;
        const double hi = saidaMax_;
        s.MV = s.b + P + s.Iant + D;
        // The integral keeps the excess back; the output is set to the limit
        // itself, which the sum may miss by a rounding.
        if (s.MV > hi) {
            s.Iant = hi - P - D - s.b;
            s.MV = hi;
        } else if (s.MV < lo) {
            s.Iant = lo - P - D - s.b;
            s.MV = lo;
        }
    } else {
        // Manual: the integral tracks the operator's output (bumpless transfer).
        s.Iant = s.MV - P - D - s.b;
    }

    s.Erroant = s.e;
    s.PVant = s.PV;
    s.PVfant = s.PVf;
    mem[n_] = s.MV;

    tendencia.Amostra(s.PV, s.SP, s.MV, sim_.posicaoAtuador[static_cast<std::size_t>(n_ + 20)]);
}

void TControlador::CalculaCiclos(ObjetoCiclo* const* objetos, int n) {
    for (int i = 0; i < n; ++i) static_cast<TControlador*>(objetos[i])->Passo();
}

void TControlador::CalculaCiclo() {
    ObjetoCiclo* const eu = this;
    CalculaCiclos(&eu, 1);
}

bool TControlador::ValidaParametros(bool mostraMensagens) {
    Memorias& mem = sim_.mem;
    std::vector<std::string> erros;
    auto erro = [&](const std::string& texto) { erros.push_back("Controlador " + std::to_string(n_) + texto); };
    auto numero = [&](const std::string& texto, double& valor, const char* msg) {
        const bool ok = LeNumeroCampo(texto, valor);
        if (!ok) erro(msg);
        return ok;
    };

    const int pv = EnderecoDaLista(VariavelSelect);
    if (TagText.empty()) {
        erro(": TAG não informado");
    } else if (pv == 0) {
        erro(": Variável de processo (PV) não informada");
    } else {
        // The scale is always the PV variable's.
        const EntradaTabela& entrada = mem.entrada(pv);
        InicioEscala = entrada.ueMin;
        FimEscala = entrada.ueMax;
        UnidEng = entrada.unidade;

        numero(KpText, Kc_, ": Kp inválido");
        numero(KiText, Ti_, ": Ti inválido");
        numero(KdText, Td_, ": Td inválido");
        numero(aText, a_, ": Fator a inválido");
        numero(tfText, tauF_, ": Talf inválido");
        numero(BiasText, estado.b, ": Bias inválido");
        const bool minOk = numero(COminText, COmin_, ": COmin inválido");
        const bool maxOk = numero(COmaxText, COmax_, ": COmax inválido");
        // Inverted limits would pin the output to one limit or the other.
        if (minOk && maxOk && COmin_ > COmax_) erro(": COmin maior que COmax");
        saidaMin_ = std::min(COmin_, COmax_);
        saidaMax_ = std::max(COmin_, COmax_);

        ff_ = FFwSelect;
        if (ff_) {
            ffw_.Define(FFwEquation);
            bool falhou = false;
            ffw_.Avalia(mem, falhou);
            if (falhou) erro(": Equação do FF inválida" + MotivoExcesso(ffw_.excesso()));
        }
        numero(InicioEscala, inicio_, ": Inicio Escala inválido");
        numero(FimEscala, fim_, ": Final Escala inválido");

        if (erros.empty()) {
            reverso_ = Acaogroup == 0;
            derivadaPV_ = DerivadaGroup == 1;
            isa_ = EstruturaGroup == 1;
            pv_ = pv;
            spr_ = EnderecoDaLista(SPRSelect);
            if (!CheckSPR) estado.modoLocal = true;
            mem.setDescricao(n_, " MV " + TagText);
            mem.setDescricao(60 + n_, " SP " + TagText);
            const double faixa = std::fabs(fim_ - inicio_);
            casas_ = faixa >= 1000 ? 0 : faixa >= 100 ? 1 : faixa >= 10 ? 2 : faixa >= 1 ? 3 : 4;
        }
    }

    if (mostraMensagens && mensagens)
        for (const auto& m : erros) mensagens(m);
    tendencia.RecalculaEscala();
    return erros.empty();
}

}  // namespace kivo
