// VARIANT lifetime and the type conversions automation calls rely on.
#include "../com.h"
#include "../../base/text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

extern "C" void VariantInit(VARIANTARG* v) {
    if (!v)
        return;
    std::memset(v, 0, sizeof *v);
    v->vt = VT_EMPTY;
}

extern "C" HRESULT VariantClear(VARIANTARG* v) {
    if (!v)
        return E_INVALIDARG;
    if (!(v->vt & VT_BYREF)) {
        if (v->vt & VT_ARRAY) {
            SafeArrayDestroy(v->parray);
        } else {
            switch (v->vt) {
            case VT_BSTR:
                SysFreeString(v->bstrVal);
                break;
            case VT_DISPATCH:
            case VT_UNKNOWN:
                if (v->punkVal)
                    v->punkVal->Release();
                break;
            default:
                break;
            }
        }
    }
    VariantInit(v);
    return S_OK;
}

extern "C" HRESULT VariantCopy(VARIANTARG* dst, const VARIANTARG* src) {
    if (!dst || !src)
        return E_INVALIDARG;
    if (dst == src)
        return S_OK;
    VARIANT copy = *src;
    if (!(src->vt & VT_BYREF)) {
        if (src->vt & VT_ARRAY) {
            copy.parray = nullptr;
            if (src->parray && FAILED(SafeArrayCopy(src->parray, &copy.parray)))
                return E_OUTOFMEMORY;
        } else if (src->vt == VT_BSTR) {
            copy.bstrVal = src->bstrVal ? SysAllocStringByteLen(
                                              reinterpret_cast<LPCSTR>(src->bstrVal),
                                              SysStringByteLen(src->bstrVal))
                                        : nullptr;
            if (src->bstrVal && !copy.bstrVal)
                return E_OUTOFMEMORY;
        } else if ((src->vt == VT_DISPATCH || src->vt == VT_UNKNOWN) && src->punkVal) {
            src->punkVal->AddRef();
        }
    }
    VariantClear(dst);
    *dst = copy;
    return S_OK;
}

namespace {

// Reads a numeric source (after dereferencing) as a double; false if not numeric.
bool AsDouble(const VARIANT& v, double& out) {
    switch (v.vt) {
    case VT_EMPTY: out = 0; return true;
    case VT_I1: out = v.cVal; return true;
    case VT_UI1: out = v.bVal; return true;
    case VT_I2: out = v.iVal; return true;
    case VT_UI2: out = v.uiVal; return true;
    case VT_I4: case VT_INT: out = v.lVal; return true;
    case VT_UI4: case VT_UINT: out = v.ulVal; return true;
    case VT_I8: out = static_cast<double>(v.llVal); return true;
    case VT_UI8: out = static_cast<double>(v.ullVal); return true;
    case VT_R4: out = v.fltVal; return true;
    case VT_R8: case VT_DATE: out = v.dblVal; return true;
    case VT_BOOL: out = v.boolVal ? -1.0 : 0.0; return true;
    default: return false;
    }
}

HRESULT ParseNumber(BSTR text, double& out) {
    const std::string s = platform::Utf8FromWide(platform::WideView(text ? text : u"", SysStringLen(text)));
    if (s == "True" || s == "true" || s == "#TRUE#") {
        out = -1;
        return S_OK;
    }
    if (s == "False" || s == "false" || s == "#FALSE#") {
        out = 0;
        return S_OK;
    }
    const char* begin = s.c_str();
    char* end = nullptr;
    errno = 0;
    out = std::strtod(begin, &end);
    if (end == begin)
        return DISP_E_TYPEMISMATCH;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end)
        return DISP_E_TYPEMISMATCH;
    if (errno == ERANGE || !std::isfinite(out))
        return DISP_E_OVERFLOW;
    return S_OK;
}

HRESULT ToInteger(double d, double lo, double hi, double& out) {
    if (std::isnan(d))
        return DISP_E_OVERFLOW;
    const double r = std::nearbyint(d); // banker's rounding, as automation does
    if (r < lo || r > hi)
        return DISP_E_OVERFLOW;
    out = r;
    return S_OK;
}

BSTR FormatNumber(const VARIANT& v, double d) {
    char text[64];
    switch (v.vt) {
    case VT_BOOL:
        return SysAllocString(v.boolVal ? u"True" : u"False");
    case VT_R4:
    case VT_R8:
    case VT_DATE:
        std::snprintf(text, sizeof text, "%.15g", d);
        break;
    case VT_I8:
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(v.llVal));
        break;
    case VT_UI8:
        std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(v.ullVal));
        break;
    default:
        std::snprintf(text, sizeof text, "%.0f", d);
        break;
    }
    const platform::WideString wide = platform::WideFromUtf8(text);
    return SysAllocString(wide.c_str());
}

} // namespace

