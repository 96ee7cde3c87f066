// The root of the tracker library's object tree: the connection and the tracker.
#pragma once

#include "camera.h"
#include "inclination.h"
#include "library_ids.h"
#include "measurements.h"
#include "positioning.h"
#include "power.h"
#include "targets.h"
#include "triggers.h"
#include "values.h"

namespace tracker {

struct Tracker : IDispatch {
    static constexpr IID iid = {0x77C2929E, 0x9817, 0x4B3E, {0xBC, 0xAD, 0xD5, 0xA1, 0x5F, 0x47, 0x70, 0x76}};
    virtual HRESULT STDMETHODCALLTYPE Disconnect() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Measurements(Measurements** measurements) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TargetCollection(TargetCollection** targets) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TriggerCollection(TriggerCollection** triggers) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OverviewCamera(OverviewCamera** camera) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_InclinationSensor(InclinationSensor** sensor) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PowerStatus(PowerStatus** status) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ReflectorFinder(ReflectorFinder** finder) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OverviewCameraStream(OverviewCameraStream** stream) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TrackerAngles(TrackerAngles** angles) = 0;
    // Moves the head at signed speeds until stopped (both 0).
    virtual HRESULT STDMETHODCALLTYPE Move(LONG horizontalSpeed, LONG verticalSpeed) = 0;
    virtual HRESULT STDMETHODCALLTYPE PositionTo(VARIANT_BOOL search, VARIANT_BOOL relative,
                                                 double value1, double value2, double value3,
                                                 IDispatch** result) = 0;
    // Points at the target (a target's handle, or a target); gives the target found.
    virtual HRESULT STDMETHODCALLTYPE PositionToTarget(IDispatch* target, VARIANT_BOOL relative,
                                                       double value1, double value2,
                                                       double value3, Target** found) = 0;
};

// The tracker's second interface: facts about the hardware.
struct TrackerModel : IDispatch {
    static constexpr IID iid = {0x5DA3AAB9, 0x5552, 0x48AB, {0x8B, 0x08, 0xE8, 0xE3, 0x0D, 0xF9, 0x2E, 0xA6}};
    virtual HRESULT STDMETHODCALLTYPE get_QuickRelease(BoolState** state) = 0;
};

struct TrackerConnection : IDispatch {
    static constexpr IID iid = {
        0x374D9561, 0x9826, 0x43E7, {0x8B, 0x19, 0xF2, 0xC4, 0xDD, 0xDA, 0x0A, 0x23}};
    virtual HRESULT STDMETHODCALLTYPE Connect(BSTR address, Tracker** tracker) = 0;
};

} // namespace tracker
