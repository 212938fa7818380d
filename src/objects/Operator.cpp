#include "objects/Operator.h"

namespace kivo {

OperatorResult EnterSetpoint(Controller& c, double engineering) {
    if (!c.state.localMode) return OperatorResult::NotInThisMode;
    const double start = c.scaleStart();
    const double end = c.scaleEnd();
    if (start == end) return OperatorResult::OutOfRange;
    return EnterSetpointPercent(c, (engineering - start) * 100 / (end - start));
}

OperatorResult EnterSetpointPercent(Controller& c, double percent) {
    if (!c.state.localMode) return OperatorResult::NotInThisMode;
    // Written so that NaN fails too.
    if (!(percent >= 0 && percent <= 100)) return OperatorResult::OutOfRange;
    c.state.SP = percent;
    return OperatorResult::Done;
}

OperatorResult EnterOutput(Controller& c, double percent) {
    if (c.state.autoMode) return OperatorResult::NotInThisMode;
    if (!(percent >= 0 && percent <= 100)) return OperatorResult::OutOfRange;
    c.state.MV = percent;
    return OperatorResult::Done;
}

OperatorResult SelectAutomatic(Controller& c, bool automatic) {
    c.state.autoMode = automatic;
    return OperatorResult::Done;
}

OperatorResult SelectRemote(Controller& c, bool remote) {
    if (remote && !c.CheckSPR) return OperatorResult::NotInThisMode;
    c.state.localMode = !remote;
    return OperatorResult::Done;
}

}  // namespace kivo
