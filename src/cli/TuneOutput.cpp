#include "cli/TuneOutput.h"

#include <cmath>
#include <cstdio>

#include "cli/Arguments.h"

namespace kivo::cli {

namespace {

using tuning::ModelKind;

std::string Format(const char* format, double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, x);
    return buf;
}

// A parameter with the half-width of its 95 % interval.
std::string WithInterval(const char* name, double x, double halfWidth, const char* unit) {
    return std::string(name) + "=" + Format("%.4g", x) + " ±" +
           (std::isfinite(halfWidth) ? Format("%.2g", halfWidth) : std::string("inf")) + unit;
}

std::string ModelText(const tuning::ModelFit& f) {
    const tuning::ProcessModel& m = f.model;
    const tuning::ProcessModel& w = f.halfWidth;
    if (m.kind == ModelKind::Ipdt)
        return WithInterval("K", m.K, w.K, " %/s per %") + "  " + WithInterval("theta", m.theta, w.theta, " s");
    std::string s = WithInterval("K", m.K, w.K, "") + "  ";
    if (m.kind == ModelKind::Sopdt)
        s += WithInterval("tau1", m.tau1, w.tau1, " s") + "  " + WithInterval("tau2", m.tau2, w.tau2, " s");
    else
        s += WithInterval("tau", m.tau1, w.tau1, " s");
    return s + "  " + WithInterval("theta", m.theta, w.theta, " s");
}

const char* WarningKey(tuning::FitWarning::Kind k) {
    switch (k) {
        case tuning::FitWarning::Kind::DeadTimeNotResolved: return "dead_time";
        case tuning::FitWarning::Kind::AtBound: return "bound";
        case tuning::FitWarning::Kind::PvClamped: return "clamped";
        case tuning::FitWarning::Kind::SmallStep: return "small_step";
        case tuning::FitWarning::Kind::ShortLeadIn: return "lead_in";
    }
    return "";
}

std::string IndicesText(const std::optional<PerformanceIndices>& i) {
    if (!i) return "  out of range       ";
    const IndexValues& v = i->values;
    return Format("%7.2f", v.meanAbsError) + Format(" %7.1f", v.pvMax) + Format(" %7.2f", v.coTravel);
}

std::string MarginsText(const tuning::Margins& m) {
    if (!m.stable) return "   unstable          ";
    return (std::isfinite(m.gain) ? Format("%6.2f", m.gain) : std::string("   inf")) +
           (std::isfinite(m.phase) ? Format(" %6.1f", m.phase) : std::string("    inf")) + Format(" %6.2f", m.ms);
}

void JsonField(std::string& o, const char* name, double x) {
    if (o.back() != '{') o += ",";
    o += "\"";
    o += name;
    o += "\":";
    o += JsonNumber(x);
}

void JsonIndices(std::string& o, const std::optional<PerformanceIndices>& i) {
    if (!i) {
        o += "null";
        return;
    }
    const IndexValues& v = i->values;
    o += "{";
    JsonField(o, "variability", v.variability);
    JsonField(o, "iem", v.meanError);
    JsonField(o, "iema", v.meanAbsError);
    JsonField(o, "co_travel", v.coTravel);
    JsonField(o, "co_std", v.coDeviation);
    JsonField(o, "co_saturation", v.coSaturation);
    JsonField(o, "pv_min", v.pvMin);
    JsonField(o, "pv_max", v.pvMax);
    o += "}";
}

void JsonMargins(std::string& o, const std::optional<tuning::Margins>& m) {
    if (!m) {
        o += "null";
        return;
    }
    o += "{";
    JsonField(o, "gain", m->gain);
    JsonField(o, "phase", m->phase);
    JsonField(o, "ms", m->ms);
    o += std::string(",\"stable\":") + (m->stable ? "true" : "false") + "}";
}

void JsonModel(std::string& o, const tuning::ModelFit& f, bool english) {
    const bool ipdt = f.model.kind == ModelKind::Ipdt, sopdt = f.model.kind == ModelKind::Sopdt;
    o += std::string("{\"model\":\"") + tuning::KindName(f.model.kind) + "\"";
    JsonField(o, "K", f.model.K);
    if (!ipdt) JsonField(o, "tau1", f.model.tau1);
    if (sopdt) JsonField(o, "tau2", f.model.tau2);
    JsonField(o, "theta", f.model.theta);
    JsonField(o, "pv0", f.pv0);
    if (ipdt) JsonField(o, "drift", f.drift);
    JsonField(o, "rms", f.rms);
    JsonField(o, "bic", f.bic);
    JsonField(o, "samples", static_cast<double>(f.samples));
    o += ",\"intervals\":{";
    JsonField(o, "K", f.halfWidth.K);
    if (!ipdt) JsonField(o, "tau1", f.halfWidth.tau1);
    if (sopdt) JsonField(o, "tau2", f.halfWidth.tau2);
    JsonField(o, "theta", f.halfWidth.theta);
    o += "},\"warnings\":[";
    for (const auto& w : f.warnings) {
        if (o.back() != '[') o += ",";
        o += std::string("{\"kind\":\"") + WarningKey(w.kind) + "\",\"message\":" + Json(w.Message(english)) + "}";
    }
    o += "]}";
}

}  // namespace

