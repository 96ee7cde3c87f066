#include "positioning.h"

#include "errors.h"
#include "hardware.h"
#include "measurements.h"
#include "scenarios.h"
#include "targets.h"
#include "values.h"

#include "../platform/ui/clock.h"

#include <algorithm>

namespace trackersim {
namespace {

Head& TheHead() {
    return TheHardware().head;
}

class ReflectorFinderObject final : public ComObject<tracker::ReflectorFinder> {
public:
    ReflectorFinderObject() : ComObject(TEXT("ReflectorFinder")) {}
    HRESULT STDMETHODCALLTYPE Start(IDispatch** result) override {
        if (result)
            *result = nullptr;
        if (HRESULT hr = Enter(TEXT("ReflectorFinder.Start")); FAILED(hr))
            return hr;
        ++TheHead().reflectorSearches;
        // The search ends on the selected target: its measurement is the result.
        if (result)
            *result = CreateMeasurement(NextSample()).Detach();
        return S_OK;
    }
};

// The angles are read when asked, so a moved head needs no new object.
class TrackerAnglesObject final : public ComObject<tracker::TrackerAngles> {
public:
    TrackerAnglesObject() : ComObject(TEXT("TrackerAngles")) {}
    HRESULT STDMETHODCALLTYPE get_Angle1(tracker::ScalarValue** value) override {
        UpdateHead();
        return GiveObject<tracker::ScalarValue>(
            TEXT("TrackerAngles.get_Angle1"),
            Make<ScalarObject>(TheHead().angle1, TEXT("Horizontal angle"), TEXT("rad"))->Self(),
            value);
    }
    HRESULT STDMETHODCALLTYPE get_Angle2(tracker::ScalarValue** value) override {
        UpdateHead();
        return GiveObject<tracker::ScalarValue>(
            TEXT("TrackerAngles.get_Angle2"),
            Make<ScalarObject>(TheHead().angle2, TEXT("Vertical angle"), TEXT("rad"))->Self(),
            value);
    }
};

} // namespace

ComPtr<tracker::ReflectorFinder> CreateReflectorFinder() {
    return ComPtr<tracker::ReflectorFinder>(Make<ReflectorFinderObject>()->Self());
}

ComPtr<tracker::TrackerAngles> CreateTrackerAngles() {
    return ComPtr<tracker::TrackerAngles>(Make<TrackerAnglesObject>()->Self());
}

void RecordPointing(int target, bool search, bool relative, const double (&values)[3]) {
    PositionRequest& last = TheHead().lastPositionTo;
    const int32_t count = last.count + 1;
    last = PositionRequest{count, target, search, relative, {values[0], values[1], values[2]}};
}

void UpdateHead() {
    constexpr double kRadiansPerSpeedSecond = 0.005;
    Head& head = TheHead();
    const uint64_t now = platform::CurrentClock().NowMs();
    const double seconds = now > head.anglesAtMs ? (now - head.anglesAtMs) / 1000.0 : 0.0;
    head.anglesAtMs = now;
    if (head.horizontalSpeed == 0 && head.verticalSpeed == 0)
        return;
    head.angle1 += head.horizontalSpeed * kRadiansPerSpeedSecond * seconds;
    head.angle2 = std::clamp(head.angle2 + head.verticalSpeed * kRadiansPerSpeedSecond * seconds,
                             0.0, 3.141592653589793);
}

HRESULT MoveHead(LONG horizontalSpeed, LONG verticalSpeed) {
    if (HRESULT hr = Enter(TEXT("Tracker.Move")); FAILED(hr))
        return hr;
    UpdateHead();
    TheHead().horizontalSpeed = horizontalSpeed;
    TheHead().verticalSpeed = verticalSpeed;
    return S_OK;
}

HRESULT PositionTo(VARIANT_BOOL search, VARIANT_BOOL relative, const double (&values)[3],
                   IDispatch** result) {
    if (result)
        *result = nullptr;
    if (HRESULT hr = Enter(TEXT("Tracker.PositionTo")); FAILED(hr))
        return hr;
    RecordPointing(-1, search != VARIANT_FALSE, relative != VARIANT_FALSE, values);
    if (result)
        *result = CreateMeasurement(NextSample()).Detach();
    return S_OK;
}

HRESULT PositionToTarget(IDispatch* target, VARIANT_BOOL relative, const double (&values)[3],
                         tracker::Target** found) {
    if (found)
        *found = nullptr;
    if (HRESULT hr = Enter(TEXT("Tracker.PositionToTarget")); FAILED(hr))
        return hr;
    const int index = TargetIndexOf(target);
    if (index < 0)
        return ReportError(E_INVALIDARG, TEXT("The target is not one of the tracker's targets."));
    RecordPointing(index, false, relative != VARIANT_FALSE, values);
    // The target found is the one given, by its identity (whose primary
    // interface is Target): the library's own lookup, not a call of the caller
    // that could fail.
    if (found) {
        ComPtr<IUnknown> identity;
        target->QueryInterface(IID_IUnknown, identity.PutVoid());
        *found = static_cast<tracker::Target*>(identity.Detach());
    }
    return S_OK;
}

} // namespace trackersim
