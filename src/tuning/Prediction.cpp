#include "tuning/Prediction.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "core/Ciclo.h"
#include "fastsim/SimulacaoRapida.h"
#include "objects/Blocos.h"
#include "objects/Controller.h"
#include "objects/Process.h"

namespace kivo::tuning {

namespace {

std::string Numero(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9f", x);
    return buf;
}

// The window: the slowest closed loop any of the rules gives settles within
// a few tens of dead times plus time constants.
double Janela(const ProcessModel& m, const Setting& s) {
    const double theta = std::max(m.theta, kMinDeadTime);
    double escala = m.kind == ModelKind::Ipdt ? 10 * theta + 3 * s.Ti : 10 * theta + 5 * (m.tau1 + m.tau2) + 3 * s.Ti;
    return std::clamp(std::ceil(escala / 0.9 / 60) * 60, 120.0, kJanelasRapida.back());
}

// The plant: controller 1 drives process 1, whose output block adds the
// operating point. A self-regulating model takes MV itself as input, and the
// block removes K MV0; an integrator must integrate the deviation of MV, so
// a block before it subtracts MV0. The block between MV and the process
// costs one cycle, and the controller's MV reaches a process one cycle late
// in any plant, as it did in the step test: both come off the dead time.
struct Planta {
    Simulacao sim;
    TControlador* controlador = nullptr;
};

std::unique_ptr<Planta> Monta(const ProcessModel& m, const Setting& s, const LoopConfig& c, const OperatingPoint& op,
                              double T) {
    auto p = std::make_unique<Planta>();
    Simulacao& sim = p->sim;
    const bool integrador = m.kind == ModelKind::Ipdt;
    const double atrasoExtra = integrador ? 2 * T : T;
    const double theta = std::max(0.0, m.theta - atrasoExtra);
    if (theta / T > TProcesso::kMaxAtrasoCiclos)
        throw TuningError("O tempo morto do modelo excede o que o bloco de processo simula.",
                          "The model's dead time exceeds what the process block simulates.");

    auto proc = std::make_unique<TProcesso>(sim, 1);
    proc->EntradaSelect = integrador ? 40 : 0;  // M41 or M01
    proc->GanhoText = Numero(std::abs(m.K));
    proc->TempoMorto = Numero(theta);
    proc->CheckBox1 = true;  // deviations may be negative
    if (integrador) {
        proc->ComboBox2 = 3;
    } else {
        proc->ComboBox2 = 0;
        proc->LText = Numero(m.tau1);
        proc->Ctext = Numero(m.kind == ModelKind::Sopdt ? m.tau2 : 0.0);
    }
    proc->ValidaParametros(false);
    sim.processos.Cria(1, std::move(proc));

    if (integrador) {
        auto entrada = std::make_unique<TBloco>(sim, 1);
        entrada->FuncaoTr = "M01-" + Numero(op.mv);
        entrada->ValidaParametros(false);
        sim.blocos.Cria(1, std::move(entrada));
    }
    // PV = PV0 + sign(K) (process output - its value at the operating point).
    const double repouso = integrador ? 0.0 : std::abs(m.K) * op.mv;
    auto saida = std::make_unique<TBloco>(sim, 2);
    saida->FuncaoTr = m.K >= 0 ? Numero(op.pv - repouso) + "+M21" : Numero(op.pv + repouso) + "-M21";
    saida->ValidaParametros(false);
    sim.blocos.Cria(2, std::move(saida));

    auto ctl = std::make_unique<TControlador>(sim, 1);
    ctl->TagText = "TUNE";
    ctl->VariavelSelect = 41;  // M42
    ctl->KpText = s.KpText;
    ctl->KiText = s.KiText;
    ctl->KdText = s.KdText;
    ctl->Acaogroup = s.acao;
    ctl->EstruturaGroup = c.isa ? 1 : 0;
    ctl->DerivadaGroup = c.derivativeOnPv ? 1 : 0;
    ctl->aText = Numero(c.a);
    ctl->tfText = Numero(c.tauF);
    ctl->COminText = Numero(c.coMin);
    ctl->COmaxText = Numero(c.coMax);
    ctl->PCHK = c.p;
    ctl->ICHK = c.i && s.Ti > 0;
    ctl->DCHK = c.d;
    ctl->ValidaParametros(false);
    // At rest: no derivative kick from a PV history of zeros.
    ctl->estado.SP = op.pv;
    ctl->estado.MV = op.mv;
    ctl->estado.PV = ctl->estado.PVant = ctl->estado.PVf = ctl->estado.PVfant = op.pv;
    p->controlador = ctl.get();
    sim.controladores.Cria(1, std::move(ctl));

    // At rest at the operating point; one cycle in manual sets the integral
    // so that automatic starts without a bump.
    sim.mem[1] = op.mv;
    sim.mem[21] = integrador ? 0.0 : std::abs(m.K) * op.mv;
    sim.mem[42] = op.pv;
    if (integrador) sim.processos.como<TProcesso>(1)->estado.Y1old = 0;
    else {
        auto& e = sim.processos.como<TProcesso>(1)->estado;
        e.X0 = e.a = e.c = e.r = e.s = e.h = e.Y0old = op.mv;
        e.IntAc1 = e.IntAc2 = op.mv;
        e.buffer.fill(op.mv);
    }
    sim.ExecutaSemDisplay(1, T, [](long long) {}, [](long long) { return true; });
    p->controlador->estado.modoAuto = true;
    return p;
}

void Executa(const ProcessModel& m, const Setting& s, const LoopConfig& c, const OperatingPoint& op, SinalTeste sinal,
             int amplitude, double W, double T, SeriesMalha& serie, std::optional<IndicesDesempenho>& indices) {
    auto planta = Monta(m, s, c, op, T);
    OpcoesRapida o;
    o.janela = W;
    o.T = T;
    o.sinal = sinal;
    o.amplitude = amplitude;
    ResultadoRapida r;
    try {
        r = ExecutaRapida(planta->sim, o);
    } catch (const std::exception& e) {
        throw TuningError(std::string("A simulação da malha com este ajuste falhou: ") + e.what(),
                          std::string("Simulating the loop with this setting failed: ") + e.what());
    }
    const MalhaDesempenho& malha = r.linha.malha(1);
    serie = malha.series;
    indices = malha.indices;
}

}  // namespace

LoopConfig ConfigOf(const TControlador& c) {
    LoopConfig l;
    l.isa = c.isa();
    l.derivativeOnPv = c.derivadaNaPV();
    l.a = c.a();
    l.tauF = c.tauF();
    l.coMin = c.COmin();
    l.coMax = c.COmax();
    l.p = c.PCHK;
    l.i = c.ICHK;
    l.d = c.DCHK;
    return l;
}

Prediction Predict(const ProcessModel& m, const Setting& s, const LoopConfig& c, const OperatingPoint& op) {
    Prediction p;
    p.window = Janela(m, s);
    if (!std::isfinite(p.window))
        throw TuningError("O modelo e o ajuste não dão uma janela de simulação finita.",
                          "The model and the setting give no finite simulation window.");
    // The fast simulation's pairing of window and time step.
    p.sampleTime = kAmostragensRapida[0];
    for (std::size_t i = 0; i < kJanelasRapida.size(); ++i)
        if (p.window <= kJanelasRapida[i]) {
            p.sampleTime = kAmostragensRapida[i];
            break;
        }
    p.spStep = op.pv + 10 <= 100 ? 10 : -10;
    p.loadStep = op.mv + 10 <= c.coMax ? 10 : -10;
    Executa(m, s, c, op, SinalTeste::DegrauSP, p.spStep, p.window, p.sampleTime, p.setpoint, p.spIndices);
    Executa(m, s, c, op, SinalTeste::DegrauCarga, p.loadStep, p.window, p.sampleTime, p.load, p.loadIndices);
    return p;
}

std::vector<Proposal> ProposeAndPredict(const Identification& id, ModelKind used, const LoopConfig& c,
                                        const std::vector<Rule>& rules, double tc) {
    if (!id.fits[static_cast<std::size_t>(used)])
        throw TuningError(std::string("O modelo ") + KindName(used) + " não pôde ser ajustado à série.",
                          std::string("The ") + KindName(used) + " model could not be fitted to the series.");
    const ModelFit& fit = id.fit(used);
    const OperatingPoint op{id.step.mvBefore, std::clamp(fit.pv0, 0.0, 100.0)};
    std::vector<Proposal> v;
    for (Rule r : rules)
        for (const Setting& s : ProposeSettings(fit.model, r, c.isa, tc)) v.push_back({s, Predict(fit.model, s, c, op)});
    return v;
}

}  // namespace kivo::tuning
