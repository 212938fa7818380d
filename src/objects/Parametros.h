#pragma once
// Signal generator bank: 16 rows g = 81..96, row g writing M(g). Rows 81..90
// offer constants, fast, medium and slow random noise, a sine and a random
// walk, rows 81..85 also equations, LN() and Exp(); rows 91..96 constants.
//
// Fields per row (LinhaGerador, as typed; the record stores them): Tipo (kind
// index 0..9), Desc, Min, Max, Valor (texts), ValorDig (0/1 selector),
// UpDown (spin position 0..100). Parameters set by the apply (rows 81..90):
// min, max, P3, W. State: alvo and y (medium random), t (sine time), the
// stored equation (rows 81..85). A record's medium-random value goes to y.
#include <array>
#include <string>

#include "core/Ciclo.h"
#include "objects/ExpressaoViva.h"

namespace kivo {

class EscritorLinhas;
class LeitorLinhas;

struct LinhaGerador {
    enum Tipo {
        Constante = 0,
        Constante01 = 1,
        AleatorioRapido = 2,
        AleatorioMedio = 3,
        AleatorioLento = 4,
        Senoidal = 5,
        RandomWalk = 6,
        Equacao = 7,
        Logaritmo = 8,
        Exponencial = 9,
    };

    int Tipo = Constante;
    std::string Desc = "Descrição";
    std::string Min = "Min.";
    std::string Max = "Máx.";
    std::string Valor = "Valor";
    int ValorDig = 0;
    int UpDown = 0;

    double min = 0;
    double max = 0;
    double P3 = 0;  // tau, band half-width or period, by kind
    double W = 0;   // random walk

    double alvo = 0;  // medium random target
    double y = 0;     // medium random filter output
    double t = 0;     // sine time, s
    ExpressaoViva equacao;  // stored at apply (kinds 7..9)
    ExpressaoViva periodo;  // the Desc text of a sine, read every tick
};

class TParmForm : public ObjetoCiclo {
public:
    static constexpr int kPrimeira = 81;
    static constexpr int kUltima = 96;
    static constexpr int kUltimaDinamica = 90;   // rows with a step
    static constexpr int kUltimaEquacao = 85;    // rows offering kinds 7..9

    explicit TParmForm(Simulacao& sim);

    LinhaGerador& linha(int g) { return linhas_[static_cast<std::size_t>(g - kPrimeira)]; }
    const LinhaGerador& linha(int g) const { return linhas_[static_cast<std::size_t>(g - kPrimeira)]; }

    void CalculaCiclo() override;
    // Reads every row into the bank's parameters and the variable memory.
    void AplicaParametros();
    // After a change of row g's kind: placeholder texts (not while loading a
    // project), the description of M(g), and rows 81..90 lose their
    // parameters until the next apply.
    void LayoutLinha(int g, bool carregando);
    // The project reset recreates the bank, except the sine times and the
    // medium-random targets, which live as long as the program: the reset
    // applies the bank (as closing it does) and then calls this instead of
    // destroying the object.
    void Reinicia();

    void SalvaParametros(EscritorLinhas& w) const;
    void LeParametros(LeitorLinhas& r);

private:
    // Writes a value the step computed, and shows it in the row's Valor
    // field; a value that is not a finite number is not written.
    void Escreve(LinhaGerador& l, int g, double v);
    // The step of row g of a kind that changes its output.
    void PassoLinha(int g);

    Simulacao& sim_;
    std::array<LinhaGerador, kUltima - kPrimeira + 1> linhas_;
};

// Seeds the shared random generator from the clock, once at program start.
void SemeiaPeloRelogio(GeradorAleatorio& aleatorio);

}  // namespace kivo
