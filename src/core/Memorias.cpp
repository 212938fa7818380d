#include "core/Memorias.h"

#include "core/NumberText.h"

namespace kivo {

std::string CortaTexto(std::string_view text, std::size_t maxChars) {
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (chars == maxChars) return std::string(text.substr(0, i));
        // Skip the continuation bytes of one UTF-8 character.
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        ++chars;
    }
    return std::string(text);
}

void Memorias::setUnidade(int k, std::string_view t) { tabela_[k].unidade = CortaTexto(t); }
void Memorias::setUeMin(int k, std::string_view t) { tabela_[k].ueMin = CortaTexto(t); }
void Memorias::setUeMax(int k, std::string_view t) { tabela_[k].ueMax = CortaTexto(t); }
void Memorias::setLie(int k, std::string_view t) { tabela_[k].lie = CortaTexto(t); }
void Memorias::setLse(int k, std::string_view t) { tabela_[k].lse = CortaTexto(t); }
void Memorias::setDescricao(int k, std::string_view t) { tabela_[k].descricao = CortaTexto(t); }

double Memorias::UeMinNum(int k) const {
    return (k >= 1 && k <= kNumEngenharia) ? ConverteReal(tabela_[k].ueMin) : 0.0;
}

double Memorias::UeMaxNum(int k) const {
    return (k >= 1 && k <= kNumEngenharia) ? ConverteReal(tabela_[k].ueMax) : 100.0;
}

double Memorias::ParaEngenharia(int k, double x) const {
    const double lo = UeMinNum(k);
    return lo + (UeMaxNum(k) - lo) * x / 100.0;
}

double Memorias::DeEngenharia(int k, double eu) const {
    const double lo = UeMinNum(k);
    return (eu - lo) * 100.0 / (UeMaxNum(k) - lo);
}

void Memorias::DescricoesFixas() {
    tabela_[11].descricao = "Chave_1";
    tabela_[12].descricao = "Chave_2";
    tabela_[13].descricao = "Saída Linearizador";
    tabela_[14].descricao = "Reservado";
    for (int t = 1; t <= 6; ++t) tabela_[14 + t].descricao = "Track " + std::to_string(t);
}

void Memorias::InicializaPartida() {
    valores_.fill(0.0);
    for (auto& e : tabela_) e = EntradaTabela{};
    for (int k = 1; k <= kNumEngenharia; ++k) {
        tabela_[k] = EntradaTabela{"%", "0.0", "100.00", "0.00", "100.00", ""};
    }
    DescricoesFixas();
    for (int n = 1; n <= 24; ++n) tabela_[100 + n].descricao = "Posição Atuador " + std::to_string(n);
}

void Memorias::LimpaProjeto() {
    for (int k = 1; k <= kNumEngenharia; ++k) {
        valores_[k] = 0.0;
        tabela_[k] = EntradaTabela{"%", "0.00", "100.00", "0.00", "100.00", ""};
    }
    DescricoesFixas();
}

static std::string DoisDigitos(int k) {
    return k < 10 ? "0" + std::to_string(k) : std::to_string(k);
}

std::vector<std::string> Memorias::ListaEntrada() const {
    std::vector<std::string> items;
    items.reserve(kNumEngenharia);
    for (int k = 1; k <= kNumEngenharia; ++k) items.push_back(DoisDigitos(k) + " " + tabela_[k].descricao);
    return items;
}

std::vector<std::string> Memorias::ListaExibicao() const {
    std::vector<std::string> items;
    items.reserve(kNumVariaveis);
    for (int k = 1; k <= kNumVariaveis; ++k) items.push_back(DoisDigitos(k) + "   " + tabela_[k].descricao);
    return items;
}

std::string NomeVariavel(int k) { return "M" + DoisDigitos(k); }

}  // namespace kivo
