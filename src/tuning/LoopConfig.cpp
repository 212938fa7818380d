#include "tuning/LoopConfig.h"

#include "objects/Controller.h"

namespace kivo::tuning {

LoopConfig ConfigOf(const Controller& c) {
    LoopConfig l;
    l.isa = c.isa();
    l.derivativeOnPv = c.derivativeOnPV();
    l.a = c.a();
    l.tauF = c.tauF();
    l.coMin = c.COmin();
    l.coMax = c.COmax();
    l.p = c.PCHK;
    l.i = c.ICHK;
    l.d = c.DCHK;
    return l;
}

}  // namespace kivo::tuning
