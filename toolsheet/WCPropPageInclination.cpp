// The inclination page's life: its controls, its stored settings, and its
// event connections to the sensor while a tracker is connected.
#include "toolsheet/WCPropPageInclination.h"

#include "measurement/library_reads.h"
#include "platform/com/connection_advise.h"
#include "plugin/CQWandDevice.h"
#include "plugin/WCInclinationEventSink.h"
#include "plugin/sink_lifetime.h"
#include "settings/CQNRegistry.h"
#include "toolsheet/page_support.h"

using namespace tracker;

namespace {

enum Connection { kSwitchEvents, kThresholdEvents, kMonitoringEvents, kSensorEvents };

// The four event sources, read anew from the sensor.
struct EventSources {
    ComPtr<BoolSwitch> inclinationSwitch;
    ComPtr<BoolState> thresholdExceeded; // may be absent
    ComPtr<InclinationMonitoring> monitoring;
    ComPtr<InclinationSensor> sensor;
};

EventSources ReadEventSources(const ComPtr<InclinationSensor>& sensor) {
    EventSources sources;
    sources.sensor = sensor;
    sources.inclinationSwitch = Require(sensor, &InclinationSensor::get_InclinationSwitch);
    sources.monitoring = Require(sensor, &InclinationSensor::get_Monitoring);
    sources.thresholdExceeded =
        Read(sources.monitoring, &InclinationMonitoring::get_ThresholdExceeded);
    return sources;
}

CString FormatNumber(double value) {
    CString text;
    text.Format(TEXT("%g"), value);
    return text;
}

} // namespace

WCPropPageInclination::WCPropPageInclination(CQWandDevice* device)
    : CPropertyPage(IDD), m_device(device) {}

// A page deleted with its events still connected (a failed disconnect) cuts
// its sink off, so no event reaches a deleted page.
WCPropPageInclination::~WCPropPageInclination() {
    if (!m_sink)
        return;
    try {
        DisconnectEvents();
    } catch (const ComError&) {
        m_sinkDisp.Reset();
        DestroySink(m_sink);
    }
}

BEGIN_MESSAGE_MAP(WCPropPageInclination, CPropertyPage)
ON_BN_CLICKED(IDC_MONITOR_START, &WCPropPageInclination::OnStartMonitoring)
ON_BN_CLICKED(IDC_MONITOR_STOP, &WCPropPageInclination::OnStopMonitoring)
ON_BN_CLICKED(IDC_MONITOR_RESET, &WCPropPageInclination::OnResetMonitoring)
ON_BN_CLICKED(IDC_ORIENT_SYNCHRON, &WCPropPageInclination::OnOrientSynchron)
ON_BN_CLICKED(IDC_ORIENT_ASYNCHRON, &WCPropPageInclination::OnOrientAsynchron)
ON_BN_CLICKED(IDC_INCLINATION_MEASURE, &WCPropPageInclination::OnMeasure)
ON_BN_CLICKED(IDC_USE_INCLINATION, &WCPropPageInclination::OnUseInclinationClicked)
ON_EN_CHANGE(IDC_INTERVAL, &WCPropPageInclination::OnIntervalChanged)
ON_EN_CHANGE(IDC_THRESHOLD, &WCPropPageInclination::OnThresholdChanged)
END_MESSAGE_MAP()

void WCPropPageInclination::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_USE_INCLINATION, m_useOTG);
    DDX_Control(pDX, IDC_THRESHOLD, m_threshold);
    DDX_Control(pDX, IDC_INTERVAL, m_interval);
    DDX_Control(pDX, IDC_GRAVITY_ROTX, m_gravityRotX);
    DDX_Control(pDX, IDC_GRAVITY_ROTX_UNIT, m_gravityRotXUnit);
    DDX_Control(pDX, IDC_GRAVITY_ROTY, m_gravityRotY);
    DDX_Control(pDX, IDC_GRAVITY_ROTY_UNIT, m_gravityRotYUnit);
    DDX_Control(pDX, IDC_CURRENT_ROTX, m_currentRotX);
    DDX_Control(pDX, IDC_CURRENT_ROTY, m_currentRotY);
    DDX_Control(pDX, IDC_CURRENT_ROTX_UNIT, m_currentRotXUnit);
    DDX_Control(pDX, IDC_CURRENT_ROTY_UNIT, m_currentRotYUnit);
    DDX_Control(pDX, IDC_MEASURED_ROTX, m_measuredRotX);
    DDX_Control(pDX, IDC_MEASURED_ROTY, m_measuredRotY);
    DDX_Control(pDX, IDC_MEASURED_ROTX_UNIT, m_measuredRotXUnit);
    DDX_Control(pDX, IDC_MEASURED_ROTY_UNIT, m_measuredRotYUnit);
}

BOOL WCPropPageInclination::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    if (m_initialized)
        return TRUE;
    m_initialized = TRUE;
    // A library error shows its description; the stored settings load anyway.
    try {
        OnTrackerConnected();
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
    LoadSettings();
    return TRUE;
}

// Each stored value is shown and sent once: the edits' change handlers stay
// quiet while the load puts the texts in, and a value the sensor refuses is
// reported on its own without keeping the next one from loading.
void WCPropPageInclination::LoadSettings() {
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    // The stored switch state is shown, not sent to the tracker.
    DWORD useOTG = 0;
    if (registry.ReadDword(TEXT("useOTG"), useOTG))
        m_useOTG.SetCheck(useOTG ? BST_CHECKED : BST_UNCHECKED);
    RegString text;
    if (registry.ReadString(TEXT("interval"), text)) {
        m_loading = true;
        m_interval.SetWindowText(text.c_str());
        m_loading = false;
        Reporting([&] { ApplyInterval(); });
    }
    if (registry.ReadString(TEXT("threshold"), text)) {
        m_loading = true;
        m_threshold.SetWindowText(text.c_str());
        m_loading = false;
        Reporting([&] { ApplyThreshold(); });
    }
}

