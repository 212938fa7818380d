#pragma once
// The parts of a controller that shape the loop's response besides Kc, Ti
// and Td, which the predictions and the margins follow.
#include "tuning/Rules.h"

namespace kivo {
class Controller;
}

namespace kivo::tuning {

struct LoopConfig {
    bool isa = true;
    bool derivativeOnPv = true;
    double a = 1;       // setpoint weight
    double tauF = 0;    // PV filter of the derivative on PV, s
    double coMin = 0, coMax = 100;
    bool p = true, i = true, d = true;  // the action check boxes
};
// As the controller's last apply left it.
LoopConfig ConfigOf(const Controller& c);

}  // namespace kivo::tuning
