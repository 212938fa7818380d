// The signal generator block of the project file: the marker and five
// keyless lines per row, {P/kk} numbering the 80 lines in order.
#include "core/NumberText.h"
#include "core/Record.h"
#include "objects/Generators.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefix = 6;  // "{P/01}"

// How many kinds the row's selector offers.
int KindItems(int g) {
    if (g <= Generators::kLastEquation) return 10;
    if (g <= Generators::kLastDynamic) return 7;
    return 2;
}

}  // namespace

void Generators::SaveParameters(LineWriter& w) const {
    w.Text("<Parametros>");
    RecordWriter r(w, "{P/", PairContext('G', 0));
    for (int g = kFirst; g <= kLast; ++g) {
        const GeneratorRow& l = line(g);
        const bool hasRange = g <= kLastDynamic;
        r.Integer("", l.Kind);
        r.Pair("", l.Desc);
        r.Text("", hasRange ? l.Min : "/");
        r.Text("", hasRange ? l.Max : "/");
        r.Text("", l.Value);
    }
}

void Generators::ReadParameters(LineReader& lines) {
    lines.NextLine();  // the marker is not compared
    RecordReader r(lines, kPrefix, PairContext('G', 0));
    for (int g = kFirst; g <= kLast; ++g) {
        GeneratorRow& l = line(g);
        const bool hasRange = g <= kLastDynamic;
        l.Kind = IndexInList(r.Strict(""), KindItems(g));
        l.Desc = r.Pair("");
        const std::string min = r.Text("");
        const std::string max = r.Text("");
        if (hasRange) {
            l.Min = min;
            l.Max = max;
        }
        // The value line also carries the 0/1 selector of a constant 0-1 and
        // the starting output of a medium random.
        l.Value = r.Text("");
        if (l.Kind == GeneratorRow::Constant01) {
            int digital = 0;
            if (!ParseStrictInteger(l.Value, digital)) lines.Fail(l.Value, ReadError::Kind::Integer);
            l.DigitalValue = IndexInList(digital, 2);
        } else if (l.Kind == GeneratorRow::MediumRandom && hasRange) {
            // The filter continues from the saved value at rest: its target
            // starts there too, until the next draw, instead of pulling the
            // output toward 0 or another project's target.
            l.y = ParseReal(l.Value);
            l.target = l.y;
        }
    }
    for (int g = kFirst; g <= kLast; ++g) LayoutRow(g, true);
    ApplyParameters();
}

}  // namespace kivo
