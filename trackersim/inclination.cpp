#include "inclination.h"

#include "connection_points.h"
#include "errors.h"
#include "hardware.h"
#include "loop_timer.h"
#include "values.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trackersim {
namespace {

Inclinometer& Sensor() {
    return TheHardware().inclinometer;
}

// Inclination and InclinationToGravity read alike: Rot X and Rot Y in degrees.
template <class I> class AnglesObject final : public ComObject<I> {
public:
    AnglesObject(double rotX, double rotY)
        : ComObject<I>(kInterfaceName<I>),
          m_x(Make<ScalarObject>(rotX, TEXT("Rot X"), TEXT("deg"))),
          m_y(Make<ScalarObject>(rotY, TEXT("Rot Y"), TEXT("deg"))) {}
    HRESULT STDMETHODCALLTYPE get_RotX(tracker::ScalarValue** value) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Inclination.get_RotX"), m_x.Get(), value);
    }
    HRESULT STDMETHODCALLTYPE get_RotY(tracker::ScalarValue** value) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Inclination.get_RotY"), m_y.Get(), value);
    }

private:
    ComPtr<ScalarObject> m_x, m_y;
};
using InclinationObject = AnglesObject<tracker::Inclination>;
using GravityObject = AnglesObject<tracker::InclinationToGravity>;

class MonitoringObject;
std::vector<MonitoringObject*>& LiveMonitors() {
    static std::vector<MonitoringObject*> monitors;
    return monitors;
}

LoopTimer& MonitorTimer() {
    static LoopTimer timer;
    return timer;
}

void MonitorTick();

void StartOrStopMonitoring(bool on) {
    if (!on) {
        MonitorTimer().Stop();
        return;
    }
    const double interval = Sensor().interval;
    MonitorTimer().Start(static_cast<uint32_t>(std::max(1.0, std::round(interval))), MonitorTick);
}

class MonitoringObject final : public EventSource<tracker::InclinationMonitoring> {
public:
    MonitoringObject()
        : EventSource(TEXT("InclinationMonitoring"), {tracker::IID_InclinationMonitoringEvents}),
          m_enabled(Make<BoolSwitchObject>(Sensor().monitoring, TEXT("Monitoring"),
                                           StartOrStopMonitoring)),
          m_exceeded(Make<BoolStateObject>(Sensor().thresholdExceeded, TEXT("Threshold Exceeded"))),
          m_threshold(Make<NumericSettingObject>(Sensor().threshold)),
          m_interval(Make<NumericSettingObject>(Sensor().interval)) {
        LiveMonitors().push_back(this);
    }
    ~MonitoringObject() override {
        auto& monitors = LiveMonitors();
        monitors.erase(std::remove(monitors.begin(), monitors.end(), this), monitors.end());
    }

    HRESULT STDMETHODCALLTYPE get_Enabled(tracker::BoolSwitch** onOff) override {
        return GiveObject<tracker::BoolSwitch>(TEXT("InclinationMonitoring.get_Enabled"),
                                               m_enabled->Self(), onOff);
    }
    HRESULT STDMETHODCALLTYPE get_CurrentInclination(tracker::Inclination** inclination) override {
        return GiveObject<tracker::Inclination>(
            TEXT("InclinationMonitoring.get_CurrentInclination"),
            Make<InclinationObject>(Sensor().rotX, Sensor().rotY)->Self(), inclination);
    }
    HRESULT STDMETHODCALLTYPE get_ThresholdExceeded(tracker::BoolState** exceeded) override {
        return GiveObject<tracker::BoolState>(TEXT("InclinationMonitoring.get_ThresholdExceeded"),
                                              m_exceeded->Self(), exceeded);
    }
    HRESULT STDMETHODCALLTYPE get_Threshold(tracker::NumericSetting** threshold) override {
        return GiveObject<tracker::NumericSetting>(TEXT("InclinationMonitoring.get_Threshold"),
                                                   m_threshold.Get(), threshold);
    }
    HRESULT STDMETHODCALLTYPE get_Interval(tracker::NumericSetting** interval) override {
        return GiveObject<tracker::NumericSetting>(TEXT("InclinationMonitoring.get_Interval"),
                                                   m_interval.Get(), interval);
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        if (HRESULT hr = Enter(TEXT("InclinationMonitoring.Reset")); FAILED(hr))
            return hr;
        if (Sensor().thresholdExceeded) {
            Sensor().thresholdExceeded = false;
            ExceededChanged();
        }
        return S_OK;
    }

    // One monitoring report.
    void Report() {
        DeliverEventFrom(this, tracker::IID_InclinationMonitoringEvents,
                         tracker::DISPID_InclinationChanged, [](IDispatch& sender) {
                             return std::vector<ComVariant>{ComVariant::FromDispatch(&sender)};
                         });
    }
    // The "Threshold Exceeded" flag of every monitor fires its change.
    static void ExceededChanged() {
        for (auto* monitor : LiveMonitors())
            monitor->m_exceeded->Changed();
    }

private:
    ComPtr<BoolSwitchObject> m_enabled;
    ComPtr<BoolStateObject> m_exceeded;
    ComPtr<NumericSettingObject> m_threshold;
    ComPtr<NumericSettingObject> m_interval;
};

