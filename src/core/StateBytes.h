#pragma once
// The compact byte form of a running plant's state, which the objects write
// for a snapshot and read back at full precision: every number as its bits,
// little-endian whatever the machine, so that a saved snapshot restores
// anywhere. The reader never reads past its end: a short or damaged buffer
// sets its failure flag and yields zeros, and a count outside the range the
// caller allows fails it too, so no object indexes past its arrays.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kivo {

class StateWriter {
public:
    // Writes into bytes, appending; the caller may reuse a buffer to save
    // the allocation.
    explicit StateWriter(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void Bool(bool v) { U8(v ? 1 : 0); }
    void U32(std::uint32_t v) { Put(v, 4); }
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void U64(std::uint64_t v) { Put(v, 8); }
    void F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }
    void F64s(const double* v, std::size_t n) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + 8 * n);
        std::uint8_t* out = bytes_.data() + at;
        for (std::size_t i = 0; i < n; ++i, out += 8) Store(std::bit_cast<std::uint64_t>(v[i]), out, 8);
    }

private:
    void Put(std::uint64_t v, int n) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + static_cast<std::size_t>(n));
        Store(v, bytes_.data() + at, n);
    }
    static void Store(std::uint64_t v, std::uint8_t* out, int n) {
        for (int i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }

    std::vector<std::uint8_t>& bytes_;
};

class StateReader {
public:
    explicit StateReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t U8() { return static_cast<std::uint8_t>(Get(1)); }
    // Only 0 and 1 are flags.
    bool Bool() {
        const std::uint8_t v = U8();
        if (v > 1) failed_ = true;
        return v == 1;
    }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Get(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint64_t U64() { return Get(8); }
    double F64() { return std::bit_cast<double>(U64()); }
    void F64s(double* v, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) v[i] = F64();
    }
    // An integer that must lie in lo..hi; outside it the read fails and
    // gives lo.
    int Int(int lo, int hi) {
        const std::int32_t v = I32();
        if (v < lo || v > hi) {
            failed_ = true;
            return lo;
        }
        return v;
    }

    // A value the caller found out of range fails the read.
    void Fail() { failed_ = true; }
    bool ok() const { return !failed_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }
    std::size_t remaining() const { return bytes_.size() - pos_; }

private:
    std::uint64_t Get(std::size_t n) {
        if (failed_ || bytes_.size() - pos_ < n) {
            failed_ = true;
            return 0;
        }
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(bytes_[pos_ + i]) << (8 * i);
        pos_ += n;
        return v;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace kivo
