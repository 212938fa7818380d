#include "fastsim/FastSimulation.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "core/Cycle.h"
#include "core/NumberText.h"
#include "fastsim/Progress.h"
#include "objects/Controller.h"

namespace kivo {

TestSignal TestSignalOfItem(int item) {
    switch (item) {
        case 2:
            return TestSignal::SetpointStep;
        case 3:
            return TestSignal::LoadStep;
        default:
            return TestSignal::None;
    }
}

bool ReadAmplitude(std::string_view text, int& amplitude) { return ParseStrictInteger(text, amplitude); }

std::string_view DataSavedText(bool english) { return english ? "Data saved on file" : "Dados salvos no arquivo"; }

namespace {

void ApplyStep(Simulation& sim, TestSignal signal, int amplitude) {
    for (int n = 1; n <= kLoops; ++n) {
        auto* c = sim.controllers.active(n) ? sim.controllers.as<Controller>(n) : nullptr;
        if (!c) continue;
        if (signal == TestSignal::SetpointStep)
            c->state.SP += amplitude;
        else
            c->state.b += amplitude;
    }
}

// The flag is cleared however the run ends.
struct FastModeReset {
    CycleState& state;
    ~FastModeReset() { state.fastMode = false; }
};

}  // namespace

FastSimulationResult RunFastSimulation(Simulation& sim, const FastSimulationOptions& op, ProgressObserver* obs) {
    if (!(op.window > 0) || !(op.T > 0)) throw std::invalid_argument("fast run: window and step must be positive");
    FastSimulationResult r;

    // The archive comes first, so that a file that cannot be created stops
    // the run before the plant has moved.
    std::unique_ptr<TxdWriter> writer;
    if (op.writeArchive) {
        try {
            writer = std::make_unique<TxdWriter>(op.folder, op.prefix, sim.mem, op.T, op.window);
        } catch (const TxdError& e) {
            r.archiveError = e;
            return r;
        }
    }

    const auto N = static_cast<long long>(Round(op.window / op.T));
    // Steps above 2 s would round to no sample at all; they sample every cycle.
    const auto perSecond = std::max(1LL, static_cast<long long>(Round(1 / op.T)));
    LoopCollector collector(sim, op.normalise, static_cast<std::size_t>(N / perSecond));
    Progress progress(obs);
    bool stepPending = op.signal != TestSignal::None;

    FastModeReset reset{sim.state};
    sim.RunWithoutDisplay(
        N, op.T,
        [&](long long h) {
            const int p = static_cast<int>(Round(100.0 * static_cast<double>(h) / static_cast<double>(N)));
            progress.Inform(p);
            if (stepPending && p > 10) {
                stepPending = false;
                ApplyStep(sim, op.signal, op.amplitude);
            }
            if (op.beforeControllers) op.beforeControllers(h);
        },
        [&](long long h) {
            if ((h + 1) % perSecond == 0) {
                if (writer) writer->Row(sim.mem);
                collector.Sample(sim.mem.data());
            }
            return true;
        });

    r.ran = true;
    r.cycles = N;
    r.line = collector.Finish();
    if (writer) {
        try {
            writer->Finish();
            r.file = writer->path();
        } catch (const TxdError& e) {
            r.archiveError = e;
        }
    }
    return r;
}

}  // namespace kivo
