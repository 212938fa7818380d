#include "tuning/StepSeries.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/RegularFile.h"
#include "fastsim/TxdArchive.h"
#include "objects/Trend.h"

namespace kivo::tuning {

namespace {

std::string QuotedName(const std::filesystem::path& f) { return "\"" + f.string() + "\""; }

[[noreturn]] void Fail(const std::filesystem::path& f, int line, const std::string& pt, const std::string& en) {
    const std::string where = QuotedName(f) + (line > 0 ? ", " : "");
    throw TuningError(where + (line > 0 ? "linha " + std::to_string(line) : "") + ": " + pt,
                      where + (line > 0 ? "line " + std::to_string(line) : "") + ": " + en);
}

std::vector<std::string> Divide(const std::string& line, char sep) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    for (;;) {
        const std::size_t end = line.find(sep, i);
        fields.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
        if (end == std::string::npos) break;
        i = end + 1;
    }
    return fields;
}

std::string Trim(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t')) s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
}

// A number for a message: up to six significant digits.
std::string ShortNumber(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", x);
    return buf;
}

// A plain number; the logs may use a decimal comma.
bool Number(std::string s, double& x) {
    s = Trim(s);
    std::replace(s.begin(), s.end(), ',', '.');
    if (s.empty()) return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), x);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size() && std::isfinite(x);
}

// A step test of 4 hours at 0.1 s is about 150,000 lines; anything much
// larger is not a series.
constexpr std::uintmax_t kMaxSeriesBytes = 64u << 20;

// The file's bytes, read only when it is a regular file of a sane size, with
// a UTF-8 byte-order mark (as spreadsheets write it) left out.
std::string Bytes(const std::filesystem::path& f) {
    FileRefusal refusal;
    auto bytes = ReadRegularFile(f, kMaxSeriesBytes, refusal);
    if (!bytes) {
        if (refusal.kind == FileRefusal::Kind::TooLarge)
            Fail(f, 0, "o arquivo é grande demais para uma série (" + refusal.reason.pt + ")",
                  "the file is too large for a series (" + refusal.reason.en + ")");
        Fail(f, 0, refusal.reason.pt, refusal.reason.en);
    }
    if (bytes->rfind("\xEF\xBB\xBF", 0) == 0) bytes->erase(0, 3);
    return std::move(*bytes);
}

std::vector<std::string> Lines(const std::filesystem::path& f, const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', i), bytes.size());
        std::string l = Trim(bytes.substr(i, end - i));
        if (!l.empty()) lines.push_back(std::move(l));
        i = end + 1;
    }
    if (lines.empty()) Fail(f, 0, "o arquivo está vazio", "the file is empty");
    return lines;
}

SeriesFormat FormatOfFirstLine(const std::string& first) {
    if (first.rfind("Tempo (", 0) != 0) return SeriesFormat::Csv;
    const auto names = Divide(Trim(first), ';');
    return names.size() == 4 && Trim(names[1]) == "PV" && Trim(names[2]) == "SP" && Trim(names[3]) == "MV"
               ? SeriesFormat::FaceplateLog
               : SeriesFormat::RecorderLog;
}

bool IsTxd(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext == ".txd";
}

bool Plausible(double mv, double pv) { return std::abs(mv) <= kMaxValue && std::abs(pv) <= kMaxValue; }

// An MV or PV beyond kMaxValue, at line line or, in an archive, at the time
// given by where.
[[noreturn]] void ValueOutOfRange(const std::filesystem::path& f, int line, const std::string& wherePt,
                            const std::string& whereEn, double mv, double pv) {
    const double x = std::abs(mv) <= kMaxValue ? pv : mv;
    const std::string limit = "±" + std::to_string(static_cast<long long>(kMaxValue)) + " %";
    Fail(f, line, wherePt + "o valor " + ShortNumber(x) + " passa de " + limit + ": MV e PV devem estar em % da faixa",
          whereEn + "the value " + ShortNumber(x) + " lies beyond " + limit + ": MV and PV must be in % of span");
}

// Reads columns colT, colMV, colPV of every line after the header.
StepSeries ReadColumns(const std::filesystem::path& f, const std::vector<std::string>& lines, char sep, int colT,
                   int colMV, int colPV) {
    StepSeries s;
    const int largest = std::max({colT, colMV, colPV});
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto fields = Divide(lines[i], sep);
        const int n = static_cast<int>(i) + 1;
        if (static_cast<int>(fields.size()) <= largest)
            Fail(f, n, "faltam campos na linha", "the line has too few fields");
        double t = 0, mv = 0, pv = 0;
        if (!Number(fields[static_cast<std::size_t>(colT)], t) || !Number(fields[static_cast<std::size_t>(colMV)], mv) ||
            !Number(fields[static_cast<std::size_t>(colPV)], pv))
            Fail(f, n, "um campo não é um número", "a field is not a number");
        if (!s.t.empty() && !(t > s.t.back()))
            Fail(f, n, "o tempo não é crescente", "the time does not increase");
        if (!Plausible(mv, pv)) ValueOutOfRange(f, n, "", "", mv, pv);
        s.Add(t, mv, pv);
    }
    return s;
}

