#include "tuning/StepSeries.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/RegularFile.h"
#include "fastsim/ArquivoTxd.h"
#include "objects/Tendencia.h"

namespace kivo::tuning {

namespace {

std::string Nome(const std::filesystem::path& f) { return "\"" + f.string() + "\""; }

[[noreturn]] void Falha(const std::filesystem::path& f, int linha, const std::string& pt, const std::string& en) {
    const std::string onde = Nome(f) + (linha > 0 ? ", " : "");
    throw TuningError(onde + (linha > 0 ? "linha " + std::to_string(linha) : "") + ": " + pt,
                      onde + (linha > 0 ? "line " + std::to_string(linha) : "") + ": " + en);
}

std::vector<std::string> Divide(const std::string& linha, char sep) {
    std::vector<std::string> campos;
    std::size_t i = 0;
    for (;;) {
        const std::size_t fim = linha.find(sep, i);
        campos.push_back(linha.substr(i, fim == std::string::npos ? std::string::npos : fim - i));
        if (fim == std::string::npos) break;
        i = fim + 1;
    }
    return campos;
}

std::string Apara(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t')) s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
}

// A number for a message: up to six significant digits.
std::string NumeroCurto(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", x);
    return buf;
}

// A plain number; the logs may use a decimal comma.
bool Numero(std::string s, double& x) {
    s = Apara(s);
    std::replace(s.begin(), s.end(), ',', '.');
    if (s.empty()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size() && std::isfinite(x);
}

// A step test of 4 hours at 0.1 s is about 150,000 lines; anything much
// larger is not a series.
constexpr std::uintmax_t kMaxBytesSerie = 64u << 20;

// The file's bytes, read only when it is a regular file of a sane size, with
// a UTF-8 byte-order mark (as spreadsheets write it) left out.
std::string Bytes(const std::filesystem::path& f) {
    FileRefusal recusa;
    auto bytes = ReadRegularFile(f, kMaxBytesSerie, recusa);
    if (!bytes) {
        if (recusa.kind == FileRefusal::Kind::TooLarge)
            Falha(f, 0, "o arquivo é grande demais para uma série (" + recusa.reason.pt + ")",
                  "the file is too large for a series (" + recusa.reason.en + ")");
        Falha(f, 0, recusa.reason.pt, recusa.reason.en);
    }
    if (bytes->rfind("\xEF\xBB\xBF", 0) == 0) bytes->erase(0, 3);
    return std::move(*bytes);
}

std::vector<std::string> Linhas(const std::filesystem::path& f, const std::string& bytes) {
    std::vector<std::string> linhas;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t fim = std::min(bytes.find('\n', i), bytes.size());
        std::string l = Apara(bytes.substr(i, fim - i));
        if (!l.empty()) linhas.push_back(std::move(l));
        i = fim + 1;
    }
    if (linhas.empty()) Falha(f, 0, "o arquivo está vazio", "the file is empty");
    return linhas;
}

SeriesFormat FormatOfFirstLine(const std::string& primeira) {
    if (primeira.rfind("Tempo (", 0) != 0) return SeriesFormat::Csv;
    const auto nomes = Divide(Apara(primeira), ';');
    return nomes.size() == 4 && Apara(nomes[1]) == "PV" && Apara(nomes[2]) == "SP" && Apara(nomes[3]) == "MV"
               ? SeriesFormat::FaceplateLog
               : SeriesFormat::RecorderLog;
}

bool IsTxd(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".txd";
}

bool Plausivel(double mv, double pv) { return std::abs(mv) <= kMaxValue && std::abs(pv) <= kMaxValue; }

// An MV or PV beyond kMaxValue, at line linha or, in an archive, at the time
// given by onde.
[[noreturn]] void ValorFora(const std::filesystem::path& f, int linha, const std::string& ondePt,
                            const std::string& ondeEn, double mv, double pv) {
    const double x = std::abs(mv) <= kMaxValue ? pv : mv;
    const std::string limite = "±" + std::to_string(static_cast<long long>(kMaxValue)) + " %";
    Falha(f, linha, ondePt + "o valor " + NumeroCurto(x) + " passa de " + limite + ": MV e PV devem estar em % da faixa",
          ondeEn + "the value " + NumeroCurto(x) + " lies beyond " + limite + ": MV and PV must be in % of span");
}

// Reads columns colT, colMV, colPV of every line after the header.
StepSeries Colunas(const std::filesystem::path& f, const std::vector<std::string>& linhas, char sep, int colT,
                   int colMV, int colPV) {
    StepSeries s;
    const int maior = std::max({colT, colMV, colPV});
    for (std::size_t i = 1; i < linhas.size(); ++i) {
        const auto campos = Divide(linhas[i], sep);
        const int n = static_cast<int>(i) + 1;
        if (static_cast<int>(campos.size()) <= maior)
            Falha(f, n, "faltam campos na linha", "the line has too few fields");
        double t = 0, mv = 0, pv = 0;
        if (!Numero(campos[static_cast<std::size_t>(colT)], t) || !Numero(campos[static_cast<std::size_t>(colMV)], mv) ||
            !Numero(campos[static_cast<std::size_t>(colPV)], pv))
            Falha(f, n, "um campo não é um número", "a field is not a number");
        if (!s.t.empty() && !(t > s.t.back()))
            Falha(f, n, "o tempo não é crescente", "the time does not increase");
        if (!Plausivel(mv, pv)) ValorFora(f, n, "", "", mv, pv);
        s.Add(t, mv, pv);
    }
    return s;
}

int Coluna(const std::vector<std::string>& nomes, std::initializer_list<const char*> procurados) {
    for (std::size_t i = 0; i < nomes.size(); ++i)
        for (const char* p : procurados)
            if (Apara(nomes[i]) == p) return static_cast<int>(i);
    return -1;
}

}  // namespace

SeriesFormat FormatOf(const std::filesystem::path& file) {
    if (IsTxd(file)) return SeriesFormat::Txd;
    const std::string bytes = Bytes(file);
    return FormatOfFirstLine(bytes.substr(0, bytes.find('\n')));
}

StepSeries ReadSeries(const std::filesystem::path& file, int mvAddress, int pvAddress) {
    if (IsTxd(file)) {
        if (mvAddress < 1 || mvAddress > kVariaveisTxd || pvAddress < 1 || pvAddress > kVariaveisTxd)
            Falha(file, 0, "um arquivo .txd precisa dos endereços de MV e PV (M01..M99)",
                  "a .txd archive needs the MV and PV addresses (M01..M99)");
        StepSeries s;
        try {
            double t = 0;
            LeArquivoTxd(file, nullptr, [&](const LinhaTxd& l) {
                t += 1;  // one line per simulated second
                const double mv = l[static_cast<std::size_t>(mvAddress)], pv = l[static_cast<std::size_t>(pvAddress)];
                if (!Plausivel(mv, pv))
                    ValorFora(file, 0, "em t = " + NumeroCurto(t) + " s: ", "at t = " + NumeroCurto(t) + " s: ", mv, pv);
                s.Add(t, mv, pv);
            });
        } catch (const ErroTxd& e) {
            throw TuningError(e.Mensagem(false), e.Mensagem(true));
        }
        return s;
    }
    const auto linhas = Linhas(file, Bytes(file));
    const SeriesFormat formato = FormatOfFirstLine(linhas[0]);
    if (formato == SeriesFormat::FaceplateLog) return Colunas(file, linhas, ';', 0, 3, 1);
    if (formato == SeriesFormat::RecorderLog) {
        const auto nomes = Divide(linhas[0], ';');
        if (nomes.size() < 4) Falha(file, 1, "o cabeçalho não tem três curvas", "the header does not name three curves");
        int pv = Coluna(nomes, {"PV"});
        int mv = Coluna(nomes, {"MV", "CO"});
        return Colunas(file, linhas, ';', 0, mv < 0 ? 3 : mv, pv < 0 ? 1 : pv);
    }
    const auto nomes = Divide(linhas[0], ',');
    const int t = Coluna(nomes, {"t"}), mv = Coluna(nomes, {"MV"}), pv = Coluna(nomes, {"PV"});
    if (t < 0 || mv < 0 || pv < 0)
        Falha(file, 1, "o cabeçalho deve nomear as colunas t, MV e PV", "the header must name the columns t, MV and PV");
    return Colunas(file, linhas, ',', t, mv, pv);
}

StepSeries SeriesFromTrend(const TendenciaControlador& trend, double sampleTime) {
    StepSeries s;
    const int n = trend.amostras();
    for (int i = TendenciaControlador::kAmostras - n; i < TendenciaControlador::kAmostras; ++i)
        s.Add(sampleTime * (i - (TendenciaControlador::kAmostras - n)), trend.Ponto(TendenciaControlador::CurvaCO, i) / 2.0,
              trend.HistoricoPV(i));
    return s;
}

void CheckSampling(const StepSeries& s) {
    const std::size_t n = s.size();
    if (n < 2) return;
    std::vector<double> passos(n - 1);
    for (std::size_t i = 1; i < n; ++i) passos[i - 1] = s.t[i] - s.t[i - 1];
    std::vector<double> ordenados = passos;
    std::nth_element(ordenados.begin(), ordenados.begin() + static_cast<std::ptrdiff_t>(ordenados.size() / 2),
                     ordenados.end());
    const double tipico = ordenados[ordenados.size() / 2];
    if (!(tipico >= kMinSampleTime && tipico <= kMaxSampleTime))
        throw TuningError("O intervalo de amostragem da série (" + NumeroCurto(tipico) + " s) está fora de " +
                              NumeroCurto(kMinSampleTime) + " a " + NumeroCurto(kMaxSampleTime) + " s.",
                          "The series' sample time (" + NumeroCurto(tipico) + " s) lies outside " + NumeroCurto(kMinSampleTime) +
                              " to " + NumeroCurto(kMaxSampleTime) + " s.");
    const double duracao = s.t.back() - s.t.front();
    if (!(duracao <= kMaxDuration))
        throw TuningError("A série cobre " + NumeroCurto(duracao) + " s, mais do que " + NumeroCurto(kMaxDuration) +
                              " s: os tempos não parecem de um teste de degrau.",
                          "The series spans " + NumeroCurto(duracao) + " s, more than " + NumeroCurto(kMaxDuration) +
                              " s: its times do not look like a step test.");
    for (std::size_t i = 0; i < passos.size(); ++i)
        if (!(passos[i] <= kMaxStepRatio * tipico && passos[i] * kMaxStepRatio >= tipico))
            throw TuningError("A série não é amostrada por igual: da amostra " + std::to_string(i + 1) + " para a " +
                                  std::to_string(i + 2) + " o tempo avança " + NumeroCurto(passos[i]) +
                                  " s, e o intervalo usual é " + NumeroCurto(tipico) + " s.",
                              "The series is not evenly sampled: from sample " + std::to_string(i + 1) + " to " +
                                  std::to_string(i + 2) + " the time advances " + NumeroCurto(passos[i]) +
                                  " s, where the usual interval is " + NumeroCurto(tipico) + " s.");
}

Step FindStep(const StepSeries& s) {
    CheckSampling(s);
    const std::size_t n = s.size();
    if (n < kMinSamples)
        throw TuningError("A série é curta demais: " + std::to_string(n) + " amostras, são precisas pelo menos " +
                              std::to_string(kMinSamples) + ".",
                          "The series is too short: " + std::to_string(n) + " samples, at least " +
                              std::to_string(kMinSamples) + " are needed.",
                          TuningError::Kind::TooFewSamples);
    // The logs hold two decimals: a change below this is no move of MV.
    constexpr double kTolerancia = 0.015;
    std::vector<std::size_t> mudancas;
    std::size_t k = 0;
    double maior = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const double d = std::abs(s.mv[i] - s.mv[i - 1]);
        if (d <= kTolerancia) continue;
        mudancas.push_back(i);
        if (d > maior) {
            maior = d;
            k = i;
        }
    }
    // In manual MV moves only when the operator moves it: a few steps. In
    // automatic it moves at almost every sample.
    if (mudancas.size() > std::max<std::size_t>(8, n / 50))
        throw TuningError(
            "A MV varia continuamente: a malha parece estar em automático. O teste de degrau pede a malha em manual.",
            "The MV changes continuously: the loop seems to be in automatic. A step test needs the loop in manual.");
    if (maior < kMinStep)
        throw TuningError("Não há degrau de MV na série (é preciso pelo menos 0.5 %).",
                          "The series holds no MV step (at least 0.5 % is needed).");
    Step st;
    st.index = k;
    const auto it = std::find(mudancas.begin(), mudancas.end(), k);
    st.first = it == mudancas.begin() ? 0 : *(it - 1);
    st.last = it + 1 == mudancas.end() ? n : *(it + 1);
    st.t0 = s.t[k];
    st.mvBefore = s.mv[k - 1];
    st.mvAfter = s.mv[k];
    // A PV that reaches the end of its span is clamped there and no longer
    // shows the process: the window ends where it arrives.
    for (std::size_t i = k; i < st.last; ++i) {
        if ((s.pv[i] <= 0 && s.pv[k - 1] > 0) || (s.pv[i] >= 100 && s.pv[k - 1] < 100)) {
            st.last = i;
            st.clamped = true;
            break;
        }
    }
    if (k - st.first < 2)
        throw TuningError("Há poucas amostras antes do degrau: a PV inicial não se conhece.",
                          "There are too few samples before the step: the initial PV is not known.",
                          TuningError::Kind::TooFewSamples);
    if (st.last - k < kMinAfterStep)
        throw TuningError("Há poucas amostras depois do degrau (são precisas pelo menos " +
                              std::to_string(kMinAfterStep) + ")" +
                              (st.clamped ? ": a PV chega ao fim da faixa logo depois dele; use um degrau menor." : "."),
                          "There are too few samples after the step (at least " + std::to_string(kMinAfterStep) +
                              " are needed)" +
                              (st.clamped ? ": the PV reaches the end of its span soon after it; use a smaller step."
                                          : "."),
                          st.clamped ? TuningError::Kind::Other : TuningError::Kind::TooFewSamples);
    const auto faixa = [&](std::size_t a, std::size_t b) {
        const auto [mn, mx] = std::minmax_element(s.pv.begin() + static_cast<std::ptrdiff_t>(a),
                                                  s.pv.begin() + static_cast<std::ptrdiff_t>(b));
        return *mx - *mn;
    };
    // The response must stand out of the noise seen before the step.
    if (faixa(k, st.last) <= std::max(0.1, 1.5 * faixa(st.first, k)))
        throw TuningError("A PV não responde ao degrau de MV (fica constante ou dentro do ruído).",
                          "The PV does not respond to the MV step (it stays constant or within the noise).");
    return st;
}

}  // namespace kivo::tuning
