#pragma once
// Tuning rules: PID settings from an identified process model, in the
// controller's own structure and units (Kc dimensionless in % per %, Ti and
// Td in seconds, the process direction from the sign of the gain).
#include <optional>
#include <string>
#include <vector>

#include "tuning/Identification.h"

namespace kivo::tuning {

// ZieglerNichols: the step-response (open-loop) method; ZieglerNicholsUltimate:
// the closed-loop method, from the model's ultimate gain and period.
enum class Rule { Simc, Imc, Amigo, ZieglerNichols, ZieglerNicholsUltimate };
enum class Action { P, PI, PID };

// "simc", "imc", "amigo", "zn", "zn-cl"; "P", "PI", "PID".
const char* RuleName(Rule r);
const char* ActionName(Action a);
inline constexpr Rule kRules[] = {Rule::Simc, Rule::Imc, Rule::Amigo, Rule::ZieglerNichols};
// A relay test measures the ultimate point first: its own rule leads.
inline constexpr Rule kRelayRules[] = {Rule::ZieglerNicholsUltimate, Rule::Simc, Rule::Imc, Rule::Amigo,
                                       Rule::ZieglerNichols};

struct Setting {
    Rule rule = Rule::Simc;
    Action action = Action::PI;
    // Ideal (ISA) form: MV = Kc (e + 1/Ti integral of e + Td de/dt); Ti = 0
    // means no integral action.
    double Kc = 0, Ti = 0, Td = 0;
    // The closed-loop time constant (SIMC) or lambda (IMC) used; 0 for the
    // rules without one.
    double tc = 0;
    // What to type into the controller: its Kc, Ti and Td fields for its
    // structure, and its "Tipo Processo" index (0 reverse, 1 direct).
    double kp = 0, ti = 0, td = 0;
    int actionItem = 1;
    std::string KpText, KiText, KdText;
};

// The settings of one rule, in its P, PI and PID variants where it has
// them. isa: the controller's structure (false = parallel). tc: the
// closed-loop time constant or lambda in seconds, 0 for the rule's default.
// Throws TuningError for a tc outside kMinTc..kMaxTc and when a setting
// comes out infinite or not a number.
std::vector<Setting> ProposeSettings(const ProcessModel& m, Rule r, bool isa, double tc = 0);

// The gains a controller can make use of. Its proportional action is held
// within 100 % either way: above kMaxKc an error of 0.01 % (the resolution
// of the PV in the logs and on the faceplate) drives the output from one
// limit to the other; below kMinKc an error of the whole span moves it by
// less than 0.01 %.
inline constexpr double kMinKc = 1e-4;
inline constexpr double kMaxKc = 1e4;

// Why a setting's Kc is of no use to the controller, in both languages; to
// be shown beside the setting (named by the caller), which stays on offer:
// the rule says what it says. Nothing when Kc lies within kMinKc..kMaxKc.
struct GainWarning {
    std::string portuguese, english;
    const std::string& Message(bool en) const { return en ? english : portuguese; }
};
std::optional<GainWarning> CheckGain(const Setting& s);

// Fills kp, ti, td, actionItem and the texts of s from its ideal-form settings.
void ToControllerForm(Setting& s, double processGain, bool isa);

// A setting typed into a field: enough digits for the settings' precision,
// decimal point, no exponent; but a value from 1e9 up or below 1e-4 (other
// than 0) in exponent form with four significant digits, so that it reads
// back as itself and never as 0.
std::string FieldText(double x);

// Dead times below one cycle of the simulator are taken as one cycle: the
// loop always waits one cycle, and the rules divide by the dead time.
inline constexpr double kMinDeadTime = 0.1;

// The closed-loop time constant or lambda a user may give: not below one
// cycle (the loop cannot respond faster), not above about 11 days.
inline constexpr double kMinTc = 0.1;
inline constexpr double kMaxTc = 1e6;

}  // namespace kivo::tuning
