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

#include "core/Ciclo.h"
#include "objects/Controller.h"
#include "objects/Process.h"

namespace kivo::teste {

struct Espiao : ObjetoCiclo {
    std::function<void()> passo;
    void CalculaCiclo() override { passo(); }
};

struct Planta {
    Simulacao sim;

    TControlador& Malha(int n, double sp) {
        auto p = std::make_unique<TProcesso>(sim, n);
        p->EntradaSelect = n - 1;
        p->LText = "5";
        p->ValidaParametros(false);
        sim.processos.Cria(n, std::move(p));

        auto c = std::make_unique<TControlador>(sim, n);
        c->VariavelSelect = 20 + n - 1;
        c->KpText = "0.5";
        c->KiText = "8";
        c->KdText = "0";
        c->ValidaParametros(false);
        c->estado.SP = sp;
        c->estado.MV = sp;
        c->estado.modoAuto = true;
        auto* ref = c.get();
        sim.controladores.Cria(n, std::move(c));
        return *ref;
    }
    TControlador& controlador(int n) { return *sim.controladores.como<TControlador>(n); }

    // A spy in block slot 24: after the processes, before the test step.
    // In controller slot 10 it runs after the controllers (it is not a
    // controller, so no loop is recorded for it).
    Espiao& EspiaoBloco(std::function<void()> f) { return Poe(sim.blocos, 24, std::move(f)); }
    Espiao& EspiaoAposControladores(std::function<void()> f) { return Poe(sim.controladores, 10, std::move(f)); }

private:
    template <int N>
    Espiao& Poe(Pool<N>& pool, int slot, std::function<void()> f) {
        auto e = std::make_unique<Espiao>();
        e->passo = std::move(f);
        auto* ref = e.get();
        pool.Cria(slot, std::move(e));
        return *ref;
    }
};

// While it lives, a file of this process cannot grow beyond `bytes`: writes
// past it fail (with the signal that would end the process ignored).
class LimiteTamanhoArquivo {
public:
    explicit LimiteTamanhoArquivo(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &antes_);
        sinal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = antes_;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimiteTamanhoArquivo() {
        setrlimit(RLIMIT_FSIZE, &antes_);
        std::signal(SIGXFSZ, sinal_);
    }
    LimiteTamanhoArquivo(const LimiteTamanhoArquivo&) = delete;
    LimiteTamanhoArquivo& operator=(const LimiteTamanhoArquivo&) = delete;

private:
    rlimit antes_{};
    void (*sinal_)(int) = nullptr;
};

inline std::string LeTudo(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void GravaTudo(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary);
    f << bytes;
}

}  // namespace kivo::teste
