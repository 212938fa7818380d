#include "ui/recorders/AmostradorRegistrador.h"

#include <algorithm>
#include <filesystem>

#include "core/Memorias.h"
#include "core/NumberText.h"
#include "core/Cp1252.h"
#include "project/DadosRegistrador.h"

namespace kivo::ui {

namespace {

std::filesystem::path CaminhoUtf8(const std::string& texto) {
    return std::filesystem::path(std::u8string(texto.begin(), texto.end()));
}

// The log's decimal comma replaces the first "." of a field.
std::string ComVirgula(std::string campo) {
    if (const auto p = campo.find('.'); p != std::string::npos) campo[p] = ',';
    return campo;
}

// Whole text as a number; the scale fields take nothing less.
bool LeNumero(const std::string& texto, double& valor) {
    const auto ini = texto.find_first_not_of(' ');
    if (ini == std::string::npos) return false;
    const auto fim = texto.find_last_not_of(' ');
    const std::string t = texto.substr(ini, fim - ini + 1);
    std::size_t usados = 0;
    try {
        valor = std::stod(t, &usados);
    } catch (...) {
        return false;
    }
    return usados == t.size() && t.find_first_of("xXpPnN") == std::string::npos;
}

}  // namespace

std::string NomeArquivoSeguro(const std::string& tag) {
    std::string nome = tag;
    for (char& c : nome)
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos || (c >= 0 && c < 32)) c = '_';
    return nome;
}

AmostradorRegistrador::AmostradorRegistrador(const Memorias& mem, DadosRegistrador& dados)
    : mem_(mem), dados_(dados) {
    AtualizaRegistrador();
}

int AmostradorRegistrador::Endereco(int curva) const {
    const int indice = curva == Curva1   ? dados_.Variavel1Select
                       : curva == Curva2 ? dados_.Variavel2Select
                                         : dados_.Variavel3Select;
    return indice >= 0 && indice < kNenhum ? indice + 1 : 0;
}

double AmostradorRegistrador::ParaPercentual(double eu) const {
    // A variable whose range has no height maps every value to 0 % rather
    // than dividing by zero.
    const double faixa = ueMax_ - ueMin_;
    return faixa == 0 ? 0 : (eu - ueMin_) * 100 / faixa;
}

std::uint8_t AmostradorRegistrador::PontoFaixa(double valor, double topo, double base) const {
    const double y = topo > base ? Arredonda((valor - base) * 100 / (topo - base) * 2) : 0;
    return static_cast<std::uint8_t>(std::clamp(y, 0.0, 200.0));
}

void AmostradorRegistrador::RecalculaCurvas12(double topo, double base) {
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < kAmostras; ++i) curvas_[c][i] = PontoFaixa(historico_[c][i], topo, base);
}

bool AmostradorRegistrador::CalculaCiclo() {
    ++contador_;
    if (pausado) return false;
    const int limite = dados_.BaseTempoBox == 1 ? 2 : dados_.BaseTempoBox == 2 ? 19 : -1;
    if (contador_ <= limite) return false;
    contador_ = 0;

    const auto engenharia = [this](double r) { return ueMin_ + (ueMax_ - ueMin_) * r / 100; };
    const auto trend = [this](double r) { return topo_ > base_ ? (r - base_) * 100 / (topo_ - base_) : 0.0; };
    double r[3] = {0, 0, 0};
    double p[2] = {0, 0};
    const std::string* nomes[3] = {&dados_.Edit1, &dados_.Edit2, &dados_.Edit3};
    for (int c = 0; c < 3; ++c) {
        const int k = Endereco(c);
        if (k == 0) {
            legendas_[c].clear();
            continue;
        }
        r[c] = mem_[k];
        if (c < 2) {
            // Variable 2 is shown in variable 1's units: both share the scale.
            legendas_[c] = *nomes[c] + ": " + FormataFixo(engenharia(r[c]), 4, 2) + " " + unidade_;
            p[c] = trend(r[c]);
        } else {
            legendas_[c] = *nomes[c] + ": " + FormataFixo(r[c], 4, 2) + "%";
        }
    }

    grade_ = grade_ >= 29 ? 0 : grade_ + 1;
    posicao_ = posicao_ >= kAmostras ? 1 : posicao_ + 1;
    const std::size_t i = static_cast<std::size_t>(posicao_ - 1);
    historico_[0][i] = r[0];
    historico_[1][i] = r[1];
    const auto ponto = [](double v) { return static_cast<std::uint8_t>(Arredonda(2 * std::clamp(v, 0.0, 100.0))); };
    curvas_[0][i] = ponto(p[0]);
    if (!legendas_[1].empty()) curvas_[1][i] = ponto(p[1]);
    if (!legendas_[2].empty()) curvas_[2][i] = ponto(r[2]);

    if (registrando()) GravaLinha(r[0], r[1], r[2], engenharia(r[0]), engenharia(r[1]));
    return true;
}

