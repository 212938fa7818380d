#include "cli/IndicesOutput.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "cli/Arguments.h"
#include "core/Memory.h"
#include "core/Record.h"
#include "objects/Controller.h"
#include "project/Project.h"

namespace kivo::cli {

const char* const kIndicesJsonHelp =
    "With --format json the output is one object:\n"
    "  {\"loops\": [LOOP, ...], \"normalized\": true|false, \"archive\": NAME or null}\n"
    "LOOP: \"loop\" (1..10), \"tag\", \"pv\" (the PV address: 21 for M21), \"auto\"\n"
    "(true in automatic), \"unit\" (\"%\", or with --no-normalize the PV unit), then\n"
    "the indices as JSON numbers in their shortest exact text (null for a loop\n"
    "without indices):\n"
    "  \"variability\"      3 standard deviations of PV, in \"unit\"\n"
    "  \"iem\"              mean of SP - PV, in \"unit\"\n"
    "  \"iema\"             mean of |SP - PV|, in \"unit\"\n"
    "  \"co_travel\"        sum of |CO(i) - CO(i-1)| / 100, in % (1 = 100 % of span)\n"
    "  \"co_std\"           3 standard deviations of CO, in %\n"
    "  \"co_saturation\"    share of the points with CO <= 2 or CO >= 98, in %\n"
    "  \"pv_min\", \"pv_max\" the PV range, in \"unit\"\n"
    "and \"text\": the same indices as displayed (two decimals and the unit), under\n"
    "the same keys but the range, which is one text \"pv_minmax\" (\"min/max\", one\n"
    "decimal each); null for a loop without indices.\n";

namespace {

constexpr const char* kTextKeys[7] = {"variability", "iem",           "iema",     "co_travel",
                                         "co_std",      "co_saturation", "pv_minmax"};

void PrintJson(const LoopPerformance& m, int n, const Controller& c, bool normalised) {
    std::printf("{\"loop\": %d, \"tag\": %s, \"pv\": %d, \"auto\": %s, \"unit\": %s", n, Json(c.TagText).c_str(),
                m.pvAddress, c.state.autoMode ? "true" : "false", Json(normalised ? "%" : m.unit).c_str());
    const std::optional<PerformanceIndices>& i = m.indices;
    const struct {
        const char* key;
        double IndexValues::*value;
    } numbers[] = {
        {"variability", &IndexValues::variability}, {"iem", &IndexValues::meanError},
        {"iema", &IndexValues::meanAbsError},                 {"co_travel", &IndexValues::coTravel},
        {"co_std", &IndexValues::coDeviation},           {"co_saturation", &IndexValues::coSaturation},
        {"pv_min", &IndexValues::pvMin},              {"pv_max", &IndexValues::pvMax},
    };
    for (const auto& k : numbers)
        std::printf(", \"%s\": %s", k.key, i ? JsonNumber(i->values.*k.value).c_str() : "null");
    if (!i) {
        std::printf(", \"text\": null}");
        return;
    }
    const auto texts = IndexTexts(*i);
    for (std::size_t k = 0; k < 7; ++k)
        std::printf("%s\"%s\": %s", k == 0 ? ", \"text\": {" : ", ", kTextKeys[k], Json(texts[k]).c_str());
    std::printf("}}");
}

void PrintText(const LoopPerformance& m, int n, const Controller& c, bool english) {
    std::printf("%s %d: %s (PV %s, %s)\n", english ? "Loop" : "Malha", n, c.TagText.c_str(),
                VariableName(m.pvAddress).c_str(), c.state.autoMode ? "auto" : "manual");
    const auto& labels = IndexCaptions(english);
    for (std::size_t i = 0; i < 7; ++i) {
        std::string label(labels[i]);
        label.append(28 - std::min<std::size_t>(28, NumCharacters(label)), ' ');
        const std::string v = m.indices ? std::string(IndexTexts(*m.indices)[i]) : "-";
        std::printf("  %s%s\n", label.c_str(), v.c_str());
    }
}

}  // namespace

void PrintIndices(const Project& project, const PerformanceRow& line, bool json, bool english,
                    const std::string* file) {
    if (json) std::printf("{\"loops\": [");
    bool first = true;
    for (int n = 1; n <= kLoops; ++n) {
        const LoopPerformance& m = line.loop(n);
        const Controller* c = project.controller(n);
        if (!m.active || !c) continue;
        if (json) {
            std::printf("%s\n  ", first ? "" : ",");
            PrintJson(m, n, *c, line.normalised);
        } else {
            PrintText(m, n, *c, english);
        }
        first = false;
    }
    if (json)
        std::printf("%s], \"normalized\": %s, \"archive\": %s}\n", first ? "" : "\n",
                    line.normalised ? "true" : "false", file ? Json(*file).c_str() : "null");
}

}  // namespace kivo::cli
