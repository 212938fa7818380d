#pragma once
// The tuning assistant's answer as kivo-batch prints it: the models with
// their intervals and warnings, the settings with their predicted indices
// and margins; as text for a reader, or as one JSON object for a script.
#include <optional>
#include <string>
#include <vector>

#include "tuning/Prediction.h"
#include "tuning/RelayTest.h"

namespace kivo::cli {

struct TuneAnswer {
    int loop = 0;
    const tuning::Identification& id;
    tuning::ModelKind used;
    const tuning::LoopConfig& cfg;
    const std::vector<tuning::Proposal>& results;
    bool english = false;
    // A relay test's record and the ultimate point of its model, when the
    // identification comes from one.
    const tuning::RelayTestResult* relay = nullptr;
    const tuning::UltimatePoint* ultimate = nullptr;
};

std::string TuneText(const TuneAnswer& a);
std::string TuneJson(const TuneAnswer& a);

}  // namespace kivo::cli
