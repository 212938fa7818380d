#pragma once
// Helpers of the fast-simulation tests. Small plants built in code: loop n is
// process slot n (input M(n), output M(20 + n), a first-order lag) under
// controller n (PV M(20 + n), PI, automatic); a spy object in a free slot
// sees the plant in the middle of the pass. A file-size limit that makes
// writes fail. Whole files read and written.
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "core/Cycle.h"
#include "objects/Controller.h"
#include "objects/Process.h"

namespace kivo::test {

struct Spy : CycleObject {
    std::function<void()> oneStep;
    void ComputeCycle() override { oneStep(); }
};

struct Plant {
    Simulation sim;

    Controller& Loop(int n, double sp) {
        auto p = std::make_unique<Process>(sim, n);
        p->InputSelect = n - 1;
        p->LText = "5";
        p->ValidateParameters(false);
        sim.processes.Create(n, std::move(p));

        auto c = std::make_unique<Controller>(sim, n);
        c->VariableSelect = 20 + n - 1;
        c->KpText = "0.5";
        c->KiText = "8";
        c->KdText = "0";
        c->ValidateParameters(false);
        c->state.SP = sp;
        c->state.MV = sp;
        c->state.autoMode = true;
        auto* ref = c.get();
        sim.controllers.Create(n, std::move(c));
        return *ref;
    }
    Controller& controller(int n) { return *sim.controllers.as<Controller>(n); }

    // A spy in block slot 24: after the processes, before the test step.
    // In controller slot 10 it runs after the controllers (it is not a
    // controller, so no loop is recorded for it).
    Spy& BlockSpy(std::function<void()> f) { return Place(sim.blocks, 24, std::move(f)); }
    Spy& SpyAfterControllers(std::function<void()> f) { return Place(sim.controllers, 10, std::move(f)); }

private:
    template <int N>
    Spy& Place(Pool<N>& pool, int slot, std::function<void()> f) {
        auto e = std::make_unique<Spy>();
        e->oneStep = std::move(f);
        auto* ref = e.get();
        pool.Create(slot, std::move(e));
        return *ref;
    }
};

// While it lives, a file of this process cannot grow beyond `bytes`: writes
// past it fail (with the signal that would end the process ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        testSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = before_;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, testSignal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before_{};
    void (*testSignal_)(int) = nullptr;
};

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void WriteAll(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary);
    f << bytes;
}

}  // namespace kivo::test