void MonitorTick() {
    Inclinometer& s = Sensor();
    const bool exceeded = std::fabs(s.rotX - s.gravityX) > s.threshold ||
                          std::fabs(s.rotY - s.gravityY) > s.threshold;
    const bool turned = exceeded && !s.thresholdExceeded;
    if (turned)
        s.thresholdExceeded = true;
    // Each monitor is kept alive while it reports.
    std::vector<ComPtr<tracker::InclinationMonitoring>> monitors;
    for (MonitoringObject* monitor : LiveMonitors())
        monitors.emplace_back(monitor->Self());
    for (auto& monitor : monitors)
        static_cast<MonitoringObject*>(monitor.Get())->Report();
    if (turned)
        MonitoringObject::ExceededChanged();
    // A changed interval takes effect from the next report.
    if (s.monitoring)
        StartOrStopMonitoring(true);
}

LoopTimer& OrientTimer() {
    static LoopTimer timer;
    return timer;
}

class SensorObject final : public EventSource<tracker::InclinationSensor> {
public:
    SensorObject()
        : EventSource(TEXT("InclinationSensor"), {tracker::IID_InclinationSensorEvents}),
          m_switch(Make<BoolSwitchObject>(Sensor().inclinedToGravity, TEXT("Inclined to gravity"))),
          m_monitoring(Make<MonitoringObject>()) {}

    HRESULT STDMETHODCALLTYPE get_InclinationSwitch(tracker::BoolSwitch** onOff) override {
        return GiveObject<tracker::BoolSwitch>(TEXT("InclinationSensor.get_InclinationSwitch"),
                                               m_switch->Self(), onOff);
    }
    HRESULT STDMETHODCALLTYPE
    get_InclinationToGravity(tracker::InclinationToGravity** last) override {
        ComPtr<GravityObject> result;
        if (Sensor().oriented)
            result = Make<GravityObject>(Sensor().gravityX, Sensor().gravityY);
        return GiveObject<tracker::InclinationToGravity>(
            TEXT("InclinationSensor.get_InclinationToGravity"), result ? result->Self() : nullptr,
            last);
    }
    HRESULT STDMETHODCALLTYPE get_Monitoring(tracker::InclinationMonitoring** monitoring) override {
        return GiveObject<tracker::InclinationMonitoring>(TEXT("InclinationSensor.get_Monitoring"),
                                                          m_monitoring->Self(), monitoring);
    }
    HRESULT STDMETHODCALLTYPE OrientToGravity(tracker::InclinationToGravity** result) override {
        if (result)
            *result = nullptr;
        if (HRESULT hr = Enter(TEXT("InclinationSensor.OrientToGravity")); FAILED(hr))
            return hr;
        if (OrientTimer().Running())
            return ReportError(kTrackerFailure, TEXT("Orienting to gravity is already running."));
        Oriented();
        if (result)
            *result = Make<GravityObject>(Sensor().gravityX, Sensor().gravityY).Detach()->Self();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BeginOrientToGravity() override {
        if (HRESULT hr = Enter(TEXT("InclinationSensor.BeginOrientToGravity")); FAILED(hr))
            return hr;
        if (OrientTimer().Running())
            return ReportError(kTrackerFailure, TEXT("Orienting to gravity is already running."));
        ComPtr<IConnectionPointContainer> self(static_cast<IConnectionPointContainer*>(this));
        OrientTimer().Start(std::max<uint32_t>(Sensor().orientMs, 1), [self] {
            OrientTimer().Stop();
            Finished(self.Get());
        });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Measure(tracker::Inclination** inclination) override {
        if (inclination)
            *inclination = nullptr;
        if (HRESULT hr = Enter(TEXT("InclinationSensor.Measure")); FAILED(hr))
            return hr;
        if (!inclination)
            return E_POINTER;
        *inclination = Make<InclinationObject>(Sensor().rotX, Sensor().rotY).Detach()->Self();
        return S_OK;
    }

private:
    static void Oriented() {
        Sensor().oriented = true;
        Sensor().gravityX = Sensor().rotX;
        Sensor().gravityY = Sensor().rotY;
    }
    // The end of a background orient: the result, or the injected failure as
    // the event's exception.
    static void Finished(IConnectionPointContainer* sensor) {
        ComPtr<GravityObject> result;
        ComPtr<TrackerExceptionObject> exception;
        if (std::optional<Fault> fault =
                BeginCall(TEXT("InclinationSensor.OrientToGravityFinished"));
            fault && fault->kind == FaultKind::Fail) {
            exception = Make<TrackerExceptionObject>(fault->number, fault->description);
        } else {
            Oriented();
            result = Make<GravityObject>(Sensor().gravityX, Sensor().gravityY);
        }
        DeliverEventFrom(sensor, tracker::IID_InclinationSensorEvents,
                         tracker::DISPID_GetInclinationToGravityFinished,
                         [result, exception](IDispatch& sender) {
                             return std::vector<ComVariant>{
                                 ComVariant::FromDispatch(&sender),
                                 ComVariant::FromDispatch(result ? result->Self() : nullptr),
                                 ComVariant::FromDispatch(exception ? exception->Self() : nullptr)};
                         });
    }

    ComPtr<BoolSwitchObject> m_switch;
    ComPtr<MonitoringObject> m_monitoring;
};

} // namespace

ComPtr<tracker::InclinationSensor> CreateInclinationSensor() {
    return ComPtr<tracker::InclinationSensor>(Make<SensorObject>()->Self());
}

void SetInclination(double rotX, double rotY) {
    Sensor().rotX = rotX;
    Sensor().rotY = rotY;
}

void StopInclinometer() {
    MonitorTimer().Stop();
    OrientTimer().Stop();
}

} // namespace trackersim
