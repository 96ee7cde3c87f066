// Value objects of the tracker library: numbers with units, switches, states.
#pragma once

#include "../../platform/com/com.h"

namespace tracker {

struct ScalarValue : IDispatch {
    static constexpr IID iid = {0x94DEF8F3, 0x87DE, 0x46C7, {0xBF, 0xFC, 0xD1, 0xE9, 0xF1, 0xF2, 0xEF, 0x57}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(double* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Unit(BSTR* unit) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
};

// A coordinate of a position, read like a scalar.
struct CoordinateValue : ScalarValue {
    static constexpr IID iid = {0xFB14E76E, 0x3FD4, 0x4075, {0x93, 0x8E, 0x08, 0x52, 0x5D, 0xCB, 0x80, 0xF1}};
};

struct SizeValue : IDispatch {
    static constexpr IID iid = {0x074A6E03, 0xCCC3, 0x4809, {0x95, 0x98, 0x9F, 0x15, 0x3A, 0xED, 0xA5, 0x95}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(double* value) = 0;
};

struct NumericSetting : IDispatch {
    static constexpr IID iid = {0xC7001E1C, 0xA8C4, 0x442F, {0x9C, 0x78, 0x5C, 0x37, 0xBC, 0x43, 0x07, 0x11}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(double* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Value(double value) = 0;
};

struct UnitValue : NumericSetting {
    static constexpr IID iid = {0xD927A70A, 0x3AFD, 0x4989, {0xA5, 0x06, 0xEB, 0x26, 0xF9, 0x27, 0x8F, 0x7C}};
    virtual HRESULT STDMETHODCALLTYPE get_Unit(BSTR* unit) = 0;
};

struct BoolSwitch : IDispatch {
    static constexpr IID iid = {0xF226913B, 0x6774, 0x4F85, {0x9C, 0x6D, 0x0E, 0xC3, 0x64, 0x72, 0xAB, 0x14}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Value(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
};

struct BoolState : IDispatch {
    static constexpr IID iid = {0x6C392702, 0x381C, 0x40A4, {0x84, 0xF1, 0x5A, 0xA9, 0x70, 0x7E, 0x6E, 0x7E}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
};

struct TrackerException : IDispatch {
    static constexpr IID iid = {0x91F5657B, 0x3E11, 0x4EE7, {0xB6, 0xCA, 0xA3, 0xFA, 0xCF, 0xF4, 0x8F, 0xA5}};
    virtual HRESULT STDMETHODCALLTYPE get_Number(LONG* number) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Description(BSTR* description) = 0;
};

} // namespace tracker
