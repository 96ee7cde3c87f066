// The bytes the C runtime's heap has handed out and not got back, for
// checks that repeated work does not make the heap grow.
#pragma once

#include <cstddef>

namespace simtest {

size_t HeapBytesInUse();

} // namespace simtest
