#include "tests/support/heap_usage.h"

#include <malloc.h>

namespace simtest {

#ifdef _WIN32
size_t HeapBytesInUse() {
    size_t used = 0;
    _HEAPINFO entry{};
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY)
            used += entry._size;
    return used;
}
#else
size_t HeapBytesInUse() {
    return mallinfo2().uordblks;
}
#endif

} // namespace simtest