std::string TuneText(const TuneAnswer& a) {
    const tuning::Identification& id = a.id;
    const int decimals = tuning::TimeDecimals(id.series);
    const std::string t0 =
        Format(("%." + std::to_string(decimals) + "f").c_str(), tuning::OnGrid(id.step.t0, decimals));
    std::string o;
    if (a.relay) {
        const tuning::RelayTestResult& r = *a.relay;
        o = "Loop " + std::to_string(a.loop) + ": relay of ±" + Format("%.2f", r.amplitude) + " % around MV " +
            Format("%.2f", r.mvBefore) + " % from t = " + t0 + " s, hysteresis " + Format("%.3g", r.hysteresis) +
            " % (PV noise at rest " + Format("%.3g", r.noise) + " %)\nOscillation: period " +
            Format("%.4g", r.period) + " s, PV amplitude " + Format("%.3g", r.pvAmplitude) +
            " %\nUltimate point of the model: gain Ku " + Format("%.4g", a.ultimate->gain) + ", period Pu " +
            Format("%.4g", a.ultimate->period) + " s\n\nModel";
    } else {
        o = "Loop " + std::to_string(a.loop) + ": MV step " + Format("%.2f", id.step.mvBefore) + " -> " +
            Format("%.2f", id.step.mvAfter) + " % at t = " + t0 + " s\n\nModels";
    }
    o += " (each parameter with its 95 % interval; RMS: the residual in % of span;\nbest: the lowest BIC):\n";
    for (const auto& f : id.fits) {
        if (!f) continue;
        char line[256];
        std::snprintf(line, sizeof line, "  %-6s %-76s RMS %.3f %%  BIC %.1f%s\n", tuning::KindName(f->model.kind),
                      ModelText(*f).c_str(), f->rms, f->bic, f->model.kind == id.best ? "  best" : "");
        o += line;
    }
    const tuning::ModelFit& used = id.fit(a.used);
    if (!used.warnings.empty()) {
        o += std::string("\nWarnings on the ") + tuning::KindName(a.used) + " model:\n";
        for (const auto& w : used.warnings) o += "  " + w.Message(a.english) + "\n";
    }

    char line[256];
    o += std::string("\nSettings for the ") + tuning::KindName(a.used) + " model, " + (a.cfg.isa ? "ISA" : "parallel") +
         " structure (Kc, Ti s, Td s as typed; tc/lambda s):\n";
    std::snprintf(line, sizeof line, "%-6s %-4s %9s %9s %9s %9s  %s\n", "rule", "", "Kc", "Ti", "Td", "tc/lambda",
                  "process");
    o += line;
    for (const auto& r : a.results) {
        const tuning::Setting& s = r.setting;
        std::snprintf(line, sizeof line, "%-6s %-4s %9s %9s %9s %9s  %s\n", tuning::RuleName(s.rule),
                      tuning::ActionName(s.action), s.KpText.c_str(), s.KiText.c_str(), s.KdText.c_str(),
                      s.tc > 0 ? tuning::FieldText(s.tc).c_str() : "", s.actionItem == 1 ? "direct" : "reverse");
        o += line;
    }
    o += "\nPredicted indices in %, each simulated over its window (the steps a little after a\n"
         "tenth of it, at the fast simulation's time step):\n";
    std::snprintf(line, sizeof line, "%-6s %-4s %8s | %-23s | %-23s\n", "rule", "", "window", "SP step: IEMA PVmax COtrv",
                  "load step: IEMA PVmax COtrv");
    o += line;
    for (const auto& r : a.results) {
        std::snprintf(line, sizeof line, "%-6s %-4s %6.0f s | %-25s | %-25s\n", tuning::RuleName(r.setting.rule),
                      tuning::ActionName(r.setting.action), r.prediction.window, IndicesText(r.prediction.spIndices).c_str(),
                      IndicesText(r.prediction.loadIndices).c_str());
        o += line;
    }
    o += "\nRobustness on the model (gain margin, phase margin in degrees, Ms), and the worst\n"
         "of each over the model's 95 % intervals:\n";
    std::snprintf(line, sizeof line, "%-6s %-4s %6s %6s %6s | worst: %6s %6s %6s\n", "rule", "", "GM", "PM", "Ms", "GM",
                  "PM", "Ms");
    o += line;
    for (const auto& r : a.results) {
        std::snprintf(line, sizeof line, "%-6s %-4s %s |        %s\n", tuning::RuleName(r.setting.rule),
                      tuning::ActionName(r.setting.action), MarginsText(r.margins).c_str(),
                      r.worst ? MarginsText(*r.worst).c_str() : "   unbounded intervals");
        o += line;
    }
    return o;
}

