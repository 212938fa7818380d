// The running state of each model for a snapshot (CycleObject::SaveState):
// everything its step carries from one cycle to the next, as the step holds
// it. Coefficient and text caches are left out: they are worked out again
// from their inputs, giving the same bits.
#include <algorithm>

#include "core/NumberText.h"
#include "objects/Fields.h"

#include "objects/Blocks.h"
#include "objects/Controller.h"
#include "objects/Generators.h"
#include "objects/Linearizer.h"
#include "objects/Process.h"
#include "objects/Trend.h"

namespace kivo {

void ControllerTrend::SaveState(StateWriter& w) const {
    w.I32(position_);
    w.Bool(full_);
    w.I32(counter_);
    // Only the positions that hold a sample.
    w.F64s(samples_.front().data(), 4 * static_cast<std::size_t>(samples()));
}

void ControllerTrend::RestoreState(StateReader& r) {
    position_ = r.Int(0, kSamples);
    full_ = r.Bool();
    counter_ = r.Int(0, 1 << 30);
    const std::size_t n = full_ ? kSamples : static_cast<std::size_t>(position_);
    samples_ = {};
    r.F64s(samples_.front().data(), 4 * n);
}

void Controller::SaveState(StateWriter& w) const {
    const ControllerState& s = state;
    for (double v : {s.PV, s.SP, s.MV, s.SPR, s.e, s.PrevError, s.PrevPV, s.Integral, s.PVf, s.PrevPVf, s.b})
        w.F64(v);
    w.Bool(s.localMode);
    w.Bool(s.autoMode);
    trend.SaveState(w);
}

void Controller::RestoreState(StateReader& r) {
    ControllerState& s = state;
    for (double* v : {&s.PV, &s.SP, &s.MV, &s.SPR, &s.e, &s.PrevError, &s.PrevPV, &s.Integral, &s.PVf, &s.PrevPVf, &s.b})
        *v = r.F64();
    s.localMode = r.Bool();
    s.autoMode = r.Bool();
    trend.RestoreState(r);
}

namespace {

constexpr int kBufferSize = ProcessState::kBufferSize;

// Buffer position p moved back by i, within 1..kBufferSize.
int Back(int p, int i) {
    const int j = p - i;
    return j <= 0 ? j + kBufferSize : j;
}

}  // namespace

// Of the dead-time buffer only the part the coming steps read is kept: while
// the dead time is a constant, the inputs of that time at the shortest step
// any run uses (a fast run may have left a longer step); everything when it
// follows a variable, as it may then grow and reach older inputs.
void Process::SaveState(StateWriter& w) const {
    const ProcessState& e = state;
    for (double v : {e.X0, e.h, e.hr, e.s, e.f, e.fr, e.x5old}) w.F64(v);
    w.I32(e.nIdle);
    w.Bool(e.stuck);
    for (double v : {e.r, e.c, e.a, e.xd, e.Y0old, e.IntAc1, e.IntAc2, e.Y1old, e.Y1old2, e.Y2}) w.F64(v);
    w.I32(e.k);
    w.I32(e.D);
    const bool live = deadTime_.text().find_first_of("Mm") != std::string::npos;
    int used = kBufferSize;
    if (!live) {
        const double cycles = Round(deadTime_.Evaluate(sim_.mem) / 0.1);
        used = std::max(e.D, cycles > 0 ? static_cast<int>(std::min<double>(cycles, kMaxDelayCycles)) : 0);
    }
    if (e.k == 0) used = 0;
    w.I32(used);
    // Oldest first.
    for (int i = used - 1; i >= 0; --i) w.F64(e.buffer[static_cast<std::size_t>(Back(e.k, i))]);
}

void Process::RestoreState(StateReader& r) {
    ProcessState& e = state;
    for (double* v : {&e.X0, &e.h, &e.hr, &e.s, &e.f, &e.fr, &e.x5old}) *v = r.F64();
    e.nIdle = r.Int(0, 1 << 30);
    e.stuck = r.Bool();
    for (double* v : {&e.r, &e.c, &e.a, &e.xd, &e.Y0old, &e.IntAc1, &e.IntAc2, &e.Y1old, &e.Y1old2, &e.Y2}) *v = r.F64();
    e.k = r.Int(0, kBufferSize);
    e.D = r.Int(0, Process::kMaxDelayCycles);
    const int used = r.Int(0, e.k == 0 ? 0 : kBufferSize);
    double oldest = 0;
    for (int i = used - 1; i >= 0; --i) {
        const double v = r.F64();
        if (i == used - 1) oldest = v;
        e.buffer[static_cast<std::size_t>(Back(e.k, i))] = v;
    }
    // The positions no coming step reads hold the oldest input kept, as a
    // plant at rest before it would.
    for (int i = used; i < kBufferSize; ++i) e.buffer[static_cast<std::size_t>(Back(e.k, i))] = oldest;
}

void Block::SaveState(StateWriter& w) const { w.F64(y_); }

void Block::RestoreState(StateReader& r) { y_ = r.F64(); }

void Generators::SaveState(StateWriter& w) const {
    for (int g = kFirst; g <= kLastDynamic; ++g) {
        const GeneratorRow& l = line(g);
        for (double v : {l.target, l.y, l.t, l.W, l.P3}) w.F64(v);
    }
}

void Generators::RestoreState(StateReader& r) {
    for (int g = kFirst; g <= kLastDynamic; ++g) {
        GeneratorRow& l = line(g);
        for (double* v : {&l.target, &l.y, &l.t, &l.W, &l.P3}) *v = r.F64();
        // The Value field shows what the row last wrote.
        if (l.Kind >= GeneratorRow::FastRandom && l.Kind <= GeneratorRow::RandomWalk)
            FormatFixedInto(l.Value, sim_.mem[g], 0, 2);
    }
}

void Linearizer::SaveState(StateWriter& w) const {
    for (const auto* a : {&mv_, &pv_, &s_, &b_, &e_}) w.F64s(a->data(), kPoints);
    for (Shape s : shape_) w.U8(static_cast<std::uint8_t>(s));
}

void Linearizer::RestoreState(StateReader& r) {
    for (auto* a : {&mv_, &pv_, &s_, &b_, &e_}) r.F64s(a->data(), kPoints);
    for (Shape& s : shape_) {
        const std::uint8_t v = r.U8();
        if (v > static_cast<std::uint8_t>(Shape::Flat)) r.Fail();
        s = r.ok() ? static_cast<Shape>(v) : Shape::Flat;
    }
}

}  // namespace kivo
