#pragma once
// Trend sampler of a controller: the last 450 samples of PV, SP, CO (limited
// to 0..100) and actuator position, and the four curves as drawn, one byte per
// point on 0..200. It runs at the end of every controller step, in fast runs
// too, so a sample only stores the four values: a point is worked out when
// it is read, from the sample and the range in force then, which is what
// storing it at the sample and redrawing the PV and SP curves at every change
// of range gives. Drawing and the data log belong to the faceplate, which
// hears about each sample through ObservadorTendencia.
//
// Fields: BaseTempoBox (time base index 0..2), EscalaAuto ("Auto"), pausado.
// State: amostras, posicao (1..450, 0 before the first sample), contador,
// grade (0..29), topo and base (trend range, % of the PV span).
#include <algorithm>
#include <array>
#include <cstdint>

namespace kivo {

class TendenciaControlador;

class ObservadorTendencia {
public:
    virtual ~ObservadorTendencia() = default;
    // After each sample: PV and SP (0..100) and MV limited to 0..100, as the
    // data log writes them.
    virtual void AoAmostrar(const TendenciaControlador& t, double pv, double sp, double mv) = 0;
};

class TendenciaControlador {
public:
    static constexpr int kAmostras = 450;
    enum Curva { CurvaPV, CurvaSP, CurvaCO, CurvaAtuador };

    // One call per controller step; inline, as it runs at every step.
    void Amostra(double pv, double sp, double mv, double posicaoAtuador) {
        if (pausado) {
            ++contador_;
            return;
        }
        // The usual time base samples at every step and needs no count.
        if (BaseTempoBox != 0) {
            const int contador = contador_ + 1;
            if (!(BaseTempoBox == 1 && contador > 2) && !(BaseTempoBox == 2 && contador > 19)) {
                contador_ = contador;
                return;
            }
        }
        contador_ = 0;

        const double mvLimitado = std::clamp(mv, 0.0, 100.0);
        if (posicao_ < kAmostras) {
            ++posicao_;
        } else {
            posicao_ = 1;
            cheio_ = true;
        }
        amostras_[static_cast<std::size_t>(posicao_ - 1)] = {pv, sp, mvLimitado, posicaoAtuador};
        if (observador) observador->AoAmostrar(*this, pv, sp, mvLimitado);
    }

    // The trend range at an apply (and on the faceplate's "Auto"): with
    // EscalaAuto from the PV history, otherwise the full PV span. PV and SP
    // curves follow the new range.
    void RecalculaEscala();
    // A range typed by the operator, in % of the PV span; taken only when
    // base < topo. Returns whether it was taken.
    bool DefineFaixa(double base, double topo);

    // Sample i counted from the oldest (0) to the newest (449), as drawn
    // from left to right.
    double HistoricoPV(int i) const { return amostras_[Indice(i)][CurvaPV]; }
    double HistoricoSP(int i) const { return amostras_[Indice(i)][CurvaSP]; }
    std::uint8_t Ponto(Curva c, int i) const;

    int posicao() const { return posicao_; }
    // How many of the 450 positions hold a sample (the rest still hold the
    // zeros of the start), so that a history can be read without them.
    int amostras() const { return cheio_ ? kAmostras : posicao_; }
    // The grid moves one step per sample and has 30 steps; 450 samples make
    // whole turns of it, so it follows from the position.
    int grade() const { return posicao_ % 30; }
    int contador() const { return contador_; }
    double topo() const { return topo_; }
    double base() const { return base_; }

    int BaseTempoBox = 0;  // 0 every cycle, 1 every third, 2 every twentieth
    bool EscalaAuto = false;
    bool pausado = false;
    ObservadorTendencia* observador = nullptr;

private:
    // Array index of the sample i counted from the oldest.
    std::size_t Indice(int i) const { return static_cast<std::size_t>((posicao_ + i) % kAmostras); }
    std::uint8_t PontoFaixa(double x) const;

    // Per sample, in the order of Curva.
    std::array<std::array<double, 4>, kAmostras> amostras_{};
    static_assert(kAmostras % 30 == 0);
    int posicao_ = 0;
    bool cheio_ = false;  // posicao_ has gone round once
    int contador_ = 0;
    double topo_ = 100;
    double base_ = 0;
};

}  // namespace kivo
