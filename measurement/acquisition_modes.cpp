// Probing state, acquisition modes and the tracker's measurement requests.
#include "measurement/library_reads.h"
#include "plugin/CQWandDevice.h"
#include "plugin/device_trace.h"

#include <algorithm>
#include <iterator>

using namespace tracker;

int CQWandDevice::StartProbeMeasure() {
    if (m_state != 1)
        return 0;
    m_state = 2;
    RefreshMetaTemplate();
    TracePostedRecords("before probing started");
    QNTRACE("probing started (acquisition mode %u)", static_cast<unsigned>(m_acqMode));
    return 1;
}

int CQWandDevice::StopProbeMeasure() {
    // A continuous measurement keeps running on the tracker; its points are dropped.
    if (m_state == 2) {
        m_state = 1;
        TracePostedRecords("while probing");
        QNTRACE("probing stopped");
    }
    return 1;
}

void CQWandDevice::SetProbeAcqMode(uint32_t mode) {
    if (m_acqMode == 1 && m_continuousRunning)
        StopContinuousMeasurement();
    m_acqMode = mode;
    if (m_state == 2)
        RefreshMetaTemplate();
}

void CQWandDevice::RefreshMetaTemplate() {
    m_metaTemplate.Reset();
    GetProbeSize(&m_metaTemplate.probeSize);
    // The library declares char*, not const char*: it is given a writable copy.
    char name[sizeof kDeviceName];
    std::copy(std::begin(kDeviceName), std::end(kDeviceName), name);
    m_metaTemplate.SetDeviceName(name);
}

bool CQWandDevice::MeasureSinglePoint() {
    if (!m_tracker)
        return true;
    try {
        ComPtr<Measurements> measurements = Require(m_tracker, &Tracker::get_Measurements);
        ComPtr<Measurement> measurement;
        ThrowIfFailed(measurements->Measure(measurement.Put()));
        OnMeasurement(measurement.Get());
        return true;
    } catch (const ComError&) {
        return false;
    }
}

bool CQWandDevice::StartContinuousMeasurement() {
    if (m_state != 2 || m_acqMode != 1)
        return false;
    if (!m_tracker) {
        m_continuousRunning = true;
        return true;
    }
    try {
        ThrowIfFailed(Require(m_tracker, &Tracker::get_Measurements)->StartMeasurement());
    } catch (const ComError&) {
        return false;
    }
    m_continuousRunning = true;
    return true;
}

bool CQWandDevice::StopContinuousMeasurement() {
    if (m_state != 2 || m_acqMode != 1)
        return false;
    if (!m_tracker) {
        m_continuousRunning = false;
        return true;
    }
    try {
        ThrowIfFailed(Require(m_tracker, &Tracker::get_Measurements)->StopMeasurement());
    } catch (const ComError&) {
        return false;
    }
    m_continuousRunning = false;
    return true;
}
