// kivo-batch bumptest and tune: a step test run on a project, and the tuning
// assistant on a step-test series (model identification, tuning rules and
// the predicted performance indices of each proposed setting).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/Argumentos.h"
#include "cli/Commands.h"
#include "core/NumberText.h"
#include "objects/Campos.h"
#include "objects/Controller.h"
#include "project/ArquivoProjeto.h"
#include "tuning/BumpTest.h"
#include "tuning/Prediction.h"

namespace kivo::cli {

namespace {

bool LeLoop(const char* comando, const Argumentos& a, int& n) {
    const std::string* l = a.valor("--loop");
    if (!l) {
        Uso(comando, "--loop is required");
        return false;
    }
    if (!ConverteInteiroEstrito(*l, n) || n < 1 || n > 10) {
        Uso(comando, "--loop must be a controller number 1..10, not '" + *l + "'");
        return false;
    }
    return true;
}

TControlador* Controlador(const char* comando, const Projeto& p, int n) {
    TControlador* c = p.controlador(n);
    if (!c) std::fprintf(stderr, "kivo-batch %s: the project has no controller %d\n", comando, n);
    return c;
}

}  // namespace

int ComandoBumptest(const Args& args) {
    static const std::string kUsoBump =
        "Usage: kivo-batch bumptest PROJECT.smp --loop N --step PERCENT --duration SECONDS [--english]\n"
        "Puts controller N in manual at its current output and runs the plant's 0.1 s\n"
        "cycle, without waiting for the clock, until the PV is at rest (the mean PV of two\n"
        "consecutive 30 s windows within 0.02 % of span; at most 2 hours of plant time,\n"
        "after which it steps anyway, as an integrating process never rests). It then\n"
        "records a lead-in of a tenth of the duration (at least 10 s), steps the\n"
        "controller output by PERCENT (negative steps down) and records SECONDS more.\n"
        "Prints the series as CSV, header t,MV,PV,SP: time in s from the start of the\n"
        "record, MV, PV and SP in % of span, every 0.1 s (coarser for long tests, at\n"
        "most about 12,000 rows). Feed it to kivo-batch tune.\n"
        "Exit code 2 on bad options, 3 when the project cannot be read, has no such\n"
        "controller, or the step would take the output beyond 0..100 %.\n";
    if (PedeAjuda(args, kUsoBump)) return kOk;
    Argumentos a;
    if (!Analisa("bumptest", args, {"--loop", "--step", "--duration"}, {"--english"}, a)) return kUso;
    if (a.posicionais.size() != 1) return Uso("bumptest", "expected one project file");
    int n = 0;
    if (!LeLoop("bumptest", a, n)) return kUso;
    double degrau = 0, duracao = 0;
    const std::string* d = a.valor("--step");
    if (!d) return Uso("bumptest", "--step is required");
    if (!LeNumeroCampo(*d, degrau) || std::abs(degrau) < tuning::kMinStep || std::abs(degrau) > 100)
        return Uso("bumptest", "--step must be 0.5 to 100 % in size, up or down (-100..-0.5 or 0.5..100), not '" +
                                   *d + "'");
    const std::string* s = a.valor("--duration");
    if (!s) return Uso("bumptest", "--duration is required");
    if (!LeNumeroCampo(*s, duracao) || !(duracao >= 1) || duracao > 86400)
        return Uso("bumptest", "--duration must be 1 to 86400 seconds, not '" + *s + "'");

    Projeto projeto(a.flags.count("--english") > 0);
    if (!Carrega("bumptest", a.posicionais[0], projeto)) return kEntradaInvalida;
    if (!Controlador("bumptest", projeto, n)) return kEntradaInvalida;
    tuning::BumpTestResult r;
    try {
        r = tuning::BumpTest(projeto.sim, n, degrau, duracao);
    } catch (const std::exception& e) {
        // Whatever the run refuses (a tuning error or anything else) is a
        // message, never an abort; like every message of this command, in
        // English.
        std::fprintf(stderr, "kivo-batch bumptest: %s\n", e.what());
        return kEntradaInvalida;
    }
    if (!r.rested)
        std::fprintf(stderr,
                     "kivo-batch bumptest: the PV of loop %d did not come to rest in %g s (an integrating "
                     "process?); stepping anyway\n",
                     n, tuning::kMaxRestWait);
    std::printf("t,MV,PV,SP\n");
    std::string linha;
    for (std::size_t i = 0; i < r.series.size(); ++i) {
        linha.clear();
        EscreveValor(linha, r.series.t[i]);
        for (double v : {r.series.mv[i], r.series.pv[i], r.sp[i]}) {
            linha += ',';
            EscreveValor(linha, v);
        }
        linha += '\n';
        std::fwrite(linha.data(), 1, linha.size(), stdout);
    }
    return kOk;
}

namespace {

// ---- tune ---------------------------------------------------------------------

void JsonModelo(std::string& o, const tuning::ModelFit& f) {
    o += "{\"model\":\"";
    o += tuning::KindName(f.model.kind);
    o += "\",\"K\":";
    o += JsonNumero(f.model.K);
    if (f.model.kind != tuning::ModelKind::Ipdt) {
        o += ",\"tau1\":";
        o += JsonNumero(f.model.tau1);
    }
    if (f.model.kind == tuning::ModelKind::Sopdt) {
        o += ",\"tau2\":";
        o += JsonNumero(f.model.tau2);
    }
    o += ",\"theta\":";
    o += JsonNumero(f.model.theta);
    o += ",\"pv0\":";
    o += JsonNumero(f.pv0);
    if (f.model.kind == tuning::ModelKind::Ipdt) {
        o += ",\"drift\":";
        o += JsonNumero(f.drift);
    }
    o += ",\"residual\":";
    o += JsonNumero(f.residual);
    o += "}";
}

void JsonIndices(std::string& o, const std::optional<IndicesDesempenho>& i) {
    if (!i) {
        o += "null";
        return;
    }
    const ValoresIndices* v = &i->valores;
    const std::pair<const char*, double> campos[] = {
        {"variability", v->variabilidade}, {"iem", v->iem},           {"iema", v->iema},
        {"co_travel", v->excursaoCO},      {"co_std", v->desvioCO},   {"co_saturation", v->saturacaoCO},
        {"pv_min", v->pvMin},               {"pv_max", v->pvMax},
    };
    o += "{";
    for (const auto& [nome, x] : campos) {
        if (o.back() != '{') o += ",";
        o += "\"";
        o += nome;
        o += "\":";
        o += JsonNumero(x);
    }
    o += "}";
}

std::string Modelo(const tuning::ProcessModel& m) {
    char buf[160];
    if (m.kind == tuning::ModelKind::Ipdt)
        std::snprintf(buf, sizeof buf, "K=%.5g %%/s per %%  theta=%.4g s", m.K, m.theta);
    else if (m.kind == tuning::ModelKind::Sopdt)
        std::snprintf(buf, sizeof buf, "K=%.4g  tau1=%.4g s  tau2=%.4g s  theta=%.4g s", m.K, m.tau1, m.tau2, m.theta);
    else
        std::snprintf(buf, sizeof buf, "K=%.4g  tau=%.4g s  theta=%.4g s", m.K, m.tau1, m.theta);
    return buf;
}

}  // namespace

int ComandoTune(const Args& args) {
    static const std::string kUsoTune =
        "Usage: kivo-batch tune SERIES --loop N [--project PROJECT.smp] [--pv Mnn]\n"
        "                       [--model fopdt|sopdt|ipdt|best] [--rule simc|imc|amigo|zn]\n"
        "                       [--tc SECONDS] [--format text|json] [--english]\n"
        "Identifies a process model from a step test with the loop in manual and\n"
        "proposes settings for controller N. SERIES is the CSV of kivo-batch bumptest,\n"
        "a faceplate data log (Tempo;PV;SP;MV), a trend recorder log (PV from the curve\n"
        "named PV, else curve 1; MV from the curve named MV or CO, else curve 3; values\n"
        "in %), or a fast-simulation archive (.txd: MV is M(N), PV the address given by\n"
        "--pv or controller N's PV in --project).\n"
        "Fits first order plus dead time, second order plus dead time and integrator\n"
        "plus dead time by least squares; residual is the RMS misfit over the PV\n"
        "change. --model picks the model the rules use (default: the best fit).\n"
        "Rules (default all): SIMC (--tc, the closed-loop time constant, defaults to\n"
        "the dead time), IMC/lambda (--tc is lambda; default the process time\n"
        "constant, at least 1.7 (PI) or 0.8 (PID) dead times), AMIGO, open-loop\n"
        "Ziegler-Nichols. Settings are given as typed into the controller: Kc, Ti and\n"
        "Td in seconds for its structure (ISA or parallel, from --project; ISA\n"
        "without), and its process direction from the sign of the gain. Each is\n"
        "simulated under the controller model (as configured in --project) for a\n"
        "setpoint step and a load step of 10 %, with the seven performance indices of\n"
        "the fast simulation in %.\n"
        "JSON: {\"loop\", \"step\":{\"t0\",\"mv_before\",\"mv_after\"}, \"models\":[{\"model\",\"K\",\n"
        "\"tau1\",\"tau2\",\"theta\",\"pv0\",\"drift\",\"residual\"}], \"best\", \"used\",\n"
        "\"structure\", \"settings\":[{\"rule\",\"action\",\"Kc\",\"Ti\",\"Td\",\"direction\",\"tc\",\n"
        "\"warning\",\"setpoint\":{indices},\"load\":{indices}}]}, indices: variability, iem,\n"
        "iema, co_travel, co_std, co_saturation, pv_min, pv_max (null when out of range).\n"
        "A Kc outside 0.0001..10000 is of no use to a controller: it is still listed,\n"
        "with a warning on stderr and in \"warning\" (null for the others).\n"
        "Exit code 2 on bad options, 3 when the series or the project cannot be read or\n"
        "holds no usable step (the message says why).\n";
    if (PedeAjuda(args, kUsoTune)) return kOk;
    Argumentos a;
    if (!Analisa("tune", args, {"--loop", "--project", "--pv", "--model", "--rule", "--tc", "--format"}, {"--english"},
                 a))
        return kUso;
    if (a.posicionais.size() != 1) return Uso("tune", "expected one series file");
    int n = 0;
    if (!LeLoop("tune", a, n)) return kUso;
    std::optional<tuning::ModelKind> modelo;
    if (const auto* m = a.valor("--model")) {
        if (*m == "fopdt") modelo = tuning::ModelKind::Fopdt;
        else if (*m == "sopdt") modelo = tuning::ModelKind::Sopdt;
        else if (*m == "ipdt") modelo = tuning::ModelKind::Ipdt;
        else if (*m != "best") return Uso("tune", "--model must be fopdt, sopdt, ipdt or best, not '" + *m + "'");
    }
    std::vector<tuning::Rule> regras(std::begin(tuning::kRules), std::end(tuning::kRules));
    if (const auto* r = a.valor("--rule")) {
        regras.clear();
        for (auto x : tuning::kRules)
            if (*r == tuning::RuleName(x)) regras.push_back(x);
        if (regras.empty()) return Uso("tune", "--rule must be simc, imc, amigo or zn, not '" + *r + "'");
    }
    double tc = 0;
    if (const auto* t = a.valor("--tc");
        t && (!LeNumeroCampo(*t, tc) || !(tc >= tuning::kMinTc && tc <= tuning::kMaxTc)))
        return Uso("tune", "--tc must be a number of seconds from " + tuning::FieldText(tuning::kMinTc) + " to " +
                               tuning::FieldText(tuning::kMaxTc) + ", not '" + *t + "'");
    int pv = 0;
    if (const auto* p = a.valor("--pv")) {
        std::string_view v = *p;
        if (v.size() >= 2 && (v[0] == 'M' || v[0] == 'm')) v.remove_prefix(1);
        if (!ConverteInteiroEstrito(v, pv) || pv < 1 || pv > 99)
            return Uso("tune", "--pv must be a variable M01..M99, not '" + *p + "'");
    }
    bool json = false;
    if (!Formato("tune", a, json)) return kUso;
    const bool ingles = a.flags.count("--english") > 0;

    tuning::LoopConfig cfg;
    if (const auto* arq = a.valor("--project")) {
        Projeto projeto(ingles);
        if (!Carrega("tune", *arq, projeto)) return kEntradaInvalida;
        const TControlador* c = Controlador("tune", projeto, n);
        if (!c) return kEntradaInvalida;
        cfg = tuning::ConfigOf(*c);
        if (pv == 0) pv = c->enderecoPV();
    }

    tuning::Identification id;
    std::vector<tuning::Proposal> resultados;
    try {
        id = tuning::Identify(tuning::ReadSeries(a.posicionais[0], n, pv));
        resultados = tuning::ProposeAndPredict(id, modelo.value_or(id.best), cfg, regras, tc);
    } catch (const tuning::TuningError& e) {
        std::fprintf(stderr, "kivo-batch tune: %s\n", e.Message(ingles).c_str());
        return kEntradaInvalida;
    } catch (const std::exception& e) {
        // Whatever else the fit or the simulation refuses is still about
        // this series: report it, never abort.
        std::fprintf(stderr, "kivo-batch tune: %s\n", e.what());
        return kEntradaInvalida;
    }
    const tuning::ModelKind usado = modelo.value_or(id.best);
    std::vector<std::optional<tuning::GainWarning>> avisos;
    for (const auto& r : resultados) {
        avisos.push_back(tuning::CheckGain(r.setting));
        if (avisos.back())
            std::fprintf(stderr, "kivo-batch tune: %s %s: %s\n", tuning::RuleName(r.setting.rule),
                         tuning::ActionName(r.setting.action), avisos.back()->Message(ingles).c_str());
    }

    std::string o;
    if (json) {
        o += "{\"loop\":" + std::to_string(n) + ",\"step\":{\"t0\":";
        o += JsonNumero(id.step.t0);
        o += ",\"mv_before\":";
        o += JsonNumero(id.step.mvBefore);
        o += ",\"mv_after\":";
        o += JsonNumero(id.step.mvAfter);
        o += "},\"models\":[";
        for (const auto& f : id.fits) {
            if (!f) continue;
            if (o.back() != '[') o += ",";
            JsonModelo(o, *f);
        }
        o += std::string("],\"best\":\"") + tuning::KindName(id.best) + "\",\"used\":\"" + tuning::KindName(usado) +
             "\",\"structure\":\"" + (cfg.isa ? "isa" : "parallel") + "\",\"settings\":[";
        for (std::size_t i = 0; i < resultados.size(); ++i) {
            const auto& r = resultados[i];
            if (o.back() != '[') o += ",";
            o += std::string("{\"rule\":\"") + tuning::RuleName(r.setting.rule) + "\",\"action\":\"" +
                 tuning::ActionName(r.setting.action) + "\",\"Kc\":";
            o += JsonNumero(r.setting.kp);
            o += ",\"Ti\":";
            o += JsonNumero(r.setting.ti);
            o += ",\"Td\":";
            o += JsonNumero(r.setting.td);
            o += std::string(",\"direction\":\"") + (r.setting.acao == 1 ? "direct" : "reverse") + "\",\"tc\":";
            o += JsonNumero(r.setting.tc);
            o += ",\"warning\":";
            o += avisos[i] ? Json(avisos[i]->Message(ingles)) : "null";
            o += ",\"setpoint\":";
            JsonIndices(o, r.prediction.spIndices);
            o += ",\"load\":";
            JsonIndices(o, r.prediction.loadIndices);
            o += "}";
        }
        o += "]}\n";
        std::fwrite(o.data(), 1, o.size(), stdout);
        return kOk;
    }
    std::printf("Loop %d: MV step %.2f -> %.2f %% at t = %.4g s\n\nModels (residual: RMS misfit over the PV change):\n",
                n, id.step.mvBefore, id.step.mvAfter, id.step.t0);
    for (const auto& f : id.fits) {
        if (!f) continue;
        std::printf("  %-5s %-52s residual %.4f%s\n", tuning::KindName(f->model.kind), Modelo(f->model).c_str(),
                    f->residual, f->model.kind == id.best ? "  best" : "");
    }
    std::printf("\nSettings for the %s model, %s structure (Kc, Ti s, Td s as typed), predicted indices in %%\n",
                tuning::KindName(usado), cfg.isa ? "ISA" : "parallel");
    std::printf("%-6s %-4s %9s %9s %9s %-8s | %-25s | %-25s\n", "rule", "", "Kc", "Ti", "Td", "process",
                "SP step: IEMA PVmax COtrv", "load step: IEMA PVmax COtrv");
    auto ind = [](const std::optional<IndicesDesempenho>& i) {
        char b[64];
        if (!i) return std::string("out of range");
        const ValoresIndices* v = &i->valores;
        std::snprintf(b, sizeof b, "%7.2f %7.1f %7.2f", v->iema, v->pvMax, v->excursaoCO);
        return std::string(b);
    };
    for (const auto& r : resultados)
        std::printf("%-6s %-4s %9s %9s %9s %-8s | %-25s | %-25s\n", tuning::RuleName(r.setting.rule),
                    tuning::ActionName(r.setting.action), r.setting.KpText.c_str(), r.setting.KiText.c_str(), r.setting.KdText.c_str(),
                    r.setting.acao == 1 ? "direct" : "reverse", ind(r.prediction.spIndices).c_str(), ind(r.prediction.loadIndices).c_str());
    return kOk;
}

}  // namespace kivo::cli
