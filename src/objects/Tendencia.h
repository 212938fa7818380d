#pragma once
// Trend sampler of a controller: the last 450 samples of PV and SP (raw, for
// rescaling) and the four curves as drawn (PV, SP, CO, actuator position),
// one byte per point on 0..200. It runs at the end of every controller step,
// in fast runs too; drawing and the data log belong to the faceplate, which
// hears about each sample through ObservadorTendencia.
//
// Fields: BaseTempoBox (time base index 0..2), EscalaAuto ("Auto"), pausado.
// State: historico, curvas, posicao (1..450, 0 before the first sample),
// contador, grade (0..29), topo and base (trend range, % of the PV span).
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

    // One call per controller step.
    void Amostra(double pv, double sp, double mv, double posicaoAtuador);

    // The trend range at an apply (and on the faceplate's "Auto"): with
    // EscalaAuto from the PV history, otherwise the full PV span. PV and SP
    // curves are recomputed from the history.
    void RecalculaEscala();
    // A range typed by the operator, in % of the PV span; taken only when
    // base < topo. Returns whether it was taken.
    bool DefineFaixa(double base, double topo);

    // Sample i counted from the oldest (0) to the newest (449), as drawn
    // from left to right.
    double HistoricoPV(int i) const { return historico_[0][Indice(i)]; }
    double HistoricoSP(int i) const { return historico_[1][Indice(i)]; }
    std::uint8_t Ponto(Curva c, int i) const { return curvas_[c][Indice(i)]; }

    int posicao() const { return posicao_; }
    // How many of the 450 positions hold a sample (the rest still hold the
    // zeros of the start), so that a history can be read without them.
    int amostras() const { return amostras_; }
    int grade() const { return grade_; }
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
    void RecalculaCurvasPVSP();

    std::array<std::array<double, kAmostras>, 2> historico_{};
    std::array<std::array<std::uint8_t, kAmostras>, 4> curvas_{};
    int posicao_ = 0;
    int amostras_ = 0;
    int contador_ = 0;
    int grade_ = 0;
    double topo_ = 100;
    double base_ = 0;
};

}  // namespace kivo
