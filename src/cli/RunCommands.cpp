// kivo-batch run, simulate and indices: the fast simulation with its archive
// and performance indices, the real-time cycle without pacing, and the indices
// of an archive written earlier.
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/IndicesOutput.h"
#include "core/NumberText.h"
#include "core/Record.h"
#include "fastsim/History.h"
#include "fastsim/Progress.h"
#include "fastsim/FastSimulation.h"
#include "objects/Fields.h"
#include "project/ProjectFile.h"

namespace kivo::cli {

namespace {

// "1e13": the limit of an index, as the help states it.
std::string IndexLimitText() { return "1e" + std::to_string(std::lround(std::log10(kMaxIndexValue))); }

// Index of text in the items, or -1.
int Item(const std::string& text, std::initializer_list<const char*> items) {
    int i = 0;
    for (const char* item : items) {
        if (text == item) return i;
        ++i;
    }
    return -1;
}

// "M21", "m21" or "M021" for the display addresses 1..124.
bool ReadVariable(std::string_view s, int& k) {
    if (s.size() < 2 || (s[0] != 'M' && s[0] != 'm')) return false;
    s.remove_prefix(1);
    const auto r = std::from_chars(s.data(), s.data() + s.size(), k);
    return r.ec == std::errc{} && r.ptr == s.data() + s.size() && k >= 1 && k <= kNumVariables;
}

}  // namespace

int RunCommand(const Args& args) {
    static const std::string kRunUsage =
        "Usage: kivo-batch run PROJECT.smp [--window 30min|1h|2h|4h] [--sample 100ms|200ms|500ms|1s]\n"
        "                      [--test none|sp|load] [--amplitude A] [--archive PREFIX] [--no-normalize]\n"
        "                      [--format text|json] [--english]\n"
        "Loads the project and runs the fast simulation from the state the file holds:\n"
        "the window (default 30min), the time step (default paired with the window:\n"
        "30min 100ms, 1h 200ms, 2h 500ms, 4h 1s), an optional setpoint (sp) or load\n"
        "step of A % (an integer, default 10) on every controller a little after 10 %\n"
        "of the window. Prints the seven performance indices of every active loop,\n"
        "PV and SP in % or, with --no-normalize, in engineering units. --archive\n"
        "writes PREFIX_k.txd in the current folder (k the smallest free number).\n"
        "--english gives captions and messages in English. The random generator\n"
        "starts from the same seed in every run, so that runs repeat.\n"
        "Exit code 2 on bad options, 3 when the project cannot be read, the archive\n"
        "cannot be written or an index is out of range (not finite, or ";
    if (AsksForHelp(args, kRunUsage + IndexLimitText() +
                            " or more):\n"
                            "the loop's values are too large, and it has no indices.\n\n" +
                            kIndicesJsonHelp))
        return kOk;
    Arguments a;
    if (!ParseArguments("run", args,
                 {"--window", "--sample", "--test", "--amplitude", "--archive", "--format"},
                 {"--no-normalize", "--english"}, a))
        return kUsage;
    if (a.positionals.size() != 1) return UsageError("run", "expected one project file");

    FastSimulationOptions op;
    int window = 0;
    if (const auto* w = a.value("--window")) {
        window = Item(*w, {"30min", "1h", "2h", "4h"});
        if (window < 0) return UsageError("run", "--window must be 30min, 1h, 2h or 4h, not '" + *w + "'");
    }
    op.window = kFastSimulationWindows[static_cast<std::size_t>(window)];
    int sample = window;
    if (const auto* s = a.value("--sample")) {
        sample = Item(*s, {"100ms", "200ms", "500ms", "1s"});
        if (sample < 0) return UsageError("run", "--sample must be 100ms, 200ms, 500ms or 1s, not '" + *s + "'");
    }
    op.T = kFastSimulationSampleTimes[static_cast<std::size_t>(sample)];
    if (const auto* t = a.value("--test")) {
        const int item = Item(*t, {"none", "sp", "load"});
        if (item < 0) return UsageError("run", "--test must be none, sp or load, not '" + *t + "'");
        op.signal = TestSignalOfItem(item + 1);
    }
    if (const auto* amp = a.value("--amplitude"); amp && !ReadAmplitude(*amp, op.amplitude))
        return UsageError("run", "--amplitude must be an integer, not '" + *amp + "'");
    if (const auto* p = a.value("--archive")) {
        op.writeArchive = true;
        op.prefix = *p;
    }
    op.normalise = !a.flags.count("--no-normalize");
    bool json = false;
    if (!ReadFormat("run", a, json)) return kUsage;
    const bool english = a.flags.count("--english") > 0;

    Project project(english);
    if (!Load("run", a.positionals[0], project)) return kInvalidInput;
    FastSimulationResult r;
    {
        ProgressBar bar;
        r = RunFastSimulation(project.sim, op, bar.observer());
    }
    if (!r.ran) {
        std::fprintf(stderr, "kivo-batch run: %s\n", r.archiveError->Message(english).c_str());
        return kInvalidInput;
    }
    const std::string name = r.file.filename().string();
    PrintIndices(project, r.line, json, english, r.file.empty() ? nullptr : &name);
    if (!json && !r.file.empty()) std::printf("%s %s\n", std::string(DataSavedText(english)).c_str(), name.c_str());
    int rc = kOk;
    if (r.archiveError) {
        std::fprintf(stderr, "kivo-batch run: %s\n", r.archiveError->Message(english).c_str());
        rc = kInvalidInput;
    }
    for (int n = 1; n <= kLoops; ++n) {
        const std::string outOfRange = OutOfRangeText(r.line, n, english);
        if (outOfRange.empty()) continue;
        std::fprintf(stderr, "kivo-batch run: %s%s\n", outOfRange.c_str(),
                     english ? "; the loop's values are too large." : "; os valores da malha são grandes demais.");
        rc = kInvalidInput;
    }
    return rc;
}

int IndicesCommand(const Args& args) {
    static const std::string kIndicesUsage =
        "Usage: kivo-batch indices ARCHIVE.txd --project PROJECT.smp [--format text|json]\n"
        "                          [--no-normalize] [--english]\n"
        "Loads a fast-simulation archive with the controllers of the project as it is\n"
        "configured (each loop's PV column from its controller's PV address, active\n"
        "controllers only) and prints the seven performance indices of every loop, as\n"
        "kivo-batch run prints them. Exit code 3 when the project or the archive cannot\n"
        "be read; the message names the file and the line. Only a regular file of at\n"
        "most ";
    if (AsksForHelp(args, kIndicesUsage + std::to_string(kMaxBytesTxd >> 20) + " MiB with lines of at most " +
                            std::to_string(kMaxTxdLineBytes >> 10) +
                            " KiB is read as an archive, and an\n"
                            "index out of range (not finite, or " +
                            IndexLimitText() + " or more) is an error of the archive.\n\n" + kIndicesJsonHelp))
        return kOk;
    Arguments a;
    if (!ParseArguments("indices", args, {"--project", "--format"}, {"--no-normalize", "--english"}, a)) return kUsage;
    if (a.positionals.size() != 1) return UsageError("indices", "expected one archive file");
    const std::string* projectFile = a.value("--project");
    if (!projectFile) return UsageError("indices", "--project is required");
    bool json = false;
    if (!ReadFormat("indices", a, json)) return kUsage;
    const bool english = a.flags.count("--english") > 0;

    Project project(english);
    if (!Load("indices", *projectFile, project)) return kInvalidInput;
    PerformanceRow line;
    try {
        ProgressBar bar;
        line = LoadHistory(project.sim, a.positionals[0], !a.flags.count("--no-normalize"), bar.observer());
    } catch (const TxdError& e) {
        std::fprintf(stderr, "kivo-batch indices: %s\n", e.Message(english).c_str());
        return kInvalidInput;
    }
    const std::string name = std::filesystem::path(a.positionals[0]).filename().string();
    PrintIndices(project, line, json, english, &name);
    return kOk;
}

int SimulateCommand(const Args& args) {
    static const char* kSimulateUsage =
        "Usage: kivo-batch simulate PROJECT.smp --duration SECONDS [--step 0.1] --print M21,M01,...\n"
        "                           [--every N] [--english]\n"
        "Runs the real-time cycle of the project (every tick in full) without waiting,\n"
        "for Nearest(SECONDS / step) ticks, and prints a CSV time series: the header\n"
        "t,M21,M01,... and, after every N ticks (default 1), the time and the values\n"
        "in their shortest exact text. The step is the timer period, a whole number of\n"
        "milliseconds (default 0.1 s).\n";
    if (AsksForHelp(args, kSimulateUsage)) return kOk;
    Arguments a;
    if (!ParseArguments("simulate", args, {"--duration", "--step", "--print", "--every"}, {"--english"}, a)) return kUsage;
    if (a.positionals.size() != 1) return UsageError("simulate", "expected one project file");

    const std::string* durationText = a.value("--duration");
    double duration = 0;
    if (!durationText) return UsageError("simulate", "--duration is required");
    if (!ReadNumberField(*durationText, duration) || !(duration > 0))
        return UsageError("simulate", "--duration must be a positive number of seconds, not '" + *durationText + "'");
    double oneStep = 0.1;
    if (const auto* s = a.value("--step"); s && (!ReadNumberField(*s, oneStep) || !(oneStep > 0)))
        return UsageError("simulate", "--step must be a positive number of seconds, not '" + *s + "'");
    const double ms = oneStep * 1000;
    if (!(Round(ms) >= 1 && Round(ms) < 2147483647.0 && std::abs(ms - Round(ms)) < 1e-6))
        return UsageError("simulate", "--step must be a whole number of milliseconds");
    const double cycles = Round(duration / oneStep);
    if (!(cycles >= 1 && cycles < 1e15)) return UsageError("simulate", "--duration must hold between one and 10^15 steps");
    int every = 1;
    if (const auto* e = a.value("--every"); e && (!ParseStrictInteger(*e, every) || every < 1))
        return UsageError("simulate", "--every must be a positive integer, not '" + *e + "'");
    const std::string* list = a.value("--print");
    if (!list) return UsageError("simulate", "--print is required");
    std::vector<int> variables;
    for (std::size_t i = 0; i <= list->size();) {
        const std::size_t end = std::min(list->find(',', i), list->size());
        const std::string name = list->substr(i, end - i);
        int k = 0;
        if (!ReadVariable(name, k)) return UsageError("simulate", "invalid variable '" + name + "' in --print (M1..M124)");
        variables.push_back(k);
        i = end + 1;
    }

    Project project(a.flags.count("--english") > 0);
    if (!Load("simulate", a.positionals[0], project)) return kInvalidInput;
    Simulation& sim = project.sim;
    const int period = static_cast<int>(Round(ms));
    sim.state.timerPeriod = period;

    std::string line = "t";
    for (int k : variables) line += "," + VariableName(k);
    std::printf("%s\n", line.c_str());
    ProgressBar bar;
    Progress progress(bar.observer());
    const auto n = static_cast<long long>(cycles);
    for (long long i = 1; i <= n; ++i) {
        progress.Inform(static_cast<int>(Round(100.0 * static_cast<double>(i - 1) / cycles)));
        // The clock only feeds the measured cycle time; T comes from the period.
        sim.Tick(static_cast<long double>(i) * period);
        if (i % every != 0) continue;
        line.clear();
        WriteValue(line, static_cast<double>(i) * period / 1000.0);
        for (int k : variables) {
            line += ',';
            WriteValue(line, sim.mem[k]);
        }
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    return kOk;
}

}  // namespace kivo::cli