void AmostradorRegistrador::AtualizaRegistrador() {
    const int k = Endereco(Curva1) == 0 ? 1 : Endereco(Curva1);
    ueMin_ = mem_.UeMinNum(k);
    ueMax_ = mem_.UeMaxNum(k);
    unidade_ = k <= kNumEngenharia ? mem_.entrada(k).unidade : std::string();
    double topoEU = ueMax_;
    double baseEU = ueMin_;
    if (EscalaAuto) {
        double maximo = -1000000;
        double minimo = 1000000;
        for (double v : historico_[0]) {
            maximo = std::max(maximo, v);
            minimo = std::min(minimo, v);
        }
        double topo = 1.1 * maximo;
        double base = 0.9 * minimo;
        // A flat history (or a negative one, where 1.1 x and 0.9 x cross)
        // leaves no height: the range opens 5 % of the span around it.
        if (!(topo > base)) {
            topo = maximo + 5;
            base = minimo - 5;
        }
        RecalculaCurvas12(topo, base);
        topoEU = ueMin_ + (ueMax_ - ueMin_) / 100 * topo;
        baseEU = ueMin_ + (ueMax_ - ueMin_) / 100 * base;
    } else {
        RecalculaCurvas12(100, 0);
    }
    AtualizaEscala(topoEU, baseEU);
}

void AmostradorRegistrador::AtualizaEscala(double topoEU, double baseEU) {
    topoEU_ = topoEU;
    baseEU_ = baseEU;
    for (int j = 9; j >= 1; --j) rotulos_[9 - j] = FormataFixo(baseEU + (topoEU - baseEU) / 10 * j, 2, 0);
    topo_ = ParaPercentual(topoEU);
    base_ = ParaPercentual(baseEU);
}

bool AmostradorRegistrador::EscalaManual(const std::string& sup, const std::string& inf) {
    EscalaAuto = false;
    double topo = 0;
    double base = 0;
    if (!LeNumero(sup, topo) || !LeNumero(inf, base) || !(base < topo)) return false;
    RecalculaCurvas12(ParaPercentual(topo), ParaPercentual(base));
    AtualizaEscala(topo, base);
    return true;
}

std::string AmostradorRegistrador::Coordenada(int x, int y, const std::string& sup, const std::string& inf) const {
    const double topo = ConverteReal(sup);
    const double base = ConverteReal(inf);
    const double valor = base + (topo - base) / 100 * ((200 - y) / 2.0);
    const double passo = dados_.BaseTempoBox == 1 ? 0.3 : dados_.BaseTempoBox == 2 ? 2 : 0.1;
    return "Y: " + FormataFixo(valor, 4, 1) + " %" + "  T: " + FormataFixo(passo * x, 4, 1) + " s";
}

int AmostradorRegistrador::ProximoCursor() {
    const int atual = cursor_;
    cursor_ = cursor_ >= 6 ? 1 : cursor_ + 1;
    return atual;
}

bool AmostradorRegistrador::IniciaLog(const std::string& pasta) {
    const std::string base = NomeArquivoSeguro(dados_.TagText);
    const std::filesystem::path dir = CaminhoUtf8(pasta);
    std::string nome;
    std::error_code erro;
    for (int k = 1;; ++k) {
        nome = base + "_" + std::to_string(k) + ".txt";
        if (!std::filesystem::exists(dir / CaminhoUtf8(nome), erro)) break;
    }
    log_.open(dir / CaminhoUtf8(nome), std::ios::binary | std::ios::trunc);
    if (!log_.is_open()) return false;
    nomeLog_ = nome;
    const char* cabecalho = "Tempo (0.100 seg);";
    passoLog_ = 0.1;
    if (dados_.BaseTempoBox == 1) {
        // The log keeps the recorder's nominal 1/3 s, not the cursor's 0.3 s.
        passoLog_ = 0.334;
        cabecalho = "Tempo (0.334 seg);";
    } else if (dados_.BaseTempoBox == 2) {
        passoLog_ = 2;
        cabecalho = "Tempo (2 seg);";
    }
    log_ << Utf8ParaCp1252(cabecalho + dados_.Edit1 + ";" + dados_.Edit2 + ";" + dados_.Edit3) << "\r\n";
    log_.flush();
    return true;
}

std::string AmostradorRegistrador::EncerraLog() {
    log_.close();
    return nomeLog_;
}

void AmostradorRegistrador::GravaLinha(double r1, double r2, double r3, double e1, double e2) {
    const double campos[4] = {tempoLog_, UsarUE ? e1 : r1, UsarUE ? e2 : r2, std::clamp(r3, 0.0, 100.0)};
    std::string linha;
    for (int c = 0; c < 4; ++c) {
        if (c > 0) linha += ';';
        const std::string campo = FormataFixo(campos[c], 3, 2);
        linha += UsarVirgula ? ComVirgula(campo) : campo;
    }
    log_ << linha << "\r\n";
    log_.flush();
    tempoLog_ += passoLog_;
}

}  // namespace kivo::ui