std::string TuneJson(const TuneAnswer& a) {
    const tuning::Identification& id = a.id;
    const int decimals = tuning::TimeDecimals(id.series);
    std::string o = "{\"loop\":" + std::to_string(a.loop) + ",\"step\":{";
    JsonField(o, "t0", tuning::OnGrid(id.step.t0, decimals));
    JsonField(o, "mv_before", id.step.mvBefore);
    JsonField(o, "mv_after", id.step.mvAfter);
    o += "}";
    if (a.relay) {
        o += ",\"relay\":{";
        JsonField(o, "amplitude", a.relay->amplitude);
        JsonField(o, "hysteresis", a.relay->hysteresis);
        JsonField(o, "noise", a.relay->noise);
        JsonField(o, "period", a.relay->period);
        JsonField(o, "pv_amplitude", a.relay->pvAmplitude);
        JsonField(o, "ultimate_gain", a.ultimate->gain);
        JsonField(o, "ultimate_period", a.ultimate->period);
        o += "}";
    }
    o += ",\"models\":[";
    for (const auto& f : id.fits) {
        if (!f) continue;
        if (o.back() != '[') o += ",";
        JsonModel(o, *f, a.english);
    }
    o += std::string("],\"best\":\"") + tuning::KindName(id.best) + "\",\"used\":\"" + tuning::KindName(a.used) +
         "\",\"structure\":\"" + (a.cfg.isa ? "isa" : "parallel") + "\",\"settings\":[";
    for (std::size_t i = 0; i < a.results.size(); ++i) {
        const tuning::Proposal& r = a.results[i];
        const tuning::Setting& s = r.setting;
        if (o.back() != '[') o += ",";
        o += std::string("{\"rule\":\"") + tuning::RuleName(s.rule) + "\",\"action\":\"" + tuning::ActionName(s.action) +
             "\"";
        JsonField(o, "Kc", s.kp);
        JsonField(o, "Ti", s.ti);
        JsonField(o, "Td", s.td);
        o += std::string(",\"direction\":\"") + (s.actionItem == 1 ? "direct" : "reverse") + "\",\"tc\":";
        o += s.tc > 0 ? JsonNumber(s.tc) : "null";
        o += ",\"warning\":";
        const auto warning = tuning::CheckGain(s);
        o += warning ? Json(warning->Message(a.english)) : "null";
        JsonField(o, "window", r.prediction.window);
        JsonField(o, "time_step", r.prediction.sampleTime);
        o += ",\"setpoint\":";
        JsonIndices(o, r.prediction.spIndices);
        o += ",\"load\":";
        JsonIndices(o, r.prediction.loadIndices);
        o += ",\"margins\":";
        JsonMargins(o, r.margins);
        o += ",\"worst_margins\":";
        JsonMargins(o, r.worst);
        o += "}";
    }
    o += "]}\n";
    return o;
}

}  // namespace kivo::cli
