// Interface names used in fault names ("<Class>.<Interface>") and the IIDs
// each interface answers besides its own (those of its base interfaces).
#pragma once

#include "../platform/base/text.h"
#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

#include <string_view>

namespace trackersim {

template <class I> inline constexpr platform::WideView kInterfaceName = TEXT("");

#define TRACKERSIM_INTERFACE_NAME(T)                                                               \
    template <> inline constexpr platform::WideView kInterfaceName<tracker::T> = TEXT("") #T;
TRACKERSIM_INTERFACE_NAME(TrackerConnection)
TRACKERSIM_INTERFACE_NAME(Tracker)
TRACKERSIM_INTERFACE_NAME(TrackerModel)
TRACKERSIM_INTERFACE_NAME(Measurements)
TRACKERSIM_INTERFACE_NAME(MeasurementStatus)
TRACKERSIM_INTERFACE_NAME(MeasurementStatusDetail)
TRACKERSIM_INTERFACE_NAME(MeasurementCollection)
TRACKERSIM_INTERFACE_NAME(Measurement)
TRACKERSIM_INTERFACE_NAME(Position)
TRACKERSIM_INTERFACE_NAME(RmsPosition)
TRACKERSIM_INTERFACE_NAME(Direction)
TRACKERSIM_INTERFACE_NAME(Rotation)
TRACKERSIM_INTERFACE_NAME(RmsMeasurement)
TRACKERSIM_INTERFACE_NAME(PositionMeasurement)
TRACKERSIM_INTERFACE_NAME(DirectionalMeasurement)
TRACKERSIM_INTERFACE_NAME(SixDofMeasurement)
TRACKERSIM_INTERFACE_NAME(Target)
TRACKERSIM_INTERFACE_NAME(TargetCollection)
TRACKERSIM_INTERFACE_NAME(Tip)
TRACKERSIM_INTERFACE_NAME(TipContainer)
TRACKERSIM_INTERFACE_NAME(Probe)
TRACKERSIM_INTERFACE_NAME(ProbeTarget)
TRACKERSIM_INTERFACE_NAME(Reflector)
TRACKERSIM_INTERFACE_NAME(CustomReflector)
TRACKERSIM_INTERFACE_NAME(RadiusTarget)
TRACKERSIM_INTERFACE_NAME(TargetGeometry)
TRACKERSIM_INTERFACE_NAME(RadiusTargetInfo)
TRACKERSIM_INTERFACE_NAME(Trigger)
TRACKERSIM_INTERFACE_NAME(ProbeButtonTrigger)
TRACKERSIM_INTERFACE_NAME(StableProbingTrigger)
TRACKERSIM_INTERFACE_NAME(TriggerCollection)
TRACKERSIM_INTERFACE_NAME(ProbeButtonEventArgs)
TRACKERSIM_INTERFACE_NAME(TrackerError)
TRACKERSIM_INTERFACE_NAME(TrackerWarning)
TRACKERSIM_INTERFACE_NAME(TrackerInformation)
TRACKERSIM_INTERFACE_NAME(OverviewCamera)
TRACKERSIM_INTERFACE_NAME(ScalarValue)
TRACKERSIM_INTERFACE_NAME(CoordinateValue)
TRACKERSIM_INTERFACE_NAME(SizeValue)
TRACKERSIM_INTERFACE_NAME(NumericSetting)
TRACKERSIM_INTERFACE_NAME(UnitValue)
TRACKERSIM_INTERFACE_NAME(BoolSwitch)
TRACKERSIM_INTERFACE_NAME(BoolState)
TRACKERSIM_INTERFACE_NAME(TrackerException)
TRACKERSIM_INTERFACE_NAME(ScanTarget)
// Facets the tool sheet's pages ask for.
TRACKERSIM_INTERFACE_NAME(MeasurementProfile)
TRACKERSIM_INTERFACE_NAME(StationaryProfile)
TRACKERSIM_INTERFACE_NAME(AreaScanProfile)
TRACKERSIM_INTERFACE_NAME(ContinuousTimeProfile)
TRACKERSIM_INTERFACE_NAME(ContinuousDistanceProfile)
TRACKERSIM_INTERFACE_NAME(CustomProfile)
TRACKERSIM_INTERFACE_NAME(MeasuredTargetInfo)
#undef TRACKERSIM_INTERFACE_NAME
template <>
inline constexpr platform::WideView kInterfaceName<IConnectionPointContainer> =
    TEXT("IConnectionPointContainer");

// Whether interface I answers a query for riid: its own IID or a base's.
template <class I> bool Answers(REFIID riid) {
    return riid == IidOf<I>();
}
template <> inline bool Answers<tracker::CoordinateValue>(REFIID riid) {
    return riid == tracker::CoordinateValue::iid || riid == tracker::ScalarValue::iid;
}
template <> inline bool Answers<tracker::UnitValue>(REFIID riid) {
    return riid == tracker::UnitValue::iid || riid == tracker::NumericSetting::iid;
}
template <> inline bool Answers<tracker::ProbeButtonTrigger>(REFIID riid) {
    return riid == tracker::ProbeButtonTrigger::iid || riid == tracker::Trigger::iid;
}
template <> inline bool Answers<tracker::StableProbingTrigger>(REFIID riid) {
    return riid == tracker::StableProbingTrigger::iid || riid == tracker::Trigger::iid;
}

} // namespace trackersim
