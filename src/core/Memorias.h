#pragma once
// Variable memory M1..M124 and its table of units, ranges, limits and
// descriptions.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

inline constexpr int kNumVariaveis = 124;   // M1..M124
inline constexpr int kNumEngenharia = 99;   // M1..M99 carry unit, range and limits
inline constexpr std::size_t kMaxTexto = 255;

// Cuts a UTF-8 text to its first 255 characters (code points, not bytes).
std::string CortaTexto(std::string_view text, std::size_t maxChars = kMaxTexto);

struct EntradaTabela {
    std::string unidade;
    std::string ueMin;
    std::string ueMax;
    std::string lie;
    std::string lse;
    std::string descricao;
};

class Memorias {
public:
    Memorias() { InicializaPartida(); }

    // Plain indexed access, 1-based; index 0 exists but belongs to nobody.
    double& operator[](int k) { return valores_[static_cast<std::size_t>(k)]; }
    double operator[](int k) const { return valores_[static_cast<std::size_t>(k)]; }
    const double* dados() const { return valores_.data(); }

    // Texts of the table; setters cut to 255 characters. Engineering fields
    // exist for k = 1..99, descriptions for k = 1..124.
    const EntradaTabela& entrada(int k) const { return tabela_[static_cast<std::size_t>(k)]; }
    void setUnidade(int k, std::string_view t);
    void setUeMin(int k, std::string_view t);
    void setUeMax(int k, std::string_view t);
    void setLie(int k, std::string_view t);
    void setLse(int k, std::string_view t);
    void setDescricao(int k, std::string_view t);

    // Range of k as numbers; M100..M124 have no range and use 0..100.
    double UeMinNum(int k) const;
    double UeMaxNum(int k) const;
    double ParaEngenharia(int k, double x) const;
    double DeEngenharia(int k, double eu) const;

    // Program start: values zero, start-up texts.
    void InicializaPartida();
    // Memory part of the project reset.
    void LimpaProjeto();

    // Variable selectors: item i selects M(i+1).
    std::vector<std::string> ListaEntrada() const;   // 99 items "01 desc"
    std::vector<std::string> ListaExibicao() const;  // 124 items "01   desc"

private:
    void DescricoesFixas();
    std::array<double, kNumVariaveis + 1> valores_{};
    std::array<EntradaTabela, kNumVariaveis + 1> tabela_{};
};

// "M" and at least two digits, as written in captions and hints ("M01", "M124").
std::string NomeVariavel(int k);

}  // namespace kivo
