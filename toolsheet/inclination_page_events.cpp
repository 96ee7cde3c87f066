// What the inclination page shows: the inclination to gravity, the current
// inclination while monitoring, and the sensor's switch and threshold events.
#include "toolsheet/WCPropPageInclination.h"

#include "measurement/library_reads.h"
#include "platform/com/bstr.h"
#include "plugin/CQWandDevice.h"
#include "toolsheet/inclination_texts.h"

using namespace tracker;

namespace {

constexpr WCHAR kInclinedToGravity[] = TEXT("Inclined to gravity");
constexpr WCHAR kThresholdExceeded[] = TEXT("Threshold Exceeded");

template <class Flag> bool NameIs(Flag* flag, const WCHAR* expected) {
    ComBstr name;
    ThrowIfFailed(flag->get_Name(name.Put()));
    return name.Str() == expected;
}

} // namespace

void WCPropPageInclination::ShowInclinationToGravity() {
    if (!m_initialized)
        return;
    ComPtr<InclinationSensor> sensor = Sensor();
    if (!sensor)
        return;
    if (ComPtr<InclinationToGravity> gravity =
            Read(sensor, &InclinationSensor::get_InclinationToGravity)) {
        ComPtr<ScalarValue> rotX = Read(gravity, &InclinationToGravity::get_RotX);
        ComPtr<ScalarValue> rotY = Read(gravity, &InclinationToGravity::get_RotY);
        if (rotX && rotY)
            ShowAngles(rotX, m_gravityRotX, m_gravityRotXUnit, rotY, m_gravityRotY,
                       m_gravityRotYUnit);
    }
    m_orientBusy = false;
}

void WCPropPageInclination::ShowCurrentInclination() {
    if (!IsSensorAvailable(false, true))
        return;
    ComPtr<InclinationMonitoring> monitoring =
        Require(Sensor(), &InclinationSensor::get_Monitoring);
    ComPtr<Inclination> current = Read(monitoring, &InclinationMonitoring::get_CurrentInclination);
    if (!current)
        return;
    ShowAngles(Require(current, &Inclination::get_RotX), m_currentRotX, m_currentRotXUnit,
               Require(current, &Inclination::get_RotY), m_currentRotY, m_currentRotYUnit);
}

// A switch named "Inclined to gravity" refreshes the check box; a raised
// "Threshold Exceeded" flag switches the monitoring off.
void WCPropPageInclination::OnSwitchChanged(IDispatch* sender) {
    if (!sender)
        return;
    if (ComPtr<BoolSwitch> flag = QueryFacet<BoolSwitch>(sender)) {
        const bool inclined = NameIs(flag.Get(), kInclinedToGravity);
        VARIANT_BOOL value = VARIANT_FALSE;
        ThrowIfFailed(flag->get_Value(&value));
        if (inclined)
            SyncInclinationSwitch();
        return;
    }
    ComPtr<BoolState> state = QueryFacet<BoolState>(sender);
    if (!state)
        return;
    const bool exceeded = NameIs(state.Get(), kThresholdExceeded);
    VARIANT_BOOL value = VARIANT_FALSE;
    ThrowIfFailed(state->get_Value(&value));
    if (exceeded && value)
        OnStopMonitoring();
}

void WCPropPageInclination::SyncInclinationSwitch() {
    if (!IsSensorAvailable(true, false))
        return;
    ComPtr<BoolSwitch> inclined = Require(Sensor(), &InclinationSensor::get_InclinationSwitch);
    VARIANT_BOOL value = VARIANT_FALSE;
    ThrowIfFailed(inclined->get_Value(&value));
    m_useOTG.SetCheck(value ? BST_CHECKED : BST_UNCHECKED);
}

void WCPropPageInclination::OnOrientToGravityFinished(CQWandDevice* device, IDispatch* exception) {
    // The completion ends the orient, also when showing its end fails.
    struct EndOrient {
        CQWandDevice* device;
        ~EndOrient() {
            if (device && device->m_inclinationPage)
                device->m_inclinationPage->m_orientBusy = false;
        }
    } end{device};
    if (ComPtr<TrackerException> failure =
            exception ? QueryFacet<TrackerException>(exception) : nullptr) {
        ComBstr description;
        ThrowIfFailed(failure->get_Description(description.Put()));
        LONG number = 0;
        ThrowIfFailed(failure->get_Number(&number));
        CString caption;
        caption.Format(TEXT("#%ld"), number);
        ::MessageBoxW(nullptr, description.Str().c_str(), caption, MB_ICONWARNING | MB_OK);
    }
    if (device && device->m_inclinationPage)
        device->m_inclinationPage->ShowInclinationToGravity();
}
