// The fast simulation of the largest example plant (most processes, blocks
// and controllers) for 4 h at 100 ms with the archive written: 144 000 cycles
// and 14 400 archive lines per iteration.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "../tests/support/AllocationCounter.h"
#include "fastsim/FastSimulation.h"
#include "project/ProjectFile.h"

namespace {

using namespace kivo;
namespace fs = std::filesystem;

int Objects(const Project& p) {
    int n = 0;
    for (int i = 1; i <= 10; ++i) n += p.sim.controllers.active(i);
    for (int i = 1; i <= 24; ++i) n += p.sim.processes.active(i) + p.sim.blocks.active(i);
    return n;
}

// The example with the most objects; ties go to the first by path.
fs::path LargestExample() {
    fs::path largest;
    int objects = -1;
    for (const auto& e : fs::recursive_directory_iterator(KIVO_EXAMPLES_DIR)) {
        if (e.path().extension() != ".smp") continue;
        Project p;
        if (!ReadProject(p, e.path(), LoadOptions{true, nullptr}).ok) continue;
        const int n = Objects(p);
        if (n > objects || (n == objects && e.path() < largest)) {
            objects = n;
            largest = e.path();
        }
    }
    return largest;
}

void BM_FastSimLargestExample4h(benchmark::State& state) {
    static const fs::path example = LargestExample();
    if (example.empty()) {
        state.SkipWithError("no example plant found");
        return;
    }
    const fs::path folder = fs::temp_directory_path() / ("kivo-fastsim-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    FastSimulationOptions op;
    op.window = 14400;
    op.T = 0.1;
    op.signal = TestSignal::SetpointStep;
    op.writeArchive = true;
    op.prefix = "bench";
    op.folder = folder;

    std::uint64_t allocations = 0;
    int objects = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<Project>();
        ReadProject(*p, example, LoadOptions{true, nullptr});
        objects = Objects(*p);
        const std::uint64_t before = kivo::testing::Allocations();
        state.ResumeTiming();

        const FastSimulationResult r = RunFastSimulation(p->sim, op);

        state.PauseTiming();
        allocations += kivo::testing::Allocations() - before;
        if (!r.ran || r.archiveError || r.cycles != 144000) state.SkipWithError("the run failed");
        fs::remove(r.file);
        state.ResumeTiming();
    }
    fs::remove_all(folder);
    state.SetLabel(example.filename().string());
    state.counters["objects"] = objects;
    state.counters["allocs_per_run"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FastSimLargestExample4h)->Unit(benchmark::kMillisecond);

}  // namespace
