#pragma once
// Counts heap allocations of the whole benchmark executable, so that a
// benchmark can report allocations per iteration as a counter.
#include <cstdint>

namespace kivo::bench {
std::uint64_t Alocacoes();
}
