// The tracker's power supply: its source and level, each with change events.
#pragma once

#include "../../platform/com/com.h"

namespace tracker {

// Fires the power source's events (Changed: sender, 32-bit code).
struct PowerSource : IDispatch {
    static constexpr IID iid = {
        0x6558355B, 0xFCA7, 0x4D78, {0xB8, 0xB8, 0xFA, 0x32, 0x11, 0x6D, 0x52, 0xEA}};
    // 0 mains, 1 battery.
    virtual HRESULT STDMETHODCALLTYPE get_Value(LONG* code) = 0;
};

// Fires the power level's events (Changed: sender, double).
struct PowerLevel : IDispatch {
    static constexpr IID iid = {
        0x782725D7, 0xDFD3, 0x4955, {0x8A, 0x4D, 0x18, 0xAC, 0x16, 0x0B, 0x7A, 0xE6}};
    // Percent.
    virtual HRESULT STDMETHODCALLTYPE get_Value(double* level) = 0;
};

struct PowerStatus : IDispatch {
    static constexpr IID iid = {
        0x4995AA1B, 0x4691, 0x4545, {0xAE, 0x99, 0x25, 0x51, 0xF4, 0x20, 0xDC, 0xFB}};
    virtual HRESULT STDMETHODCALLTYPE get_Source(PowerSource** source) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Level(PowerLevel** level) = 0;
};

} // namespace tracker
