// The linearizer section of the project file: its marker, the input text,
// the enable flag and the twelve point texts.
#include "core/Record.h"
#include "objects/Linearizer.h"

namespace kivo {

void Linearizer::SaveParameters(LineWriter& w) const {
    w.Text("=====<<<LINEARIZADOR>>>=====)");
    w.Text(Lin1InputAddress);
    w.UpperCaseFlag(Lin1Enabled());
    for (const auto& t : Lin1MV) w.Text(t);
    for (const auto& t : Lin1PV) w.Text(t);
}

void Linearizer::ReadParameters(LineReader& r) {
    r.NextLine();  // the marker is not compared
    Lin1InputAddress = r.Text();
    SetLin1Enabled(r.UpperCaseFlag());
    for (auto& t : Lin1MV) t = r.Text();
    for (auto& t : Lin1PV) t = r.Text();
}

}  // namespace kivo
