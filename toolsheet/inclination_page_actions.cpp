// The inclination page's buttons, check box and edits: monitoring, orienting
// to gravity, the inclination switch and single measurements.
#include "toolsheet/WCPropPageInclination.h"

#include "measurement/library_reads.h"
#include "plugin/CQWandDevice.h"
#include "toolsheet/inclination_texts.h"
#include "toolsheet/page_support.h"

using namespace tracker;

// Start and Stop set the monitoring switch to 1 and 0.
void WCPropPageInclination::SetMonitoring(VARIANT_BOOL on) {
    if (!IsSensorAvailable(false, true))
        return;
    ComPtr<InclinationMonitoring> monitoring =
        Require(Sensor(), &InclinationSensor::get_Monitoring);
    if (ComPtr<BoolSwitch> onOff = Read(monitoring, &InclinationMonitoring::get_Enabled))
        ThrowIfFailed(onOff->put_Value(on));
}

void WCPropPageInclination::OnStartMonitoring() {
    Reporting([&] { SetMonitoring(1); });
}

void WCPropPageInclination::OnStopMonitoring() {
    Reporting([&] { SetMonitoring(0); });
}

void WCPropPageInclination::OnResetMonitoring() {
    Reporting([&] {
        if (!IsSensorAvailable(false, true))
            return;
        ComPtr<InclinationMonitoring> monitoring =
            Require(Sensor(), &InclinationSensor::get_Monitoring);
        ComPtr<BoolSwitch> onOff = Read(monitoring, &InclinationMonitoring::get_Enabled);
        if (!onOff)
            return;
        VARIANT_BOOL on = VARIANT_FALSE;
        ThrowIfFailed(onOff->get_Value(&on));
        if (on)
            ThrowIfFailed(monitoring->Reset());
    });
}

void WCPropPageInclination::OnOrientSynchron() {
    Reporting([&] {
        if (m_orientBusy || !m_initialized)
            return;
        ComPtr<InclinationSensor> sensor = Sensor();
        if (!sensor)
            return;
        ComPtr<InclinationToGravity> result;
        ThrowIfFailed(sensor->OrientToGravity(result.Put()));
        result.Reset();
        ShowInclinationToGravity();
    });
}

// The end comes as GetInclinationToGravityFinished; until then both orient
// buttons do nothing.
void WCPropPageInclination::OnOrientAsynchron() {
    Reporting([&] {
        if (m_orientBusy || !m_initialized)
            return;
        ComPtr<InclinationSensor> sensor = Sensor();
        if (!sensor)
            return;
        ThrowIfFailed(sensor->BeginOrientToGravity());
        m_orientBusy = true;
    });
}

void WCPropPageInclination::OnMeasure() {
    Reporting([&] {
        if (!m_initialized)
            return;
        ComPtr<InclinationSensor> sensor = Sensor();
        if (!sensor)
            return;
        ComPtr<Inclination> measured;
        ThrowIfFailed(sensor->Measure(measured.Put()));
        if (!measured)
            return;
        ShowAngles(Require(measured, &Inclination::get_RotX), m_measuredRotX, m_measuredRotXUnit,
                   Require(measured, &Inclination::get_RotY), m_measuredRotY, m_measuredRotYUnit);
    });
}

void WCPropPageInclination::OnUseInclinationClicked() {
    Reporting([&] {
        if (!IsSensorAvailable(true, false))
            return;
        ComPtr<BoolSwitch> inclined = Require(Sensor(), &InclinationSensor::get_InclinationSwitch);
        ThrowIfFailed(inclined->put_Value(m_useOTG.GetCheck() == BST_CHECKED ? 1 : 0));
    });
}

void WCPropPageInclination::OnIntervalChanged() {
    if (!m_loading)
        Reporting([&] { ApplyInterval(); });
}

void WCPropPageInclination::OnThresholdChanged() {
    if (!m_loading)
        Reporting([&] { ApplyThreshold(); });
}

// The typed text goes to the sensor as a number (text that is not one gives
// 0); an empty edit sends nothing.
void WCPropPageInclination::ApplyInterval() {
    if (!IsSensorAvailable(false, true))
        return;
    CString text;
    m_interval.GetWindowText(text);
    if (text.IsEmpty())
        return;
    ComPtr<InclinationMonitoring> monitoring =
        Require(Sensor(), &InclinationSensor::get_Monitoring);
    if (ComPtr<NumericSetting> interval = Read(monitoring, &InclinationMonitoring::get_Interval))
        ThrowIfFailed(interval->put_Value(_wtof(text)));
}

void WCPropPageInclination::ApplyThreshold() {
    if (!IsSensorAvailable(false, true))
        return;
    CString text;
    m_threshold.GetWindowText(text);
    if (text.IsEmpty())
        return;
    ComPtr<InclinationMonitoring> monitoring =
        Require(Sensor(), &InclinationSensor::get_Monitoring);
    if (ComPtr<NumericSetting> threshold = Read(monitoring, &InclinationMonitoring::get_Threshold))
        ThrowIfFailed(threshold->put_Value(_wtof(text)));
}
