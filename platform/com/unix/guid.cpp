// Well-known interface identifiers and GUID text conversion.
#include "../com.h"

#include <cstdio>

extern "C" {
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IConnectionPoint = {
    0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
const IID IID_IConnectionPointContainer = {
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
const IID IID_IErrorInfo = {
    0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ICreateErrorInfo = {
    0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_ISupportErrorInfo = {
    0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
const IID IID_IRunnableObject = {0x00000126, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
const GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
}

extern "C" int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int size) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    if (!buffer || size < 39)
        return 0;
    for (int i = 0; i < 39; ++i)
        buffer[i] = static_cast<OLECHAR>(text[i]);
    return 39;
}

namespace {
int HexDigit(OLECHAR c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool ReadHex(LPCOLESTR& p, int digits, uint64_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = HexDigit(*p);
        if (d < 0)
            return false;
        value = value * 16 + static_cast<uint64_t>(d);
        ++p;
    }
    return true;
}

bool Expect(LPCOLESTR& p, OLECHAR c) {
    if (*p != c)
        return false;
    ++p;
    return true;
}
} // namespace

extern "C" HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid) {
    if (!text || !clsid)
        return E_INVALIDARG;
    LPCOLESTR p = text;
    uint64_t v;
    GUID g{};
    if (!Expect(p, '{') || !ReadHex(p, 8, v))
        return E_INVALIDARG;
    g.Data1 = static_cast<uint32_t>(v);
    if (!Expect(p, '-') || !ReadHex(p, 4, v))
        return E_INVALIDARG;
    g.Data2 = static_cast<uint16_t>(v);
    if (!Expect(p, '-') || !ReadHex(p, 4, v))
        return E_INVALIDARG;
    g.Data3 = static_cast<uint16_t>(v);
    if (!Expect(p, '-'))
        return E_INVALIDARG;
    for (int i = 0; i < 8; ++i) {
        if (i == 2 && !Expect(p, '-'))
            return E_INVALIDARG;
        if (!ReadHex(p, 2, v))
            return E_INVALIDARG;
        g.Data4[i] = static_cast<uint8_t>(v);
    }
    if (!Expect(p, '}') || *p != 0)
        return E_INVALIDARG;
    *clsid = g;
    return S_OK;
}

extern "C" HRESULT IIDFromString(LPCOLESTR text, IID* iid) { return CLSIDFromString(text, iid); }
