// BSTR: a 32-bit byte length stored just before the characters, and a
// terminating null after them.
#include "../com.h"

#include <cstdlib>
#include <cstring>

namespace {
size_t Length(const OLECHAR* text) {
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}
} // namespace

extern "C" BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length) {
    auto* block = static_cast<char*>(std::malloc(sizeof(uint32_t) + length + sizeof(OLECHAR) + 1));
    if (!block)
        return nullptr;
    const uint32_t prefix = length;
    std::memcpy(block, &prefix, sizeof prefix);
    char* data = block + sizeof(uint32_t);
    if (bytes)
        std::memcpy(data, bytes, length);
    else
        std::memset(data, 0, length);
    data[length] = 0;
    data[length + 1] = 0;
    data[length + 2] = 0;
    return reinterpret_cast<BSTR>(data);
}

extern "C" BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    if (length > 0x7FFFFFF0u / sizeof(OLECHAR))
        return nullptr;
    return SysAllocStringByteLen(reinterpret_cast<LPCSTR>(text), length * sizeof(OLECHAR));
}

extern "C" BSTR SysAllocString(const OLECHAR* text) {
    if (!text)
        return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(Length(text)));
}

extern "C" UINT SysStringByteLen(BSTR bstr) {
    if (!bstr)
        return 0;
    uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<char*>(bstr) - sizeof prefix, sizeof prefix);
    return prefix;
}

extern "C" UINT SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }

extern "C" void SysFreeString(BSTR bstr) {
    if (bstr)
        std::free(reinterpret_cast<char*>(bstr) - sizeof(uint32_t));
}

extern "C" INT SysReAllocString(BSTR* bstr, const OLECHAR* text) {
    if (!bstr)
        return FALSE;
    BSTR fresh = SysAllocString(text);
    if (text && !fresh)
        return FALSE;
    SysFreeString(*bstr);
    *bstr = fresh;
    return TRUE;
}

extern "C" void* CoTaskMemAlloc(size_t size) { return std::malloc(size); }
extern "C" void CoTaskMemFree(void* block) { std::free(block); }