int Column(const std::vector<std::string>& names, std::initializer_list<const char*> wanted) {
    for (std::size_t i = 0; i < names.size(); ++i)
        for (const char* p : wanted)
            if (Trim(names[i]) == p) return static_cast<int>(i);
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
        if (mvAddress < 1 || mvAddress > kTxdVariables || pvAddress < 1 || pvAddress > kTxdVariables)
            Fail(file, 0, "um arquivo .txd precisa dos endereços de MV e PV (M01..M99)",
                  "a .txd archive needs the MV and PV addresses (M01..M99)");
        StepSeries s;
        try {
            double t = 0;
            ReadTxdArchive(file, nullptr, [&](const TxdRow& l) {
                t += 1;  // one line per simulated second
                const double mv = l[static_cast<std::size_t>(mvAddress)], pv = l[static_cast<std::size_t>(pvAddress)];
                if (!Plausible(mv, pv))
                    ValueOutOfRange(file, 0, "em t = " + ShortNumber(t) + " s: ", "at t = " + ShortNumber(t) + " s: ", mv, pv);
                s.Add(t, mv, pv);
            });
        } catch (const TxdError& e) {
            throw TuningError(e.Message(false), e.Message(true));
        }
        return s;
    }
    const auto lines = Lines(file, Bytes(file));
    const SeriesFormat format = FormatOfFirstLine(lines[0]);
    if (format == SeriesFormat::FaceplateLog) return ReadColumns(file, lines, ';', 0, 3, 1);
    if (format == SeriesFormat::RecorderLog) {
        const auto names = Divide(lines[0], ';');
        if (names.size() < 4) Fail(file, 1, "o cabeçalho não tem três curvas", "the header does not name three curves");
        int pv = Column(names, {"PV"});
        int mv = Column(names, {"MV", "CO"});
        return ReadColumns(file, lines, ';', 0, mv < 0 ? 3 : mv, pv < 0 ? 1 : pv);
    }
    const auto names = Divide(lines[0], ',');
    const int t = Column(names, {"t"}), mv = Column(names, {"MV"}), pv = Column(names, {"PV"});
    if (t < 0 || mv < 0 || pv < 0)
        Fail(file, 1, "o cabeçalho deve nomear as colunas t, MV e PV", "the header must name the columns t, MV and PV");
    return ReadColumns(file, lines, ',', t, mv, pv);
}

StepSeries SeriesFromTrend(const ControllerTrend& trend, double sampleTime) {
    StepSeries s;
    const int n = trend.samples();
    for (int i = ControllerTrend::kSamples - n; i < ControllerTrend::kSamples; ++i)
        s.Add(sampleTime * (i - (ControllerTrend::kSamples - n)), trend.Point(ControllerTrend::COCurve, i) / 2.0,
              trend.PVHistory(i));
    return s;
}

int TimeDecimals(const StepSeries& s) {
    if (s.size() < 2) return 0;
    const double dt = (s.t.back() - s.t.front()) / static_cast<double>(s.size() - 1);
    if (!(dt > 0) || !std::isfinite(dt)) return 0;
    for (int d = 0; d <= 6; ++d) {
        const double scaled = dt * std::pow(10.0, d);
        if (std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled) return d;
    }
    return std::clamp(3 - static_cast<int>(std::floor(std::log10(dt))), 0, 9);
}

double OnGrid(double t, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(t * scale) / scale;
}

