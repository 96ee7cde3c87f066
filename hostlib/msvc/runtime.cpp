// The little of a C runtime that code compiled for Microsoft's ABI needs when
// it is linked without one (lld-link /nodefaultlib): the compiler emits calls
// to memcpy and memset for copies and fills, and a reference to _fltused from
// any code that uses floating point. Compiled with -fno-builtin, so these
// loops are not turned back into calls to themselves.
#include <stddef.h>

extern "C" {

int _fltused = 0;

void* memcpy(void* out, const void* in, size_t size) {
    auto* to = static_cast<unsigned char*>(out);
    const auto* from = static_cast<const unsigned char*>(in);
    for (size_t i = 0; i < size; ++i)
        to[i] = from[i];
    return out;
}

void* memset(void* out, int value, size_t size) {
    auto* to = static_cast<unsigned char*>(out);
    for (size_t i = 0; i < size; ++i)
        to[i] = static_cast<unsigned char>(value);
    return out;
}

} // extern "C"