// Saves only when the page's window was initialised during this open; an
// empty edit keeps the stored text.
void WCPropPageInclination::SaveSettings() {
    if (!m_initialized || !GetSafeHwnd())
        return;
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    registry.WriteDword(TEXT("useOTG"), m_useOTG.GetCheck() == BST_CHECKED ? 1 : 0);
    CString text;
    m_interval.GetWindowText(text);
    if (!text.IsEmpty())
        registry.WriteString(TEXT("interval"), text.Str());
    m_threshold.GetWindowText(text);
    if (!text.IsEmpty())
        registry.WriteString(TEXT("threshold"), text.Str());
}

// The tracker's inclination sensor; null without a tracker or sensor.
ComPtr<InclinationSensor> WCPropPageInclination::Sensor() {
    if (!m_device || !m_device->m_tracker)
        return nullptr;
    return Read(m_device->m_tracker, &Tracker::get_InclinationSensor);
}

bool WCPropPageInclination::IsSensorAvailable(bool needSwitch, bool needMonitoring) {
    if (!m_initialized)
        return false;
    ComPtr<InclinationSensor> sensor = Sensor();
    if (!sensor)
        return false;
    if (needSwitch && !Read(sensor, &InclinationSensor::get_InclinationSwitch))
        return false;
    if (needMonitoring)
        return static_cast<bool>(Read(sensor, &InclinationSensor::get_Monitoring));
    return true;
}

void WCPropPageInclination::OnTrackerConnected() {
    if (!IsSensorAvailable(false, true))
        return;
    ComPtr<InclinationMonitoring> monitoring =
        Require(Sensor(), &InclinationSensor::get_Monitoring);
    ComPtr<NumericSetting> interval = Read(monitoring, &InclinationMonitoring::get_Interval);
    ComPtr<NumericSetting> threshold = Read(monitoring, &InclinationMonitoring::get_Threshold);
    if (!interval || !threshold)
        return;
    // Each edit sends its new text back to the sensor.
    m_interval.SetWindowText(FormatNumber(ValueOf(interval)));
    m_threshold.SetWindowText(FormatNumber(ValueOf(threshold)));
    ConnectEvents();
}

void WCPropPageInclination::ConnectEvents() {
    if (!IsSensorAvailable(true, true))
        return;
    const EventSources sources = ReadEventSources(Sensor());
    if (m_sink) { // a second connect without a disconnect between
        m_sinkDisp.Reset();
        DestroySink(m_sink);
    }
    m_sink = new WCInclinationEventSink(m_device);
    m_sinkDisp = ComPtr<IDispatch>::Attach(m_sink->GetIDispatch(TRUE));
    IDispatch* sink = m_sinkDisp.Get();
    AfxConnectionAdvise(sources.inclinationSwitch.Get(), IID_SwitchChangedEvents, sink, TRUE,
                        &m_cookies[kSwitchEvents]);
    if (sources.thresholdExceeded)
        AfxConnectionAdvise(sources.thresholdExceeded.Get(), IID_BoolChangedEvents, sink, TRUE,
                            &m_cookies[kThresholdEvents]);
    AfxConnectionAdvise(sources.monitoring.Get(), IID_InclinationMonitoringEvents, sink, TRUE,
                        &m_cookies[kMonitoringEvents]);
    AfxConnectionAdvise(sources.sensor.Get(), IID_InclinationSensorEvents, sink, TRUE,
                        &m_cookies[kSensorEvents]);
}

// Unadvises from the sources read anew, then destroys the sink.
void WCPropPageInclination::DisconnectEvents() {
    if (m_sink && IsSensorAvailable(true, true)) {
        const EventSources sources = ReadEventSources(Sensor());
        IDispatch* sink = m_sinkDisp.Get();
        AfxConnectionUnadvise(sources.inclinationSwitch.Get(), IID_SwitchChangedEvents, sink, TRUE,
                              m_cookies[kSwitchEvents]);
        if (sources.thresholdExceeded)
            AfxConnectionUnadvise(sources.thresholdExceeded.Get(), IID_BoolChangedEvents, sink,
                                  TRUE, m_cookies[kThresholdEvents]);
        AfxConnectionUnadvise(sources.monitoring.Get(), IID_InclinationMonitoringEvents, sink, TRUE,
                              m_cookies[kMonitoringEvents]);
        AfxConnectionUnadvise(sources.sensor.Get(), IID_InclinationSensorEvents, sink, TRUE,
                              m_cookies[kSensorEvents]);
    }
    // A sink whose sources are gone is cut off from the device instead.
    m_sinkDisp.Reset();
    DestroySink(m_sink);
}

void WCPropPageInclination::OnTrackerDisconnecting() {
    if (!IsSensorAvailable(true, true)) {
        m_sinkDisp.Reset();
        DestroySink(m_sink);
        return;
    }
    DisconnectEvents();
    for (CStatic* text : {&m_gravityRotX, &m_gravityRotXUnit, &m_gravityRotY, &m_gravityRotYUnit,
                          &m_currentRotX, &m_currentRotY, &m_currentRotXUnit, &m_currentRotYUnit})
        text->SetWindowText(TEXT(""));
}
