// kivo-batch bumptest, tune and relaytest: a step test run on a project,
// the tuning assistant on a step-test series (model identification, tuning
// rules, the predicted performance indices and the margins of each proposed
// setting), and the same from a relay test run on a project.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/TuneOutput.h"
#include "core/NumberText.h"
#include "objects/Fields.h"
#include "objects/Controller.h"
#include "project/ProjectFile.h"
#include "tuning/BumpTest.h"
#include "tuning/Prediction.h"
#include "tuning/RelayTest.h"

namespace kivo::cli {

namespace {

bool ReadLoop(const char* command, const Arguments& a, int& n) {
    const std::string* l = a.value("--loop");
    if (!l) {
        UsageError(command, "--loop is required");
        return false;
    }
    if (!ParseStrictInteger(*l, n) || n < 1 || n > 10) {
        UsageError(command, "--loop must be a controller number 1..10, not '" + *l + "'");
        return false;
    }
    return true;
}

Controller* PidController(const char* command, const Project& p, int n) {
    Controller* c = p.controller(n);
    if (!c) std::fprintf(stderr, "kivo-batch %s: the project has no controller %d\n", command, n);
    return c;
}

// --rule among the rules offered (all of them without it) and --tc.
bool ReadRules(const char* command, const Arguments& a, std::span<const tuning::Rule> offered,
               std::vector<tuning::Rule>& rules, double& tc) {
    rules.assign(offered.begin(), offered.end());
    if (const auto* r = a.value("--rule")) {
        rules.clear();
        std::string names;
        for (auto x : offered) {
            if (*r == tuning::RuleName(x)) rules.push_back(x);
            names += std::string(names.empty() ? "" : ", ") + tuning::RuleName(x);
        }
        if (rules.empty()) {
            UsageError(command, "--rule must be one of " + names + ", not '" + *r + "'");
            return false;
        }
    }
    tc = 0;
    if (const auto* t = a.value("--tc");
        t && (!ReadNumberField(*t, tc) || !(tc >= tuning::kMinTc && tc <= tuning::kMaxTc))) {
        UsageError(command, "--tc must be a number of seconds from " + tuning::FieldText(tuning::kMinTc) + " to " +
                                tuning::FieldText(tuning::kMaxTc) + ", not '" + *t + "'");
        return false;
    }
    return true;
}

// The answer on stdout, each gain no controller can use also on stderr.
void PrintAnswer(const char* command, const TuneAnswer& answer, bool json) {
    for (const auto& r : answer.results)
        if (const auto warning = tuning::CheckGain(r.setting))
            std::fprintf(stderr, "kivo-batch %s: %s %s: %s\n", command, tuning::RuleName(r.setting.rule),
                         tuning::ActionName(r.setting.action), warning->Message(answer.english).c_str());
    const std::string o = json ? TuneJson(answer) : TuneText(answer);
    std::fwrite(o.data(), 1, o.size(), stdout);
}

}  // namespace

int BumptestCommand(const Args& args) {
    static const std::string kBumpUsage =
        "Usage: kivo-batch bumptest PROJECT.smp --loop N --step PERCENT --duration SECONDS\n"
        "                           [--lead-in SECONDS] [--english]\n"
        "Puts controller N in manual at its current output and runs the plant's 0.1 s\n"
        "cycle, without waiting for the clock, until the PV is at rest (the mean PV of two\n"
        "consecutive 30 s windows within 0.02 % of span; at most 2 hours of plant time,\n"
        "after which it steps anyway, as an integrating process never rests). It then\n"
        "records --lead-in SECONDS at rest (default a quarter of the duration, at least\n"
        "30 s: an integrating process's drift and dead time are measured against it),\n"
        "steps the controller output by PERCENT (negative steps down) and records\n"
        "SECONDS more.\n"
        "Prints the series as CSV, header t,MV,PV,SP: time in s from the start of the\n"
        "record, MV, PV and SP in % of span, every 0.1 s (coarser for long tests, at\n"
        "most about 12,000 rows). Feed it to kivo-batch tune.\n"
        "Exit code 2 on bad options, 3 when the project cannot be read, has no such\n"
        "controller, or the step would take the output beyond 0..100 %.\n";
    if (AsksForHelp(args, kBumpUsage)) return kOk;
    Arguments a;
    if (!ParseArguments("bumptest", args, {"--loop", "--step", "--duration", "--lead-in"}, {"--english"}, a))
        return kUsage;
    if (a.positionals.size() != 1) return UsageError("bumptest", "expected one project file");
    int n = 0;
    if (!ReadLoop("bumptest", a, n)) return kUsage;
    double step = 0, duration = 0;
    const std::string* d = a.value("--step");
    if (!d) return UsageError("bumptest", "--step is required");
    if (!ReadNumberField(*d, step) || std::abs(step) < tuning::kMinStep || std::abs(step) > 100)
        return UsageError("bumptest", "--step must be 0.5 to 100 % in size, up or down (-100..-0.5 or 0.5..100), not '" +
                                   *d + "'");
    const std::string* s = a.value("--duration");
    if (!s) return UsageError("bumptest", "--duration is required");
    if (!ReadNumberField(*s, duration) || !(duration >= 1) || duration > 86400)
        return UsageError("bumptest", "--duration must be 1 to 86400 seconds, not '" + *s + "'");
    std::optional<double> leadIn;
    if (const std::string* l = a.value("--lead-in")) {
        double x = 0;
        if (!ReadNumberField(*l, x) || !(x >= 1) || x > 86400)
            return UsageError("bumptest", "--lead-in must be 1 to 86400 seconds, not '" + *l + "'");
        leadIn = x;
    }

    Project project(a.flags.count("--english") > 0);
    if (!Load("bumptest", a.positionals[0], project)) return kInvalidInput;
    if (!PidController("bumptest", project, n)) return kInvalidInput;
    tuning::BumpTestResult r;
    try {
        r = tuning::BumpTest(project.sim, n, step, duration, leadIn);
    } catch (const std::exception& e) {
        // Whatever the run refuses (a tuning error or anything else) is a
        // message, never an abort; like every message of this command, in
        // English.
        std::fprintf(stderr, "kivo-batch bumptest: %s\n", e.what());
        return kInvalidInput;
    }
    if (!r.rested)
        std::fprintf(stderr,
                     "kivo-batch bumptest: the PV of loop %d did not come to rest in %g s (an integrating "
                     "process?); stepping anyway\n",
                     n, tuning::kMaxRestWait);
    std::printf("t,MV,PV,SP\n");
    std::string line;
    for (std::size_t i = 0; i < r.series.size(); ++i) {
        line.clear();
        WriteValue(line, r.series.t[i]);
        for (double v : {r.series.mv[i], r.series.pv[i], r.sp[i]}) {
            line += ',';
            WriteValue(line, v);
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return kOk;
}

int TuneCommand(const Args& args) {
    static const std::string kTuneUsage =
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
        "plus dead time by least squares, the dead time jointly with the time constants\n"
        "from several starts; samples with the PV at 0 or 100 % are left out. Each\n"
        "parameter has an approximate 95 % interval from the fit's covariance (widened\n"
        "when the residuals are correlated); RMS is the residual in % of span.\n"
        "Model choice: the lowest Bayesian information criterion, BIC = m ln(SSE/n) +\n"
        "k ln m, for n samples of which m count as independent (fewer when the residuals\n"
        "of the closest fit are correlated) and k parameters (the initial PV included);\n"
        "a first or second order whose time constant exceeds 3 times the record after\n"
        "the step never settles there and gives way to the integrator. --model picks\n"
        "the model the rules use instead. Warnings (in the text and in \"warnings\"):\n"
        "dead time zero or its interval covering zero, a parameter at the edge of its\n"
        "search, PV samples left out at 0 or 100 %, a PV change under 10 times the\n"
        "noise, too short a record before an integrator's step.\n"
        "Rules (default all): SIMC (--tc, the closed-loop time constant, defaults to\n"
        "the dead time), IMC/lambda (--tc is lambda; default the process time\n"
        "constant, at least 1.7 (PI) or 0.8 (PID) dead times), AMIGO, open-loop\n"
        "Ziegler-Nichols. Settings are given as typed into the controller: Kc, Ti and\n"
        "Td in seconds for its structure (ISA or parallel, from --project; ISA\n"
        "without), and its process direction from the sign of the gain. Each is\n"
        "simulated under the controller model (as configured in --project) for a\n"
        "setpoint step and a load step of 10 %, with the seven performance indices of\n"
        "the fast simulation in % over the window given (sized to the model, so they\n"
        "differ from a fast simulation over another window). Robustness: gain margin,\n"
        "phase margin (degrees) and maximum sensitivity Ms from the frequency response\n"
        "of the model with its dead time and of the controller sampled every 0.1 s;\n"
        "and the worst of each over the corners of the model's 95 % intervals.\n"
        "JSON: {\"loop\", \"step\":{\"t0\",\"mv_before\",\"mv_after\"}, \"models\":[{\"model\",\n"
        "\"K\",\"tau1\",\"tau2\",\"theta\",\"pv0\",\"drift\",\"rms\",\"bic\",\"samples\",\n"
        "\"intervals\":{\"K\",\"tau1\",\"tau2\",\"theta\"} (half-widths, null when unbounded),\n"
        "\"warnings\":[{\"kind\",\"message\"}]}], \"best\", \"used\", \"structure\",\n"
        "\"settings\":[{\"rule\",\"action\",\"Kc\",\"Ti\",\"Td\",\"direction\",\"tc\" (null for the\n"
        "rules without one),\"warning\",\"window\",\"time_step\",\"setpoint\":{indices},\n"
        "\"load\":{indices},\"margins\":{margins},\"worst_margins\":{margins} (null when\n"
        "the intervals are unbounded)}]}; indices: variability, iem, iema, co_travel,\n"
        "co_std, co_saturation, pv_min, pv_max (null when out of range); margins: gain\n"
        "(null: infinite), phase, ms (null: unstable), stable.\n"
        "A Kc outside 0.0001..10000 is of no use to a controller: it is still listed,\n"
        "with a warning on stderr and in \"warning\" (null for the others).\n"
        "Exit code 2 on bad options, 3 when the series or the project cannot be read or\n"
        "holds no usable step (the message says why).\n";
    if (AsksForHelp(args, kTuneUsage)) return kOk;
    Arguments a;
    if (!ParseArguments("tune", args, {"--loop", "--project", "--pv", "--model", "--rule", "--tc", "--format"}, {"--english"},
                 a))
        return kUsage;
    if (a.positionals.size() != 1) return UsageError("tune", "expected one series file");
    int n = 0;
    if (!ReadLoop("tune", a, n)) return kUsage;
    std::optional<tuning::ModelKind> model;
    if (const auto* m = a.value("--model")) {
        if (*m == "fopdt") model = tuning::ModelKind::Fopdt;
        else if (*m == "sopdt") model = tuning::ModelKind::Sopdt;
        else if (*m == "ipdt") model = tuning::ModelKind::Ipdt;
        else if (*m != "best") return UsageError("tune", "--model must be fopdt, sopdt, ipdt or best, not '" + *m + "'");
    }
    std::vector<tuning::Rule> rules;
    double tc = 0;
    if (!ReadRules("tune", a, tuning::kRules, rules, tc)) return kUsage;
    int pv = 0;
    if (const auto* p = a.value("--pv")) {
        std::string_view v = *p;
        if (v.size() >= 2 && (v[0] == 'M' || v[0] == 'm')) v.remove_prefix(1);
        if (!ParseStrictInteger(v, pv) || pv < 1 || pv > 99)
            return UsageError("tune", "--pv must be a variable M01..M99, not '" + *p + "'");
    }
    bool json = false;
    if (!ReadFormat("tune", a, json)) return kUsage;
    const bool english = a.flags.count("--english") > 0;

    tuning::LoopConfig cfg;
    if (const auto* projectPath = a.value("--project")) {
        Project project(english);
        if (!Load("tune", *projectPath, project)) return kInvalidInput;
        const Controller* c = PidController("tune", project, n);
        if (!c) return kInvalidInput;
        cfg = tuning::ConfigOf(*c);
        if (pv == 0) pv = c->pvAddress();
    }

    tuning::Identification id;
    std::vector<tuning::Proposal> results;
    try {
        id = tuning::Identify(tuning::ReadSeries(a.positionals[0], n, pv));
        results = tuning::ProposeAndPredict(id, model.value_or(id.best), cfg, rules, tc);
    } catch (const tuning::TuningError& e) {
        std::fprintf(stderr, "kivo-batch tune: %s\n", e.Message(english).c_str());
        return kInvalidInput;
    } catch (const std::exception& e) {
        // Whatever else the fit or the simulation refuses is still about
        // this series: report it, never abort.
        std::fprintf(stderr, "kivo-batch tune: %s\n", e.what());
        return kInvalidInput;
    }
    const TuneAnswer answer{n, id, model.value_or(id.best), cfg, results, english};
    PrintAnswer("tune", answer, json);
    return kOk;
}

int RelaytestCommand(const Args& args) {
    static const std::string kRelayUsage =
        "Usage: kivo-batch relaytest PROJECT.smp --loop N [--amplitude PERCENT]\n"
        "                            [--hysteresis PERCENT] [--rule zn-cl|simc|imc|amigo|zn]\n"
        "                            [--tc SECONDS] [--format text|json] [--english]\n"
        "Runs a relay test on controller N, which must be in automatic: the plant's\n"
        "0.1 s cycle runs, without waiting for the clock, until the PV is at rest (as\n"
        "in bumptest), 30 s more are recorded, then a relay replaces the controller:\n"
        "the output at rest plus or minus --amplitude, switched when the error passes\n"
        "--hysteresis (default three standard deviations of the PV at rest, at least\n"
        "0.05 %). The default amplitude is chosen from the noise: 5 % (less where the\n"
        "output's limits leave less room), raised while a cycle swings the PV by less\n"
        "than 3 hysteresis widths (half its peak-to-peak), to aim at 4, within the\n"
        "limits and 50 %. After 4 cycles past the first (at most 4 hours of plant\n"
        "time) the output goes back to the controller in automatic without a bump.\n"
        "A first order plus dead time and an integrator plus dead time are fitted by\n"
        "least squares to the record (the relay's output changes and the PV they\n"
        "drive), with their 95 % intervals and warnings as in tune, the best by the same\n"
        "rule (a lag far beyond the period shows only as an integrator); its ultimate\n"
        "gain Ku and period Pu, where its phase reaches -180 degrees, give the\n"
        "closed-loop Ziegler-Nichols rule (zn-cl: P 0.5 Ku; PI 0.45 Ku, Ti Pu/1.2; PID\n"
        "0.6 Ku, Ti Pu/2, Td Pu/8), listed with the model-based rules (default all),\n"
        "their predicted indices and margins as in tune, for the controller's\n"
        "structure and configuration in the project.\n"
        "The relay's oscillation (period, PV amplitude) is printed as measured.\n"
        "JSON: as tune's, with \"relay\":{\"amplitude\",\"hysteresis\",\"noise\",\"period\",\n"
        "\"pv_amplitude\",\"ultimate_gain\",\"ultimate_period\"}.\n"
        "Exit code 2 on bad options, 3 when the project cannot be read, has no such\n"
        "controller, the controller is in manual or the PV does not oscillate.\n";
    if (AsksForHelp(args, kRelayUsage)) return kOk;
    Arguments a;
    if (!ParseArguments("relaytest", args, {"--loop", "--amplitude", "--hysteresis", "--rule", "--tc", "--format"},
                        {"--english"}, a))
        return kUsage;
    if (a.positionals.size() != 1) return UsageError("relaytest", "expected one project file");
    int n = 0;
    if (!ReadLoop("relaytest", a, n)) return kUsage;
    tuning::RelayOptions options;
    for (auto [name, field, lowest, limit] :
         {std::tuple{"--amplitude", &options.amplitude, tuning::kMinStep, tuning::kMaxRelayAmplitude},
          std::tuple{"--hysteresis", &options.hysteresis, 0.0, tuning::kMaxRelayHysteresis}}) {
        const std::string* v = a.value(name);
        if (!v) continue;
        double x = 0;
        if (!ReadNumberField(*v, x) || !(x >= lowest && x <= limit))
            return UsageError("relaytest", std::string(name) + " must be " + tuning::FieldText(lowest) + " to " +
                                               tuning::FieldText(limit) + " %, not '" + *v + "'");
        *field = x;
    }
    std::vector<tuning::Rule> rules;
    double tc = 0;
    if (!ReadRules("relaytest", a, tuning::kRelayRules, rules, tc)) return kUsage;
    bool json = false;
    if (!ReadFormat("relaytest", a, json)) return kUsage;
    const bool english = a.flags.count("--english") > 0;

    Project project(english);
    if (!Load("relaytest", a.positionals[0], project)) return kInvalidInput;
    const Controller* c = PidController("relaytest", project, n);
    if (!c) return kInvalidInput;
    const tuning::LoopConfig cfg = tuning::ConfigOf(*c);
    tuning::RelayTestResult relay;
    tuning::RelayIdentification found;
    std::vector<tuning::Proposal> results;
    try {
        relay = tuning::RelayTest(project.sim, n, options);
        found = tuning::IdentifyRelay(relay);
        results = tuning::ProposeAndPredict(found.id, found.id.best, cfg, rules, tc);
    } catch (const tuning::TuningError& e) {
        std::fprintf(stderr, "kivo-batch relaytest: %s\n", e.Message(english).c_str());
        return kInvalidInput;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kivo-batch relaytest: %s\n", e.what());
        return kInvalidInput;
    }
    if (!relay.rested)
        std::fprintf(stderr, "kivo-batch relaytest: the PV of loop %d did not come to rest in %g s; relay started anyway\n",
                     n, tuning::kMaxRestWait);
    const TuneAnswer answer{n, found.id, found.id.best, cfg, results, english, &relay, &found.ultimate};
    PrintAnswer("relaytest", answer, json);
    return kOk;
}

}  // namespace kivo::cli
