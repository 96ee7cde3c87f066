// The inclination sensor: orienting the tracker to gravity, monitoring the
// inclination, single inclination measurements.
#pragma once

#include "values.h"

namespace tracker {

// Rot X and Rot Y of an inclination.
struct Inclination : IDispatch {
    static constexpr IID iid = {
        0x010FDB70, 0x0978, 0x41A9, {0xA0, 0x15, 0x26, 0x42, 0xA9, 0xA5, 0x6A, 0x7C}};
    virtual HRESULT STDMETHODCALLTYPE get_RotX(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RotY(ScalarValue** value) = 0;
};

// The result of orienting to gravity.
struct InclinationToGravity : IDispatch {
    static constexpr IID iid = {
        0x2C217C42, 0x16E2, 0x4DE7, {0xA5, 0x67, 0x08, 0x44, 0xE8, 0x74, 0x05, 0xAD}};
    virtual HRESULT STDMETHODCALLTYPE get_RotX(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RotY(ScalarValue** value) = 0;
};

// Fires InclinationMonitoringEvents (InclinationChanged) while switched on.
struct InclinationMonitoring : IDispatch {
    static constexpr IID iid = {
        0xD581872E, 0xC502, 0x430C, {0xA3, 0x3E, 0x33, 0xAA, 0xBE, 0x27, 0x9B, 0x66}};
    virtual HRESULT STDMETHODCALLTYPE get_Enabled(BoolSwitch** onOff) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentInclination(Inclination** inclination) = 0;
    // "Threshold Exceeded"; fires BoolChangedEvents.
    virtual HRESULT STDMETHODCALLTYPE get_ThresholdExceeded(BoolState** exceeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Threshold(NumericSetting** threshold) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Interval(NumericSetting** interval) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

// Fires InclinationSensorEvents (GetInclinationToGravityFinished).
struct InclinationSensor : IDispatch {
    static constexpr IID iid = {
        0x2371D364, 0xF77E, 0x45CB, {0xAA, 0x06, 0x18, 0xA1, 0x3D, 0x68, 0x04, 0xC7}};
    // "Inclined to gravity"; fires SwitchChangedEvents.
    virtual HRESULT STDMETHODCALLTYPE get_InclinationSwitch(BoolSwitch** onOff) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_InclinationToGravity(InclinationToGravity** last) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Monitoring(InclinationMonitoring** monitoring) = 0;
    // Orients to gravity and waits for the result.
    virtual HRESULT STDMETHODCALLTYPE OrientToGravity(InclinationToGravity** result) = 0;
    // Starts orienting; the end comes as GetInclinationToGravityFinished.
    virtual HRESULT STDMETHODCALLTYPE BeginOrientToGravity() = 0;
    virtual HRESULT STDMETHODCALLTYPE Measure(Inclination** inclination) = 0;
};

} // namespace tracker
