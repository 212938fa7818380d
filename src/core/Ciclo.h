#pragma once
// The simulation cycle: object pools with their active flags and slot
// numbers, the tick in its fixed order, pause, the fast-mode flag and the run
// without display. The clock lives outside: the caller passes the time of day.
#include <array>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

#include "core/Memorias.h"

namespace kivo {

// Pseudo-random integers shared by every generator row:
// seed := seed * 134775813 + 1 (mod 2^32), value := (seed * N) div 2^32.
class GeradorAleatorio {
public:
    void Semeia(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t Semente() const { return seed_; }
    // Uniform integer in 0..n-1.
    std::uint32_t Proximo(std::uint32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed_) * n) >> 32);
    }

private:
    std::uint32_t seed_ = 0;
};

class Simulacao;

// What the pass calls on every pooled object.
class ObjetoCiclo {
public:
    virtual ~ObjetoCiclo() = default;
    virtual void CalculaCiclo() = 0;
    // Steps objetos[0..n) in order. The pools pass runs of objects of this
    // object's own dynamic type, so that a kind a plant holds many of can
    // step them all with direct calls instead of one dispatch and one call
    // per object.
    virtual void CalculaCiclos(ObjetoCiclo* const* objetos, int n) {
        for (int i = 0; i < n; ++i) objetos[i]->CalculaCiclo();
    }
};

// Hooks for the display work the GUI attaches to the tick.
class ObservadorCiclo {
public:
    virtual ~ObservadorCiclo() = default;
    // Called at the display refresh (every sixth tick) after the animated
    // texts have recomputed: shapes and command-button labels refresh here.
    virtual void AoAtualizarDisplay() {}
    // Called at every tick with the measured cycle time in ms.
    virtual void AoMedirCiclo(double /*ms*/) {}
};

template <int N>
class Pool {
public:
    static constexpr int kTamanho = N;
    // Slot n counts from 1.
    bool ativo(int n) const { return ativo_[n - 1]; }
    ObjetoCiclo* objeto(int n) const { return objetos_[n - 1].get(); }
    template <class T>
    T* como(int n) const { return dynamic_cast<T*>(objeto(n)); }

    // Fills slot n and sets its active flag.
    void Cria(int n, std::unique_ptr<ObjetoCiclo> obj) {
        objetos_[n - 1] = std::move(obj);
        ativo_[n - 1] = true;
        ListaAtivos();
    }
    // Empties slot n; the object is released.
    void Apaga(int n) {
        ativo_[n - 1] = false;
        objetos_[n - 1].reset();
        ListaAtivos();
    }
    void ApagaTodos() {
        for (int n = 1; n <= N; ++n) Apaga(n);
    }
    void PassoAtivos() const {
        for (int g = 0; g < numGrupos_; ++g) {
            const Grupo& grupo = grupos_[static_cast<std::size_t>(g)];
            ObjetoCiclo* const* inicio = ativos_.data() + grupo.inicio;
            (*inicio)->CalculaCiclos(inicio, grupo.n);
        }
    }

private:
    // A run of consecutive active objects of one dynamic type.
    struct Grupo {
        int inicio = 0;
        int n = 0;
    };

    // The active objects in slot order, so that the step of every cycle
    // does not walk the empty slots, cut into runs of one type each.
    void ListaAtivos() {
        int numAtivos = 0;
        numGrupos_ = 0;
        for (int i = 0; i < N; ++i) {
            ObjetoCiclo* o = objetos_[i].get();
            if (!ativo_[i] || !o) continue;
            if (numGrupos_ == 0 || typeid(*o) != typeid(*ativos_[static_cast<std::size_t>(numAtivos - 1)]))
                grupos_[static_cast<std::size_t>(numGrupos_++)] = {numAtivos, 0};
            ++grupos_[static_cast<std::size_t>(numGrupos_ - 1)].n;
            ativos_[static_cast<std::size_t>(numAtivos++)] = o;
        }
    }

    std::array<std::unique_ptr<ObjetoCiclo>, N> objetos_{};
    std::array<bool, N> ativo_{};
    std::array<ObjetoCiclo*, N> ativos_{};
    std::array<Grupo, N> grupos_{};
    int numGrupos_ = 0;
};

// Output address of process slot n (1..24) and calculation block slot n.
constexpr int EnderecoProcesso(int n) { return n <= 20 ? 20 + n : 50 + n; }
constexpr int EnderecoBloco(int n) { return n <= 20 ? 40 + n : 54 + n; }
// Number given at creation to a recorder and an animated text.
constexpr int NumeroRegistrador(int n) { return 200 + n; }
constexpr int NumeroTexto(int n) { return 100 + n; }

struct EstadoCiclo {
    int periodoTimer = 100;         // ms
    double T = 0.1;                 // s, set at every tick
    long double tickAnterior = 0;   // ms of the day
    long double cicloMedido = 0;    // ms between the last two ticks
    int divisorDisplay = 0;
    bool modoRapido = false;
    bool pausado = false;
};

class Simulacao {
public:
    Simulacao();

    Memorias mem;
    EstadoCiclo estado;
    GeradorAleatorio aleatorio;
    // Actuator position of every process, indexed by its output address.
    std::array<double, kNumVariaveis + 1> posicaoAtuador{};

    Pool<10> controladores;
    Pool<24> processos;
    Pool<24> blocos;
    Pool<10> registradores;
    Pool<20> textos;

    // Always present once the plant is set up; the owner keeps them alive.
    ObjetoCiclo* geradores = nullptr;
    ObjetoCiclo* linearizador = nullptr;
    bool linearizadorAtivo = false;  // Lin1Ativar

    void AdicionaObservador(ObservadorCiclo* o);
    void RemoveObservador(ObservadorCiclo* o);

    // One real-time tick; nowMs is the time of day in milliseconds.
    void Tick(long double nowMs);
    // Toggles the pause state; returns the new state (true = paused).
    bool Pausa();

    // One pass of the models without display: generator bank, processes,
    // blocks, controllers, linearizer. The hook runs just before the
    // controllers (the fast simulation applies its test step there).
    template <class AntesControladores>
    void PassoModelos(AntesControladores&& antes) {
        if (geradores) geradores->CalculaCiclo();
        processos.PassoAtivos();
        blocos.PassoAtivos();
        antes();
        controladores.PassoAtivos();
        if (linearizadorAtivo && linearizador) linearizador->CalculaCiclo();
    }
    void PassoModelos() {
        PassoModelos([] {});
    }

    // Run without display: sets the fast-mode flag and T, performs n passes
    // calling antes(i) before the controllers and depois(i) after each pass
    // (i counts from 0), and clears the flag. depois may return false to stop.
    template <class Antes, class Depois>
    void ExecutaSemDisplay(long long n, double T, Antes&& antes, Depois&& depois) {
        estado.modoRapido = true;
        estado.T = T;
        for (long long i = 0; i < n; ++i) {
            PassoModelos([&] { antes(i); });
            if (!depois(i)) break;
        }
        estado.modoRapido = false;
    }

private:
    std::vector<ObservadorCiclo*> observadores_;
};

}  // namespace kivo
