#pragma once
// The example plants as the chooser lists them, shared by the tests that
// open every one of them.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace kivo {

struct Case {
    const char* name;    // test name
    const char* folder;  // folder under examples/
    const char* file;    // project file
    // Controllers that may sit at an output limit for most of the run,
    // because the example exists to show that saturation.
    std::vector<std::string> saturating;
};

// The example table of the chooser: folder and file of every example.
inline const Case kCases[] = {
    {"BasicFlowLoop", "basic flow loop", "basic flow loop.smp", {}},
    {"CoarseFineFlowLoop", "course-fine flow loop", "course-fine flow loop.smp", {}},
    {"HeaderPressure", "header pressure with 3 consumers", "header pressure with 3 consumers.smp", {}},
    {"NonlinearFlowProcesses", "nonlinear flow processes", "nonlinear flow processes.smp", {}},
    {"RegulatoryLevel", "regulatory level", "regulatory level.smp", {}},
    {"SurgeTank", "surge tank", "surge tank.smp", {}},
    {"HeatExchanger", "heat exchanger", "heatexchanger.smp", {}},
    {"SplitRange", "splitrange control", "splitrange.smp", {}},
    {"Furnace", "furnace", "furnace.smp", {}},
    {"FurnaceMasterSlave", "furnace masterslave", "furnace.smp", {}},
    {"Reactor", "reactor", "reactor.smp", {}},
    {"CoolingPlant", "coolingplant", "coolingplant.smp", {}},
    {"EthanePlant", "ethaneplant", "ethaneplant.smp", {}},
    {"Boiler", "boiler", "boiler.smp", {}},
    {"RatioControl", "combustion", "ratio.smp", {}},
    {"CrossedLimits", "combustion", "cl.smp", {}},
    {"DoubleCrossedLimits", "combustion", "dcl.smp", {}},
    {"TwoFuels", "combustion2fuels", "combustion2fuels.smp", {}},
    {"LinearizedPh", "Linearized pH control", "pHcontrol.smp", {}},
    {"SmithPredictor", "smith predictor", "smithpredictor.smp", {}},
    {"FourProcesses", "processes to model", "4processes.smp", {}},
    {"FrequencyResponse", "frequency response", "frequencyresponse.smp", {}},
};

// Names the case in test output instead of dumping its bytes.
inline void PrintTo(const Case& c, std::ostream* os) { *os << c.folder << "/" << c.file; }

inline std::filesystem::path Folder(const Case& c) { return std::filesystem::path(KIVO_EXAMPLES_DIR) / c.folder; }

}  // namespace kivo
