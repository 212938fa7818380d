#include "project/AmostradorRegistrador.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <system_error>

#include "core/Memorias.h"
#include "core/NumberText.h"
#include "project/DadosRegistrador.h"

namespace kivo {

namespace {

// Whole text as a number, whatever the process locale; the scale fields
// take nothing less.
bool LeNumero(const std::string& texto, double& valor) {
    const auto ini = texto.find_first_not_of(' ');
    if (ini == std::string::npos) return false;
    std::string_view t(texto);
    t = t.substr(ini, texto.find_last_not_of(' ') - ini + 1);
    if (t.size() > 1 && t[0] == '+' && t[1] != '-') t.remove_prefix(1);
    // from_chars also reads "inf" and "nan", which no scale is.
    if (t.find_first_of("nN") != std::string_view::npos) return false;
    double v = 0;
    const auto [fim, erro] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (erro != std::errc() || fim != t.data() + t.size()) return false;
    valor = v;
    return true;
}

}  // namespace

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

void AmostradorRegistrador::CalculaCiclo() {
    ++contador_;
    if (pausado) return;
    const int limite = dados_.BaseTempoBox == 1 ? 2 : dados_.BaseTempoBox == 2 ? 19 : -1;
    if (contador_ <= limite) return;
    contador_ = 0;

    for (int c = 0; c < 3; ++c) {
        const int k = Endereco(c);
        comVariavel_[c] = k != 0;
        ultimos_[c] = k != 0 ? mem_[k] : 0;
    }
    const auto trend = [this](double r) { return topo_ > base_ ? (r - base_) * 100 / (topo_ - base_) : 0.0; };
    const double r1 = ultimos_[0];
    const double r2 = ultimos_[1];
    const double r3 = ultimos_[2];

    grade_ = grade_ >= 29 ? 0 : grade_ + 1;
    posicao_ = posicao_ >= kAmostras ? 1 : posicao_ + 1;
    const std::size_t i = static_cast<std::size_t>(posicao_ - 1);
    historico_[0][i] = r1;
    historico_[1][i] = r2;
    const auto ponto = [](double v) { return static_cast<std::uint8_t>(Arredonda(2 * std::clamp(v, 0.0, 100.0))); };
    curvas_[0][i] = ponto(comVariavel_[0] ? trend(r1) : 0);
    if (comVariavel_[1]) curvas_[1][i] = ponto(trend(r2));
    if (comVariavel_[2]) curvas_[2][i] = ponto(r3);

    if (log_.aberto())
        log_.Escreve(UsarUE ? ParaEngenharia(r1) : r1, UsarUE ? ParaEngenharia(r2) : r2, std::clamp(r3, 0.0, 100.0),
                     UsarVirgula);
    if (observador) observador->AoAmostrar();
}

// Made when asked rather than at every sample: only a shown window reads
// them, and a recorder stepped without one (or by the headless tool) does
// not pay for three number texts per cycle.
std::string AmostradorRegistrador::legenda(int curva) const {
    if (!comVariavel_[static_cast<std::size_t>(curva)]) return {};
    const double r = ultimos_[static_cast<std::size_t>(curva)];
    switch (curva) {
        // Variable 2 is shown in variable 1's units: both share the scale.
        case Curva1: return dados_.Edit1 + ": " + FormataFixo(ParaEngenharia(r), 4, 2) + " " + unidade_;
        case Curva2: return dados_.Edit2 + ": " + FormataFixo(ParaEngenharia(r), 4, 2) + " " + unidade_;
        default: return dados_.Edit3 + ": " + FormataFixo(r, 4, 2) + "%";
    }
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

bool AmostradorRegistrador::IniciaLog(const std::filesystem::path& pasta) {
    return log_.Abre(pasta, dados_.TagText, dados_.BaseTempoBox, dados_.Edit1, dados_.Edit2, dados_.Edit3);
}

std::string AmostradorRegistrador::EncerraLog() {
    log_.Fecha();
    return log_.nomeArquivo();
}

}  // namespace kivo
