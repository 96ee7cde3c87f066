// Triggers: the probe's buttons and stable probing.
#pragma once

#include "values.h"

namespace tracker {

struct Trigger : IDispatch {
    static constexpr IID iid = {0x5C58BCC5, 0x3705, 0x4009, {0xAB, 0x0E, 0x42, 0x16, 0xA6, 0x8F, 0xA0, 0xBA}};
    // The string that identifies this trigger among the tracker's triggers.
    virtual HRESULT STDMETHODCALLTYPE get_Identity(BSTR* identity) = 0;
};

struct ProbeButtonTrigger : Trigger {
    static constexpr IID iid = {0x99769529, 0x2A03, 0x4B90, {0xA2, 0x62, 0x7D, 0x8C, 0xD3, 0x5B, 0x6A, 0x5B}};
};

struct StableProbingTrigger : Trigger {
    static constexpr IID iid = {0x5D8937CF, 0x56E7, 0x403F, {0xB6, 0x41, 0x10, 0x51, 0xDE, 0xAA, 0x34, 0x06}};
    virtual HRESULT STDMETHODCALLTYPE get_Enabled(BoolSwitch** onOff) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Time(NumericSetting** time) = 0;
};

struct TriggerCollection : IDispatch {
    static constexpr IID iid = {0x893DF176, 0xB0CF, 0x466A, {0x9F, 0xA1, 0xFA, 0x00, 0xAF, 0xAC, 0xAF, 0x36}};
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(LONG index, Trigger** item) = 0;
};

// Arguments of a probe button event. ButtonState 2 means pressed.
struct ProbeButtonEventArgs : IDispatch {
    static constexpr IID iid = {0x8FEBFDF4, 0xA443, 0x40F9, {0xA2, 0xC9, 0x2A, 0xD3, 0x21, 0x59, 0xD4, 0x66}};
    virtual HRESULT STDMETHODCALLTYPE get_ButtonIndex(LONG* index) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ButtonState(LONG* state) = 0;
};

} // namespace tracker
