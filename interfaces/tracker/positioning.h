// Pointing the tracker: the reflector search, the head's angles, and what a
// measurement says about the target it measured.
#pragma once

#include "values.h"

namespace tracker {

struct ReflectorFinder : IDispatch {
    static constexpr IID iid = {
        0xB78A019E, 0xAA30, 0x4F56, {0x84, 0x37, 0xF0, 0x9E, 0x82, 0x4E, 0x8D, 0x58}};
    virtual HRESULT STDMETHODCALLTYPE Start(IDispatch** result) = 0;
};

// The head's current pointing angles (radians).
struct TrackerAngles : IDispatch {
    static constexpr IID iid = {
        0x0F831D18, 0xD74E, 0x4710, {0x8F, 0x6A, 0xEF, 0xD3, 0xF0, 0x00, 0xA3, 0x23}};
    virtual HRESULT STDMETHODCALLTYPE get_Angle1(ScalarValue** horizontal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Angle2(ScalarValue** vertical) = 0;
};

// Measurement::get_MeasuredTargetInfo's object.
struct MeasuredTargetInfo : IDispatch {
    static constexpr IID iid = {
        0xB0DCCC68, 0x602F, 0x44ED, {0xBB, 0xC2, 0xE8, 0x17, 0xED, 0x83, 0xA6, 0x17}};
    // Compared with a target's identity.
    virtual HRESULT STDMETHODCALLTYPE get_TargetIdentity(BSTR* identity) = 0;
    // Compared with a probe target's probe identity.
    virtual HRESULT STDMETHODCALLTYPE get_ProbeIdentity(BSTR* identity) = 0;
};

} // namespace tracker
