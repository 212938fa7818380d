#pragma once
// FNV-1a, 64 bits: a hash that stays the same across builds and machines,
// for what a saved file carries (a plant's fingerprint, a file's check). It
// finds accidents, not tampering.
#include <cstdint>
#include <span>
#include <string_view>

namespace kivo {

class Fnv1a {
public:
    void Add(std::uint8_t byte) {
        h_ ^= byte;
        h_ *= 0x100000001B3ull;
    }
    void Add(std::span<const std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) Add(b);
    }
    void Add(std::string_view bytes) {
        for (char c : bytes) Add(static_cast<std::uint8_t>(c));
    }
    // The eight bytes of v, little-endian.
    void AddU64(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) Add(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 0xCBF29CE484222325ull;
};

}  // namespace kivo
