#pragma once
// Authoring of an example plant: its picture and its project are built side
// by side, so that every marker lands on the spot of the picture it belongs
// to. The project is brought to steady state by running it, and written with
// the project writer, both comment blocks filled.
#include <filesystem>
#include <string>
#include <vector>

#include "Desenho.h"
#include "Simbolos.h"
#include "project/Projeto.h"

namespace kivo::exemplos {

inline constexpr int kLarguraImagem = 800;
inline constexpr int kAlturaImagem = 600;
inline constexpr int kLarguraMiniatura = 160;
inline constexpr int kAlturaMiniatura = 120;
// Size of an object marker on the diagram.
inline constexpr double kLarguraMarcador = 79;
inline constexpr double kAlturaMarcador = 22;

// Output addresses.
constexpr int Mp(int processo) { return EnderecoProcesso(processo); }
constexpr int Mb(int bloco) { return EnderecoBloco(bloco); }
// "M" and two digits, as formulas write a variable.
std::string Ref(int endereco);

class Autor;

struct Planta {
    std::string pasta;      // folder under examples/
    std::string arquivo;    // project file name
    std::string titulo;     // "Portuguese|English"
    void (*constroi)(Autor&);
};

class Autor {
public:
    explicit Autor(const Planta& planta);

    Projeto p;
    Tela tela;

    // ---- Variable table -------------------------------------------------
    // Unit and range of M(k); the operating limits default to the range.
    void Variavel(int k, const std::string& unidade, double min, double max);
    void Limites(int k, double lie, double lse);

    // ---- Objects; marker places are the top-left corner ----------------
    TControlador& Controlador(int n, const std::string& tag, const std::string& desc, int pv, Ponto marcador);
    TProcesso& Processo(int n, const std::string& tag, const std::string& desc, int entrada, Ponto marcador);
    TBloco& Bloco(int n, const std::string& tag, const std::string& desc, const std::string& funcao,
                  Ponto marcador);
    // Animated text of type 0 showing M(k) in its engineering units; pos is
    // the top-left of the value label (the description sits 13 px above).
    DadosTexto& Texto(int n, const std::string& desc, int k, int casas, Ponto pos);
    // Animated text of type 1: texto0/texto1 for M(k) = 0 / other.
    DadosTexto& TextoBinario(int n, const std::string& desc, int k, const std::string& textos, Ponto pos);
    // Trend recorder of M(v1), M(v2), M(v3) (0: none for curves 2 and 3);
    // nomes holds the three curve names separated by ";"; base is the time
    // base item (0: 3 s, 1: 9 s, 2: 1 min per division).
    DadosRegistrador& Registrador(int n, const std::string& tag, const std::string& desc, int v1, int v2, int v3,
                                  const std::string& nomes, Ponto marcador, int base = 1);

    // ---- Generators and widgets ----------------------------------------
    // Generator row g (81..96) of kind `tipo`; desc is the row's description,
    // or the kind's parameter (time constant, period) where the kind keeps
    // it in that field.
    LinhaGerador& Gerador(int g, int tipo, const std::string& desc, const std::string& min, const std::string& max,
                          const std::string& valor);
    // Track n writing M(14+n); valor in engineering units.
    Track& Entrada(int n, const std::string& rotulo, const std::string& unidade, double min, double max, double valor,
                   Ponto pos);
    // Switch n writing M(10+n), valor 0 or 1.
    kivo::Chave& Comutador(int n, int orientacao, double valor, Ponto pos);
    // Command button b writing M(96+b); the panel is placed at `painel`.
    kivo::Botao& BotaoComando(int b, const std::string& desc, const std::string& texto0, const std::string& texto1,
                              Ponto painel);

    void Comentarios(const std::vector<std::string>& pt, const std::vector<std::string>& en);

    // ---- Finishing ------------------------------------------------------
    // Applies every object and returns the validation messages.
    std::vector<std::string> Aplica();
    // Runs the plant for the given simulated time at the real-time step, and
    // on until every loop's PV is at its mean of the last minute.
    void Executa(double segundos);

    const std::vector<std::string>& comentariosIngles() const { return en_; }

private:
    std::vector<std::string> en_;
};

// Writes the project, its picture and its thumbnail into dir/pasta; checks
// that the file loads back without a message in both languages. Returns a
// description of what went wrong, empty on success.
std::string Grava(Autor& a, const Planta& planta, const std::filesystem::path& dir);

// A copy of the picture with the places of the markers, animated texts and
// widgets outlined, for checking a layout by eye.
void GravaPrevia(const Autor& a, const std::filesystem::path& arquivo);

// The 22 plants, in the order of the example chooser.
const std::vector<Planta>& Plantas();

// Plant builders, one per example.
void VazaoBasica(Autor& a);
void GrossoFino(Autor& a);
void PressaoHeader(Autor& a);
void ProcessosNaoLineares(Autor& a);
void NivelRegulatorio(Autor& a);
void TanquePulmao(Autor& a);
void TrocadorCalor(Autor& a);
void FaixaDividida(Autor& a);
void FornoTubular(Autor& a);
void FornoCascata(Autor& a);
void Reator(Autor& a);
void PlantaResfriamento(Autor& a);
void TorreDeetanizadora(Autor& a);
void Caldeira(Autor& a);
void RazaoBasica(Autor& a);
void LimitesCruzados(Autor& a);
void DuplosLimitesCruzados(Autor& a);
void DoisCombustiveis(Autor& a);
void CondutividadeLinearizada(Autor& a);
void PreditorSmith(Autor& a);
void QuatroProcessos(Autor& a);
void RespostaFrequencia(Autor& a);

}  // namespace kivo::exemplos
