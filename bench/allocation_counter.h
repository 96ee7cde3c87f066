// Counts heap allocations made by this process (the benchmark replaces the
// global operator new).
#pragma once

#include <cstdint>

namespace bench {
uint64_t AllocationCount();
}
