#pragma once
// What an operator may change on a running controller, and what the
// faceplate refuses: the faceplate and remote clients both go through here,
// so a value a user could not enter is refused for everyone alike.
#include "objects/Controller.h"

namespace kivo {

enum class OperatorResult {
    Done,
    NotInThisMode,  // setpoint while remote, output while automatic, remote without a remote setpoint
    OutOfRange,     // outside 0..100 % (the scale, for a setpoint), or not a number
};

// A setpoint typed in the controller's engineering units, in local mode.
OperatorResult EnterSetpoint(Controller& c, double engineering);
// The same in % of the scale.
OperatorResult EnterSetpointPercent(Controller& c, double percent);
// An output in %, in manual.
OperatorResult EnterOutput(Controller& c, double percent);
// The A/M button: always allowed.
OperatorResult SelectAutomatic(Controller& c, bool automatic);
// The L/R button: remote only while the remote setpoint is enabled.
OperatorResult SelectRemote(Controller& c, bool remote);

}  // namespace kivo