extern "C" HRESULT VariantChangeTypeEx(VARIANTARG* dst, const VARIANTARG* src, LCID, USHORT flags,
                                       VARTYPE vt) {
    return VariantChangeType(dst, src, flags, vt);
}

extern "C" HRESULT VariantChangeType(VARIANTARG* dst, const VARIANTARG* source, USHORT,
                                     VARTYPE vt) {
    if (!dst || !source)
        return E_INVALIDARG;
    // Dereference a by-reference source into a plain value first.
    VARIANT src;
    VariantInit(&src);
    if (source->vt & VT_BYREF) {
        if (!source->byref)
            return E_INVALIDARG;
        const VARTYPE base = source->vt & ~VT_BYREF;
        if (base == VT_VARIANT)
            return VariantChangeType(dst, source->pvarVal, 0, vt);
        src.vt = base;
        switch (base) {
        case VT_I2: src.iVal = *source->piVal; break;
        case VT_I4: src.lVal = *source->plVal; break;
        case VT_R8: case VT_DATE: src.dblVal = *source->pdblVal; break;
        case VT_BOOL: src.boolVal = *source->pboolVal; break;
        case VT_BSTR: src.bstrVal = *source->pbstrVal; break;
        case VT_DISPATCH: src.pdispVal = *source->ppdispVal; break;
        case VT_UNKNOWN: src.punkVal = *source->ppunkVal; break;
        case VT_UI1: src.bVal = *source->pbVal; break;
        default: return DISP_E_BADVARTYPE;
        }
    } else {
        src = *source;
    }

    VARIANT out;
    VariantInit(&out);
    HRESULT hr = S_OK;
    if (vt == src.vt || vt == VT_VARIANT) {
        hr = VariantCopy(&out, &src);
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if (src.vt != VT_DISPATCH && src.vt != VT_UNKNOWN)
            return DISP_E_TYPEMISMATCH;
        out.vt = vt;
        if (src.punkVal) {
            void* p = nullptr;
            hr = src.punkVal->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &p);
            if (FAILED(hr))
                return DISP_E_TYPEMISMATCH;
            out.punkVal = static_cast<IUnknown*>(p);
        }
    } else if (vt == VT_BSTR) {
        double d = 0;
        if (!AsDouble(src, d))
            return DISP_E_TYPEMISMATCH;
        out.vt = VT_BSTR;
        out.bstrVal = src.vt == VT_EMPTY ? SysAllocString(u"") : FormatNumber(src, d);
        if (!out.bstrVal)
            return E_OUTOFMEMORY;
    } else {
        double d = 0;
        if (src.vt == VT_BSTR) {
            hr = ParseNumber(src.bstrVal, d);
        } else if (!AsDouble(src, d)) {
            hr = DISP_E_TYPEMISMATCH;
        }
        if (FAILED(hr))
            return hr;
        double r = 0;
        out.vt = vt;
        switch (vt) {
        case VT_I1: hr = ToInteger(d, -128, 127, r); out.cVal = static_cast<CHAR>(r); break;
        case VT_UI1: hr = ToInteger(d, 0, 255, r); out.bVal = static_cast<BYTE>(r); break;
        case VT_I2: hr = ToInteger(d, -32768, 32767, r); out.iVal = static_cast<SHORT>(r); break;
        case VT_UI2: hr = ToInteger(d, 0, 65535, r); out.uiVal = static_cast<USHORT>(r); break;
        case VT_I4:
        case VT_INT:
            hr = ToInteger(d, -2147483648.0, 2147483647.0, r);
            out.lVal = static_cast<LONG>(r);
            break;
        case VT_UI4:
        case VT_UINT:
            hr = ToInteger(d, 0, 4294967295.0, r);
            out.ulVal = static_cast<ULONG>(r);
            break;
        case VT_I8:
            hr = ToInteger(d, -9223372036854775808.0, 9223372036854774784.0, r);
            out.llVal = static_cast<LONGLONG>(r);
            break;
        case VT_R4:
            if (std::fabs(d) > std::numeric_limits<float>::max() && std::isfinite(d))
                hr = DISP_E_OVERFLOW;
            out.fltVal = static_cast<float>(d);
            break;
        case VT_R8:
        case VT_DATE:
            out.dblVal = d;
            break;
        case VT_BOOL:
            out.boolVal = d != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        default:
            return DISP_E_BADVARTYPE;
        }
        if (FAILED(hr))
            return hr;
    }
    if (FAILED(hr))
        return hr;
    VariantClear(dst);
    *dst = out;
    return S_OK;
}
