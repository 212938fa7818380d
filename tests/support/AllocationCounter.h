#pragma once
// Counts the heap allocations of the whole executable that links it, so that
// a test can check that a stretch of code allocates nothing and a benchmark
// can report allocations per iteration.
#include <cstdint>

namespace kivo::testing {

std::uint64_t Allocations();

// Allocations made while f runs.
template <class F>
std::uint64_t AllocationsOf(F&& f) {
    const std::uint64_t before = Allocations();
    f();
    return Allocations() - before;
}

}  // namespace kivo::testing
