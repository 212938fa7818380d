#pragma once
// A trend recorder: its settings as its record holds them, and its sampler,
// which the cycle steps at the end of every real-time tick whether or not
// the recorder's window was ever built. The window only shows the samples
// and writes settings back.
//
// Fields: TagText, DescriptionText (texts); Variable1Select (display list
// index, 124 items M1..M124, -1 none); Variable2Select, Variable3Select (125
// items, the last one "Nenhum"); Curve1Name..Curve3Name; TimeBaseBox (time
// base index 0..2).
#include <string>

#include "core/Cycle.h"
#include "project/RecorderSampler.h"

namespace kivo {

class LineWriter;
class LineReader;

class RecorderData : public CycleObject {
public:
    static constexpr int kVariable1Items = 124;
    static constexpr int kVariable23Items = 125;
    static constexpr int kTimeBaseItems = 3;

    // slot 1..10; the number given at creation is 200 + slot. mem is the
    // variable memory sampled, which outlives the recorder. Created applied,
    // with the range of M1 (no variable 1 yet).
    RecorderData(const Memory& mem, int slot) : slot_(slot), sampler_(mem, *this) {
        sampler_.UpdateRecorder();
    }
    RecorderData(const RecorderData&) = delete;
    RecorderData& operator=(const RecorderData&) = delete;

    int slot() const { return slot_; }
    int number() const { return RecorderNumber(slot_); }

    void ComputeCycle() override { sampler_.ComputeCycle(); }
    void SaveState(StateWriter& w) const override { sampler_.SaveState(w); }
    void RestoreState(StateReader& r) override { sampler_.RestoreState(r); }
    // The apply step: after a change of the settings, a load or a refresh of
    // the variable table.
    void UpdateRecorder() { sampler_.UpdateRecorder(); }

    RecorderSampler& sampler() { return sampler_; }
    const RecorderSampler& sampler() const { return sampler_; }

    void SaveParameters(LineWriter& w) const;
    void ReadParameters(LineReader& r);

    std::string TagText;
    std::string DescriptionText;
    int Variable1Select = -1;
    std::string Curve1Name = "PV";
    int Variable2Select = -1;
    std::string Curve2Name = "SP";
    int Variable3Select = -1;
    std::string Curve3Name = "MV";
    int TimeBaseBox = 0;

private:
    int slot_;
    // Last: it reads the settings above.
    RecorderSampler sampler_;
};

}  // namespace kivo
