// The calculation block record of the project file.
#include "core/Record.h"
#include "objects/Blocks.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefix = 8;  // "{B41/01}"

}  // namespace

void Block::SaveParameters(LineWriter& w) const {
    const std::string nn = TwoDigits(n_);
    w.Text("=====<<<BLOCO CALC:" + nn + ">>>=====");
    RecordWriter r(w, "{B" + nn + "/", PairContext('B', slot_));
    r.Pair("Tag:", TagText);
    r.Pair("Desc:", DescriptionText);
    r.Text("Funcao:", FunctionText);
    r.Text("Lim Sup:", UpperLimitText);
    r.Text("Lim Inf:", LowerLimitText);
    r.MixedCaseFlag("Habilita Lim Sup:", UpperLimitCheck);
    r.MixedCaseFlag("Habilita Lim Inf:", LowerLimitCheck);
}

void Block::ReadParameters(LineReader& lines) {
    lines.NextLine();  // the header is not compared
    RecordReader r(lines, kPrefix, PairContext('B', slot_));
    TagText = r.Pair("Tag:");
    DescriptionText = r.Pair("Desc:");
    FunctionText = r.Text("Funcao:");
    UpperLimitText = r.Text("Lim Sup:");
    LowerLimitText = r.Text("Lim Inf:");
    UpperLimitCheck = r.MixedCaseFlag("Habilita Lim Sup:");
    LowerLimitCheck = r.MixedCaseFlag("Habilita Lim Inf:");
}

}  // namespace kivo
