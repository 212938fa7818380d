#include "tuning/Prediction.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "core/Cycle.h"
#include "fastsim/FastSimulation.h"
#include "objects/Blocks.h"
#include "objects/Controller.h"
#include "objects/Process.h"

namespace kivo::tuning {

namespace {

std::string Number(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9f", x);
    return buf;
}

// The window: the slowest closed loop any of the rules gives settles within
// a few tens of dead times plus time constants.
double WindowLength(const ProcessModel& m, const Setting& s) {
    const double theta = std::max(m.theta, kMinDeadTime);
    double scale = m.kind == ModelKind::Ipdt ? 10 * theta + 3 * s.Ti : 10 * theta + 5 * (m.tau1 + m.tau2) + 3 * s.Ti;
    return std::clamp(std::ceil(scale / 0.9 / 60) * 60, 120.0, kFastSimulationWindows.back());
}

// The plant: controller 1 drives process 1, whose output block adds the
// operating point. A self-regulating model takes MV itself as input, and the
// block removes K MV0; an integrator must integrate the deviation of MV, so
// a block before it subtracts MV0. The block between MV and the process
// costs one cycle, and the controller's MV reaches a process one cycle late
// in any plant, as it did in the step test: both come off the dead time.
struct Plant {
    Simulation sim;
    Controller* controller = nullptr;
};

std::unique_ptr<Plant> BuildPlant(const ProcessModel& m, const Setting& s, const LoopConfig& c, const OperatingPoint& op,
                              double T) {
    auto p = std::make_unique<Plant>();
    Simulation& sim = p->sim;
    const bool integrator = m.kind == ModelKind::Ipdt;
    const double extraDelay = integrator ? 2 * T : T;
    const double theta = std::max(0.0, m.theta - extraDelay);
    if (theta / T > Process::kMaxDelayCycles)
        throw TuningError("O tempo morto do modelo excede o que o bloco de processo simula.",
                          "The model's dead time exceeds what the process block simulates.");

    auto proc = std::make_unique<Process>(sim, 1);
    proc->InputSelect = integrator ? 40 : 0;  // M41 or M01
    proc->GainText = Number(std::abs(m.K));
    proc->DeadTime = Number(theta);
    proc->SaturatorDisabled = true;  // deviations may be negative
    if (integrator) {
        proc->TransferFunctionKind = 3;
    } else {
        proc->TransferFunctionKind = 0;
        proc->LText = Number(m.tau1);
        proc->Ctext = Number(m.kind == ModelKind::Sopdt ? m.tau2 : 0.0);
    }
    proc->ValidateParameters(false);
    sim.processes.Create(1, std::move(proc));

    if (integrator) {
        auto entry = std::make_unique<Block>(sim, 1);
        entry->FunctionText = "M01-" + Number(op.mv);
        entry->ValidateParameters(false);
        sim.blocks.Create(1, std::move(entry));
    }
    // PV = PV0 + sign(K) (process output - its value at the operating point).
    const double restValue = integrator ? 0.0 : std::abs(m.K) * op.mv;
    auto output = std::make_unique<Block>(sim, 2);
    output->FunctionText = m.K >= 0 ? Number(op.pv - restValue) + "+M21" : Number(op.pv + restValue) + "-M21";
    output->ValidateParameters(false);
    sim.blocks.Create(2, std::move(output));

    auto ctl = std::make_unique<Controller>(sim, 1);
    ctl->TagText = "TUNE";
    ctl->VariableSelect = 41;  // M42
    ctl->KpText = s.KpText;
    ctl->KiText = s.KiText;
    ctl->KdText = s.KdText;
    ctl->ActionGroup = s.actionItem;
    ctl->StructureGroup = c.isa ? 1 : 0;
    ctl->DerivativeGroup = c.derivativeOnPv ? 1 : 0;
    ctl->aText = Number(c.a);
    ctl->tfText = Number(c.tauF);
    ctl->COminText = Number(c.coMin);
    ctl->COmaxText = Number(c.coMax);
    ctl->PCHK = c.p;
    ctl->ICHK = c.i && s.Ti > 0;
    ctl->DCHK = c.d;
    ctl->ValidateParameters(false);
    // At rest: no derivative kick from a PV history of zeros.
    ctl->state.SP = op.pv;
    ctl->state.MV = op.mv;
    ctl->state.PV = ctl->state.PrevPV = ctl->state.PVf = ctl->state.PrevPVf = op.pv;
    p->controller = ctl.get();
    sim.controllers.Create(1, std::move(ctl));

    // At rest at the operating point; one cycle in manual sets the integral
    // so that automatic starts without a bump.
    sim.mem[1] = op.mv;
    sim.mem[21] = integrator ? 0.0 : std::abs(m.K) * op.mv;
    sim.mem[42] = op.pv;
    if (integrator) sim.processes.as<Process>(1)->state.Y1old = 0;
    else {
        auto& e = sim.processes.as<Process>(1)->state;
        e.X0 = e.a = e.c = e.r = e.s = e.h = e.Y0old = op.mv;
        e.IntAc1 = e.IntAc2 = op.mv;
        e.buffer.fill(op.mv);
    }
    sim.RunWithoutDisplay(1, T, [](long long) {}, [](long long) { return true; });
    p->controller->state.autoMode = true;
    return p;
}

void Run(const ProcessModel& m, const Setting& s, const LoopConfig& c, const OperatingPoint& op, TestSignal signal,
             int amplitude, double W, double T, LoopSeries& series, std::optional<PerformanceIndices>& indices) {
    auto plant = BuildPlant(m, s, c, op, T);
    FastSimulationOptions o;
    o.window = W;
    o.T = T;
    o.signal = signal;
    o.amplitude = amplitude;
    FastSimulationResult r;
    try {
        r = RunFastSimulation(plant->sim, o);
    } catch (const std::exception& e) {
        throw TuningError(std::string("A simulação da malha com este ajuste falhou: ") + e.what(),
                          std::string("Simulating the loop with this setting failed: ") + e.what());
    }
    const LoopPerformance& loop = r.line.loop(1);
    series = loop.series;
    indices = loop.indices;
}

}  // namespace

Prediction Predict(const ProcessModel& m, const Setting& s, const LoopConfig& c, const OperatingPoint& op) {
    Prediction p;
    p.window = WindowLength(m, s);
    if (!std::isfinite(p.window))
        throw TuningError("O modelo e o ajuste não dão uma janela de simulação finita.",
                          "The model and the setting give no finite simulation window.");
    // The fast simulation's pairing of window and time step.
    p.sampleTime = kFastSimulationSampleTimes[0];
    for (std::size_t i = 0; i < kFastSimulationWindows.size(); ++i)
        if (p.window <= kFastSimulationWindows[i]) {
            p.sampleTime = kFastSimulationSampleTimes[i];
            break;
        }
    p.spStep = op.pv + 10 <= 100 ? 10 : -10;
    p.loadStep = op.mv + 10 <= c.coMax ? 10 : -10;
    Run(m, s, c, op, TestSignal::SetpointStep, p.spStep, p.window, p.sampleTime, p.setpoint, p.spIndices);
    Run(m, s, c, op, TestSignal::LoadStep, p.loadStep, p.window, p.sampleTime, p.load, p.loadIndices);
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
        for (const Setting& s : ProposeSettings(fit.model, r, c.isa, tc))
            v.push_back({s, Predict(fit.model, s, c, op), LoopMargins(fit.model, s, c),
                         WorstMargins(fit.model, fit.halfWidth, s, c)});
    return v;
}

}  // namespace kivo::tuning
