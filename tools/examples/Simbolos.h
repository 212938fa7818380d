#pragma once
// Process symbols of the example pictures, drawn in one style: equipment in
// light grey with a dark outline, process lines dark, signal lines dashed
// blue, instrument bubbles white with a blue ring.
#include <string>
#include <vector>

#include "Desenho.h"

namespace kivo::exemplos {

namespace paleta {
inline constexpr Cor kFundo{250, 251, 253};
inline constexpr Cor kLinha{44, 52, 64};        // process lines and outlines
inline constexpr Cor kEquipamento{224, 230, 238};
inline constexpr Cor kLiquido{168, 204, 236};
inline constexpr Cor kAgua{40, 110, 200};
inline constexpr Cor kVapor{196, 64, 56};
inline constexpr Cor kGas{150, 120, 30};
inline constexpr Cor kAr{90, 150, 90};
inline constexpr Cor kSinal{40, 96, 200};
inline constexpr Cor kBolha{255, 255, 255};
inline constexpr Cor kFogo{244, 134, 36};
inline constexpr Cor kFogoClaro{252, 206, 64};
inline constexpr Cor kTexto{44, 52, 64};
inline constexpr Cor kTextoSuave{120, 128, 140};
inline constexpr Cor kPainel{236, 240, 246};
}  // namespace paleta

inline constexpr double kEspTubo = 3;
inline constexpr double kEspContorno = 2;
inline constexpr double kEspSinal = 1.5;
inline constexpr double kRaioBolha = 20;

enum class Direcao { Horizontal, Vertical };

// A process line; the last segment ends in an arrow when seta is set.
void Tubo(Tela& t, const std::vector<Ponto>& p, Cor c = paleta::kLinha, bool seta = false);
// A dashed signal line between an instrument and what it acts on.
void Sinal(Tela& t, const std::vector<Ponto>& p);

// Control valve with a diaphragm actuator, centred on its pipe.
void ValvulaControle(Tela& t, Ponto c, Direcao d = Direcao::Horizontal);
// Hand valve (no actuator).
void ValvulaManual(Tela& t, Ponto c, Direcao d = Direcao::Horizontal);
// Centrifugal pump: suction on the left, discharge upwards on the right.
void Bomba(Tela& t, Ponto c, double r = 16);
// Fan or blower: suction on the left, discharge upwards.
void Soprador(Tela& t, Ponto c, double r = 16);
// Motor with a speed drive beside a pump or fan at c (the motor sits below).
void Motor(Tela& t, Ponto c, const std::string& texto = "M");

// Vertical vessel with rounded heads; nivel in 0..1 fills it (below 0: empty).
void VasoVertical(Tela& t, double x, double y, double w, double h, double nivel = -1);
// Open tank.
void TanqueAberto(Tela& t, double x, double y, double w, double h, double nivel);
// Horizontal drum.
void TamborHorizontal(Tela& t, double x, double y, double w, double h, double nivel = -1);
// Shell and tube exchanger: shell from x to x+w, tube coil inside.
void Trocador(Tela& t, double x, double y, double w, double h);
// Jacketed reactor with agitator; the jacket is `folga` wide.
void ReatorJaqueta(Tela& t, double x, double y, double w, double h, double nivel, double folga = 10);
// Fired heater: box with a stack, a coil and burners at the bottom.
void Forno(Tela& t, double x, double y, double w, double h);
// Column with trays.
void Coluna(Tela& t, double x, double y, double w, double h, int pratos);
// Air cooler: a tube bank with a fan below.
void Resfriador(Tela& t, double x, double y, double w, double h);
// A flame, base at c.
void Chama(Tela& t, Ponto c, double altura);

// Orifice plate across a pipe (the primary element of a flow meter).
void PlacaOrificio(Tela& t, Ponto c, Direcao d = Direcao::Horizontal);

// Instrument bubble: letters above the line, number below.
void Instrumento(Tela& t, Ponto c, const std::string& letras, const std::string& numero);
// Calculation function box with its symbol (for example "X", "<", ">", "+").
void Funcao(Tela& t, Ponto c, const std::string& simbolo, double lado = 26);

// Small label in the pixel font (upper case).
void Rotulo(Tela& t, double x, double y, const std::string& texto, Alinha al = Alinha::Esquerda,
            Cor c = paleta::kTexto, double escala = 1.4);

}  // namespace kivo::exemplos
