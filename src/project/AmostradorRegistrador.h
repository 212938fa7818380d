#pragma once
// The running part of a trend recorder: the ring of the last 450 samples,
// the trend range, pause, cursor readout and the data log. It belongs to the
// recorder (DadosRegistrador), whose settings it samples by, and is stepped
// by the cycle with it, so a recorder samples whether or not its window was
// ever built. The options that the project does not keep (scale, "Auto",
// thick line, log options) live here too, beside the samples, so that a
// window holds no setting of its own.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "project/LogTendencia.h"

namespace kivo {

class DadosRegistrador;
class Memorias;

class ObservadorRegistrador {
public:
    virtual ~ObservadorRegistrador() = default;
    // After each sample: what the window redraws. A log whose line the
    // system refused is closed by then (registrando() is false).
    virtual void AoAmostrar() = 0;
};

class AmostradorRegistrador {
public:
    static constexpr int kAmostras = 450;
    static constexpr int kNenhum = 124;  // the last entry of the lists of variables 2 and 3
    enum Curva { Curva1, Curva2, Curva3 };

    AmostradorRegistrador(const Memorias& mem, const DadosRegistrador& dados) : mem_(mem), dados_(dados) {}
    AmostradorRegistrador(const AmostradorRegistrador&) = delete;
    AmostradorRegistrador& operator=(const AmostradorRegistrador&) = delete;

    // One sampling step, at the end of every real-time cycle.
    void CalculaCiclo();

    // Applies the settings and rescales: variable 1's range and unit, the
    // trend range from "Auto" or the full span, curves 1 and 2 recomputed.
    void AtualizaRegistrador();
    // Takes top and bottom in engineering units; fills the nine scale
    // labels and sets the trend range in % of variable 1's span.
    void AtualizaEscala(double topoEU, double baseEU);
    // Enter in a scale field: "Auto" goes off; the range is taken only when
    // both texts are numbers and bottom < top. Returns whether it was.
    bool EscalaManual(const std::string& sup, const std::string& inf);

    // The readout of a press at (x, y) on the 450 x 200 chart while paused:
    // sup and inf are the scale fields' texts.
    std::string Coordenada(int x, int y, const std::string& sup, const std::string& inf) const;
    // The cursor label to write next (1..6); advances 1..6, 1.
    int ProximoCursor();

    // Address of each curve's variable (0 for none).
    int Endereco(int curva) const;

    // The data log: tag + "_" + k + ".txt" in pasta for the smallest free k.
    // Returns false (and logs nothing) when the file cannot be created;
    // log().Erro says why.
    bool IniciaLog(const std::filesystem::path& pasta);
    // Closes the file; returns its bare name.
    std::string EncerraLog();
    bool registrando() const { return log_.aberto(); }
    const LogTendencia& log() const { return log_; }

    // Sample i counted from the oldest (0) to the newest (449).
    std::uint8_t Ponto(int curva, int i) const { return curvas_[curva][Indice(i)]; }
    double Historico1(int i) const { return historico_[0][Indice(i)]; }
    int grade() const { return grade_; }
    int posicao() const { return posicao_; }

    // Trend range in % of variable 1's span, and the scale as shown.
    double topo() const { return topo_; }
    double base() const { return base_; }
    double topoEU() const { return topoEU_; }
    double baseEU() const { return baseEU_; }
    // Label2..Label10 (j = 9 down to 1) and Label1.
    const std::array<std::string, 9>& rotulosEscala() const { return rotulos_; }
    const std::string& unidade() const { return unidade_; }
    // The legend of a curve at the last sample (empty while the curve has no
    // variable).
    std::string legenda(int curva) const;
    bool comLegenda(int curva) const { return comVariavel_[static_cast<std::size_t>(curva)]; }

    // Options the project does not keep.
    bool EscalaAuto = false;
    bool LinhaGrossa = false;  // CheckBox2
    bool UsarVirgula = false;
    bool UsarUE = false;
    bool pausado = false;

    ObservadorRegistrador* observador = nullptr;

private:
    std::size_t Indice(int i) const { return static_cast<std::size_t>((posicao_ + i) % kAmostras); }
    double ParaPercentual(double eu) const;
    double ParaEngenharia(double r) const { return ueMin_ + (ueMax_ - ueMin_) * r / 100; }
    std::uint8_t PontoFaixa(double valor, double topo, double base) const;
    void RecalculaCurvas12(double topo, double base);

    const Memorias& mem_;
    const DadosRegistrador& dados_;

    std::array<std::array<double, kAmostras>, 2> historico_{};
    std::array<std::array<std::uint8_t, kAmostras>, 3> curvas_{};
    int posicao_ = 0;  // 1..450 after the first sample
    int contador_ = 0;
    int grade_ = 0;
    int cursor_ = 1;
    // The three values of the last sample, and which curves had a variable.
    std::array<double, 3> ultimos_{};
    std::array<bool, 3> comVariavel_{};

    double ueMin_ = 0;  // variable 1's engineering range
    double ueMax_ = 100;
    std::string unidade_;
    double topo_ = 100;
    double base_ = 0;
    double topoEU_ = 100;
    double baseEU_ = 0;
    std::array<std::string, 9> rotulos_{};

    LogTendencia log_;
};

}  // namespace kivo
