// Records of the trend recorders and the animated texts.
#include <algorithm>

#include "core/Record.h"
#include "project/RecorderData.h"
#include "project/TextData.h"

namespace kivo {
namespace {

constexpr std::size_t kPrefix = 6;  // "{R/01}", "{T/01}"

}  // namespace

void RecorderData::SaveParameters(LineWriter& w) const {
    w.Text("=====<<<REGISTRADOR:" + std::to_string(number()) + ">>>=====");
    RecordWriter r(w, "{R/", PairContext('R', slot_));
    r.Pair("Tag:", TagText);
    r.Pair("Desc:", DescriptionText);
    r.Integer("Ind Lista Var1:", Variable1Select);
    r.Pair("Desc Var1:", Curve1Name);
    r.Integer("Ind Lista Var2:", Variable2Select);
    r.Pair("Desc Var2:", Curve2Name);
    r.Integer("Ind Lista Var3:", Variable3Select);
    r.Pair("Desc Var3:", Curve3Name);
    r.Integer("Ind Lista Base Tempo:", TimeBaseBox);
}

void RecorderData::ReadParameters(LineReader& lines) {
    lines.NextLine();  // the header is not compared
    RecordReader r(lines, kPrefix, PairContext('R', slot_));
    TagText = r.Pair("Tag:");
    DescriptionText = r.Pair("Desc:");
    Variable1Select = IndexInList(r.Strict("Ind Lista Var1:"), kVariable1Items);
    Curve1Name = r.Pair("Desc Var1:");
    Variable2Select = IndexInList(r.Strict("Ind Lista Var2:"), kVariable23Items);
    Curve2Name = r.Pair("Desc Var2:");
    Variable3Select = IndexInList(r.Strict("Ind Lista Var3:"), kVariable23Items);
    Curve3Name = r.Pair("Desc Var3:");
    TimeBaseBox = IndexInList(r.Strict("Ind Lista Base Tempo:"), kTimeBaseItems);
}

void TextData::SaveParameters(LineWriter& w) const {
    w.Text("=====<<<TEXTO ANIMADO:" + std::to_string(number()) + ">>>=====");
    RecordWriter r(w, "{T/", PairContext('T', slot_));
    r.Pair("Desc:", DescriptionText);
    r.Pair("Funcao:", FunctionText);
    r.Integer("Casas Decimais:", DecimalPlaces);
    r.Text("Unidade:", Unit);
    r.Text("Faixa Max:", RangeMaxText);
    r.Text("Faixa Min:", RangeMinText);
    r.Integer("Tipo:", Kind);
    r.Integer("Variavel:", VariableSelect);
}

void TextData::ReadParameters(LineReader& lines) {
    lines.NextLine();  // the header is not compared
    RecordReader r(lines, kPrefix, PairContext('T', slot_));
    DescriptionText = r.Pair("Desc:");
    FunctionText = r.Pair("Funcao:");
    // The decimals selector only offers 0..5.
    DecimalPlaces = std::clamp(r.Lenient("Casas Decimais:"), 0, kMaxDecimalPlaces);
    Unit = r.Text("Unidade:");
    RangeMaxText = r.Text("Faixa Max:");
    RangeMinText = r.Text("Faixa Min:");
    Kind = IndexInList(r.Strict("Tipo:"), kKindItems);
    VariableSelect = IndexInList(r.Strict("Variavel:"), kVariableItems);
}

}  // namespace kivo