void CheckSampling(const StepSeries& s) {
    const std::size_t n = s.size();
    if (n < 2) return;
    std::vector<double> steps(n - 1);
    for (std::size_t i = 1; i < n; ++i) steps[i - 1] = s.t[i] - s.t[i - 1];
    std::vector<double> sorted = steps;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2),
                     sorted.end());
    const double typical = sorted[sorted.size() / 2];
    if (!(typical >= kMinSampleTime && typical <= kMaxSampleTime))
        throw TuningError("O intervalo de amostragem da série (" + ShortNumber(typical) + " s) está fora de " +
                              ShortNumber(kMinSampleTime) + " a " + ShortNumber(kMaxSampleTime) + " s.",
                          "The series' sample time (" + ShortNumber(typical) + " s) lies outside " + ShortNumber(kMinSampleTime) +
                              " to " + ShortNumber(kMaxSampleTime) + " s.");
    const double duration = s.t.back() - s.t.front();
    if (!(duration <= kMaxDuration))
        throw TuningError("A série cobre " + ShortNumber(duration) + " s, mais do que " + ShortNumber(kMaxDuration) +
                              " s: os tempos não parecem de um teste de degrau.",
                          "The series spans " + ShortNumber(duration) + " s, more than " + ShortNumber(kMaxDuration) +
                              " s: its times do not look like a step test.");
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (!(steps[i] <= kMaxStepRatio * typical && steps[i] * kMaxStepRatio >= typical))
            throw TuningError("A série não é amostrada por igual: da amostra " + std::to_string(i + 1) + " para a " +
                                  std::to_string(i + 2) + " o tempo avança " + ShortNumber(steps[i]) +
                                  " s, e o intervalo usual é " + ShortNumber(typical) + " s.",
                              "The series is not evenly sampled: from sample " + std::to_string(i + 1) + " to " +
                                  std::to_string(i + 2) + " the time advances " + ShortNumber(steps[i]) +
                                  " s, where the usual interval is " + ShortNumber(typical) + " s.");
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
    constexpr double kTolerance = 0.015;
    std::vector<std::size_t> changes;
    std::size_t k = 0;
    double largest = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const double d = std::abs(s.mv[i] - s.mv[i - 1]);
        if (d <= kTolerance) continue;
        changes.push_back(i);
        if (d > largest) {
            largest = d;
            k = i;
        }
    }
    // In manual MV moves only when the operator moves it: a few steps. In
    // automatic it moves at almost every sample.
    if (changes.size() > std::max<std::size_t>(8, n / 50))
        throw TuningError(
            "A MV varia continuamente: a malha parece estar em automático. O teste de degrau pede a malha em manual.",
            "The MV changes continuously: the loop seems to be in automatic. A step test needs the loop in manual.");
    if (largest < kMinStep)
        throw TuningError("Não há degrau de MV na série (é preciso pelo menos 0.5 %).",
                          "The series holds no MV step (at least 0.5 % is needed).");
    Step st;
    st.index = k;
    const auto it = std::find(changes.begin(), changes.end(), k);
    st.first = it == changes.begin() ? 0 : *(it - 1);
    st.last = it + 1 == changes.end() ? n : *(it + 1);
    st.t0 = s.t[k];
    st.mvBefore = s.mv[k - 1];
    st.mvAfter = s.mv[k];
    if (k - st.first < 2)
        throw TuningError("Há poucas amostras antes do degrau: a PV inicial não se conhece.",
                          "There are too few samples before the step: the initial PV is not known.",
                          TuningError::Kind::TooFewSamples);
    const auto tooFewAfter = [&](bool clamped) {
        return TuningError("Há poucas amostras depois do degrau (são precisas pelo menos " +
                               std::to_string(kMinAfterStep) + ")" +
                               (clamped ? ": a PV chega ao fim da faixa logo depois dele; use um degrau menor." : "."),
                           "There are too few samples after the step (at least " + std::to_string(kMinAfterStep) +
                               " are needed)" +
                               (clamped ? ": the PV reaches the end of its span soon after it; use a smaller step." : "."),
                           clamped ? TuningError::Kind::Other : TuningError::Kind::TooFewSamples);
    };
    if (st.last - k < kMinAfterStep) throw tooFewAfter(false);

    // The response must stand out of the noise seen before the step, both
    // taken about the PV's trend before it: an integrator that keeps
    // drifting the same way has not responded.
    double slope = 0, tMean = 0, pvMean = 0;
    {
        const double m = static_cast<double>(k - st.first);
        for (std::size_t i = st.first; i < k; ++i) {
            tMean += s.t[i] / m;
            pvMean += s.pv[i] / m;
        }
        double sxy = 0, sxx = 0;
        for (std::size_t i = st.first; i < k; ++i) {
            sxy += (s.t[i] - tMean) * (s.pv[i] - pvMean);
            sxx += (s.t[i] - tMean) * (s.t[i] - tMean);
        }
        if (k - st.first >= 3 && sxx > 0) slope = sxy / sxx;
    }
    const auto spread = [&](std::size_t a, std::size_t b) {
        double lo = INFINITY, hi = -INFINITY;
        for (std::size_t i = a; i < b; ++i) {
            const double d = s.pv[i] - pvMean - slope * (s.t[i] - tMean);
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
        return hi - lo;
    };
    if (spread(k, st.last) <= std::max(0.1, 1.5 * spread(st.first, k)))
        throw TuningError("A PV não responde ao degrau de MV (fica constante ou dentro do ruído).",
                          "The PV does not respond to the MV step (it stays constant or within the noise).");

    // Samples with the PV clamped at the end of its span are left out of the
    // fit: they must not be all the data on either side of the step.
    const auto unclamped = [&](std::size_t a, std::size_t b) {
        return static_cast<std::size_t>(std::count_if(s.pv.begin() + static_cast<std::ptrdiff_t>(a),
                                                      s.pv.begin() + static_cast<std::ptrdiff_t>(b),
                                                      [](double pv) { return !Clamped(pv); }));
    };
    st.clamped = unclamped(st.first, st.last) < st.last - st.first;
    if (unclamped(st.first, k) < 2)
        throw TuningError("A PV está no fim da faixa (0 ou 100 %) antes do degrau: a PV inicial não se conhece.",
                          "The PV lies at the end of its span (0 or 100 %) before the step: the initial PV is not "
                          "known.");
    if (unclamped(k, st.last) < kMinAfterStep) throw tooFewAfter(true);
    return st;
}

}  // namespace kivo::tuning
