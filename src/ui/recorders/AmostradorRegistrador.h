#pragma once
// The running part of a trend recorder: the ring of the last 450 samples,
// the trend range, pause, cursor readout and the data log. The settings it
// samples by are the project's DadosRegistrador; the options that the
// project does not keep (scale, "Auto", thick line, log options) live here,
// beside the samples, so that closing the window loses nothing. Plain C++,
// so that the sampling and the log can be checked without a window.
#include <array>
#include <cstdint>
#include <fstream>
#include <string>

namespace kivo {
class DadosRegistrador;
class Memorias;
}  // namespace kivo

namespace kivo::ui {

class AmostradorRegistrador {
public:
    static constexpr int kAmostras = 450;
    static constexpr int kNenhum = 124;  // the last entry of the lists of variables 2 and 3
    enum Curva { Curva1, Curva2, Curva3 };

    AmostradorRegistrador(const Memorias& mem, DadosRegistrador& dados);

    DadosRegistrador& dados() const { return dados_; }

    // One call per simulation cycle; returns whether a sample was taken
    // (and the chart wants a redraw).
    bool CalculaCiclo();

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

    // The data log. Inicia picks tag + "_" + k + ".txt" in pasta for the
    // smallest free k, creates it and writes the header; returns false (and
    // logs nothing) when the file cannot be created.
    bool IniciaLog(const std::string& pasta);
    // Closes the file; returns its bare name.
    std::string EncerraLog();
    bool registrando() const { return log_.is_open(); }
    const std::string& nomeLog() const { return nomeLog_; }
    double tempoLog() const { return tempoLog_; }

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
    // The three legends (empty while a curve has no variable).
    const std::string& legenda(int curva) const { return legendas_[curva]; }

    // Options the project does not keep.
    bool EscalaAuto = false;
    bool LinhaGrossa = false;  // CheckBox2
    bool UsarVirgula = false;
    bool UsarUE = false;
    bool pausado = false;

private:
    std::size_t Indice(int i) const { return static_cast<std::size_t>((posicao_ + i) % kAmostras); }
    double ParaPercentual(double eu) const;
    std::uint8_t PontoFaixa(double valor, double topo, double base) const;
    void RecalculaCurvas12(double topo, double base);
    void GravaLinha(double r1, double r2, double r3, double e1, double e2);

    const Memorias& mem_;
    DadosRegistrador& dados_;

    std::array<std::array<double, kAmostras>, 2> historico_{};
    std::array<std::array<std::uint8_t, kAmostras>, 3> curvas_{};
    int posicao_ = 0;  // 1..450 after the first sample
    int contador_ = 0;
    int grade_ = 0;
    int cursor_ = 1;

    double ueMin_ = 0;  // variable 1's engineering range
    double ueMax_ = 100;
    std::string unidade_;
    double topo_ = 100;
    double base_ = 0;
    double topoEU_ = 100;
    double baseEU_ = 0;
    std::array<std::string, 9> rotulos_{};
    std::array<std::string, 3> legendas_{};

    std::ofstream log_;
    std::string nomeLog_;
    double tempoLog_ = 0;
    double passoLog_ = 0.1;
};

// A tag made fit for a file name: path separators and the characters a
// file name cannot hold become "_".
std::string NomeArquivoSeguro(const std::string& tag);

}  // namespace kivo::ui
