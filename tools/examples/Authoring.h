#pragma once
// Authoring of an example plant: its picture and its project are built side
// by side, so that every marker lands on the spot of the picture it belongs
// to. The project is brought to steady state by running it, and written with
// the project writer, both comment blocks filled.
#include <filesystem>
#include <string>
#include <vector>

#include "Drawing.h"
#include "Symbols.h"
#include "project/Project.h"

namespace kivo::examples {

inline constexpr int kImageWidth = 800;
inline constexpr int kImageHeight = 600;
inline constexpr int kThumbnailWidth = 160;
inline constexpr int kThumbnailHeight = 120;
// Size of an object marker on the diagram.
inline constexpr double kMarkerWidth = 79;
inline constexpr double kMarkerHeight = 22;

// Output addresses.
constexpr int Mp(int process) { return ProcessAddress(process); }
constexpr int Mb(int block) { return BlockAddress(block); }
// "M" and two digits, as formulas write a variable.
std::string Ref(int address);

class Author;

struct Plant {
    std::string folder;  // folder under examples/
    std::string file;    // project file name
    std::string title;   // "Portuguese|English"
    void (*build)(Author&);
};

class Author {
public:
    explicit Author(const Plant& plant);

    Project p;
    Canvas canvas;

    // ---- Variable table -------------------------------------------------
    // Unit and range of M(k); the operating limits default to the range.
    void Variable(int k, const std::string& unit, double min, double max);
    void Bounds(int k, double lowAlarm, double highAlarm);

    // ---- Objects; marker places are the top-left corner ----------------
    Controller& PidController(int n, const std::string& tag, const std::string& desc, int pv, Point marker);
    Process& ProcessBlock(int n, const std::string& tag, const std::string& desc, int entry, Point marker);
    Block& CalculationBlock(int n, const std::string& tag, const std::string& desc, const std::string& function,
                  Point marker);
    // Animated text of type 0 showing M(k) in its engineering units; pos is
    // the top-left of the value label (the description sits 13 px above).
    TextData& Text(int n, const std::string& desc, int k, int decimals, Point pos);
    // Animated text of type 1: text0/text1 for M(k) = 0 / other.
    TextData& BinaryText(int n, const std::string& desc, int k, const std::string& texts, Point pos);
    // Trend recorder of M(v1), M(v2), M(v3) (0: none for curves 2 and 3);
    // names holds the three curve names separated by ";"; base is the time
    // base item (0: 3 s, 1: 9 s, 2: 1 min per division).
    RecorderData& Recorder(int n, const std::string& tag, const std::string& desc, int v1, int v2, int v3,
                                  const std::string& names, Point marker, int base = 1);

    // ---- Generators and widgets ----------------------------------------
    // Generator row g (81..96) of kind `kind`; desc is the row's description,
    // or the kind's parameter (time constant, period) where the kind keeps
    // it in that field.
    GeneratorRow& Generator(int g, int kind, const std::string& desc, const std::string& min, const std::string& max,
                          const std::string& value);
    // Track n writing M(14+n); value in engineering units.
    Track& Entry(int n, const std::string& label, const std::string& unit, double min, double max, double value,
                   Point pos);
    // Switch n writing M(10+n), value 0 or 1.
    kivo::Switch& ToggleSwitch(int n, int orientation, double value, Point pos);
    // Command button b writing M(96+b); the panel is placed at `panel`.
    kivo::Button& CommandButton(int b, const std::string& desc, const std::string& text0, const std::string& text1,
                              Point panel);

    void Comments(const std::vector<std::string>& pt, const std::vector<std::string>& en);

    // ---- Finishing ------------------------------------------------------
    // Applies every object and returns the validation messages.
    std::vector<std::string> Apply();
    // Runs the plant for the given simulated time at the real-time step, and
    // on until every loop's PV is at its mean of the last minute.
    void Run(double seconds);

    const std::vector<std::string>& englishComments() const { return en_; }

private:
    std::vector<std::string> en_;
};

// Controller n, a PI (Kc kc, Ti ti, no derivative), in automatic at the
// given SP and MV, so that the settling run starts near steady state.
Controller& Loop(Author& a, int n, const std::string& tag, const std::string& desc, int pv, Point marker,
                 const char* kc, const char* ti, bool reverse, double sp, double mv);
// Offers M(address) as the controller's remote setpoint; the controller
// starts on it unless `local`, where the operator switches it over.
void RemoteSetpoint(Controller& c, int address, bool local = false);

// Writes the project, its picture and its thumbnail into dir/folder; checks
// that the file loads back without a message in both languages. Returns a
// description of what went wrong, empty on success.
std::string Write(Author& a, const Plant& plant, const std::filesystem::path& dir);

// A copy of the picture with the places of the markers, animated texts and
// widgets outlined, for checking a layout by eye.
void WritePreview(const Author& a, const std::filesystem::path& file);

// The 22 plants, in the order of the example chooser.
const std::vector<Plant>& Plants();

// Plant builders, one per example.
void BasicFlow(Author& a);
void CoarseFine(Author& a);
void HeaderPressure(Author& a);
void NonlinearProcesses(Author& a);
void RegulatoryLevel(Author& a);
void SurgeTank(Author& a);
void HeatExchanger(Author& a);
void SplitRange(Author& a);
void TubularFurnace(Author& a);
void CascadeFurnace(Author& a);
void Reactor(Author& a);
void CoolingPlant(Author& a);
void Deethanizer(Author& a);
void Boiler(Author& a);
void BasicRatio(Author& a);
void CrossedLimits(Author& a);
void DoubleCrossedLimits(Author& a);
void TwoFuels(Author& a);
void LinearizedConductivity(Author& a);
void SmithPredictor(Author& a);
void FourProcesses(Author& a);
void FrequencyResponse(Author& a);

}  // namespace kivo::examples
