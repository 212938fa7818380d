#pragma once
// Counts the heap allocations of the whole executable that links it, so that
// a test can check that a stretch of code allocates nothing and a benchmark
// can report allocations per iteration.
#include <cstdint>

namespace kivo::testing {

std::uint64_t Alocacoes();

// Allocations made while f runs.
template <class F>
std::uint64_t AlocacoesDe(F&& f) {
    const std::uint64_t antes = Alocacoes();
    f();
    return Alocacoes() - antes;
}

}  // namespace kivo::testing
