#include "connection.h"

#include "camera.h"
#include "connection_points.h"
#include "control.h"
#include "errors.h"
#include "hardware.h"
#include "inclination.h"
#include "measurements.h"
#include "module_state.h"
#include "positioning.h"
#include "power.h"
#include "targets.h"
#include "tracker_link.h"
#include "triggers.h"
#include "values.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace trackersim {
namespace {

class TrackerObject;

// The trackers alive, for the events of the one physical tracker they share.
std::vector<TrackerObject*>& LiveTrackers() {
    static std::vector<TrackerObject*> trackers;
    return trackers;
}

class TrackerObject final : public EventSource<tracker::Tracker, tracker::TrackerModel> {
public:
    TrackerObject()
        : EventSource(TEXT("Tracker"), {tracker::IID_TrackerEvents}),
          m_link(std::make_shared<TrackerLink>()), m_measurements(CreateMeasurements(m_link)),
          m_targets(CreateTargetCollection()), m_triggers(CreateTriggerCollection()),
          m_camera(CreateOverviewCamera()),
          m_quickRelease(
              Make<BoolStateObject>(TheHardware().quickReleaseClosed, TEXT("QuickRelease"))),
          m_inclination(CreateInclinationSensor()), m_power(CreatePowerStatus()),
          m_finder(CreateReflectorFinder()), m_stream(CreateCameraStream()),
          m_angles(CreateTrackerAngles()) {
        LiveTrackers().push_back(this);
    }
    // Releasing the tracker ends its connection, and only its own.
    ~TrackerObject() override {
        if (m_link->Connected())
            EndConnection();
        auto& trackers = LiveTrackers();
        trackers.erase(std::remove(trackers.begin(), trackers.end(), this), trackers.end());
    }

    // The quick release was opened or closed.
    void QuickReleaseChanged() { m_quickRelease->Changed(); }

    HRESULT STDMETHODCALLTYPE Disconnect() override {
        if (HRESULT hr = Enter(TEXT("Tracker.Disconnect")); FAILED(hr))
            return hr;
        if (m_link->Connected())
            EndConnection();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Measurements(tracker::Measurements** measurements) override {
        return GiveObject(TEXT("Tracker.get_Measurements"), m_measurements.Get(), measurements);
    }
    HRESULT STDMETHODCALLTYPE get_TargetCollection(tracker::TargetCollection** targets) override {
        return GiveObject(TEXT("Tracker.get_TargetCollection"), m_targets.Get(), targets);
    }
    HRESULT STDMETHODCALLTYPE
    get_TriggerCollection(tracker::TriggerCollection** triggers) override {
        return GiveObject(TEXT("Tracker.get_TriggerCollection"), m_triggers.Get(), triggers);
    }
    HRESULT STDMETHODCALLTYPE get_OverviewCamera(tracker::OverviewCamera** camera) override {
        return GiveObject(TEXT("Tracker.get_OverviewCamera"), m_camera.Get(), camera);
    }
    HRESULT STDMETHODCALLTYPE get_QuickRelease(tracker::BoolState** state) override {
        return GiveObject<tracker::BoolState>(TEXT("TrackerModel.get_QuickRelease"),
                                              m_quickRelease->Self(), state);
    }
    HRESULT STDMETHODCALLTYPE get_InclinationSensor(tracker::InclinationSensor** sensor) override {
        return GiveObject(TEXT("Tracker.get_InclinationSensor"), m_inclination.Get(), sensor);
    }
    HRESULT STDMETHODCALLTYPE get_PowerStatus(tracker::PowerStatus** status) override {
        return GiveObject(TEXT("Tracker.get_PowerStatus"), m_power.Get(), status);
    }
    HRESULT STDMETHODCALLTYPE get_ReflectorFinder(tracker::ReflectorFinder** finder) override {
        return GiveObject(TEXT("Tracker.get_ReflectorFinder"), m_finder.Get(), finder);
    }
    HRESULT STDMETHODCALLTYPE
    get_OverviewCameraStream(tracker::OverviewCameraStream** stream) override {
        return GiveObject(TEXT("Tracker.get_OverviewCameraStream"), m_stream.Get(), stream);
    }
    HRESULT STDMETHODCALLTYPE get_TrackerAngles(tracker::TrackerAngles** angles) override {
        return GiveObject(TEXT("Tracker.get_TrackerAngles"), m_angles.Get(), angles);
    }
    HRESULT STDMETHODCALLTYPE Move(LONG horizontalSpeed, LONG verticalSpeed) override {
        return MoveHead(horizontalSpeed, verticalSpeed);
    }
    HRESULT STDMETHODCALLTYPE PositionTo(VARIANT_BOOL search, VARIANT_BOOL relative, double value1,
                                         double value2, double value3,
                                         IDispatch** result) override {
        return trackersim::PositionTo(search, relative, {value1, value2, value3}, result);
    }
    HRESULT STDMETHODCALLTYPE PositionToTarget(IDispatch* target, VARIANT_BOOL relative,
                                               double value1, double value2, double value3,
                                               tracker::Target** found) override {
        return trackersim::PositionToTarget(target, relative, {value1, value2, value3}, found);
    }

private:
    void EndConnection() {
        m_link->End();
        // The camera stream and the inclinometer are the instrument's: they stop
        // with its last connection.
        if (!AnyLinkConnected()) {
            StopCameraStream();
            StopInclinometer();
        }
    }

    std::shared_ptr<TrackerLink> m_link;
    ComPtr<tracker::Measurements> m_measurements;
    ComPtr<tracker::TargetCollection> m_targets;
    ComPtr<tracker::TriggerCollection> m_triggers;
    ComPtr<tracker::OverviewCamera> m_camera;
    ComPtr<BoolStateObject> m_quickRelease;
    ComPtr<tracker::InclinationSensor> m_inclination;
    ComPtr<tracker::PowerStatus> m_power;
    ComPtr<tracker::ReflectorFinder> m_finder;
    ComPtr<tracker::OverviewCameraStream> m_stream;
    ComPtr<tracker::TrackerAngles> m_angles;
};

class ConnectionObject final : public ComObject<tracker::TrackerConnection, Control> {
public:
    ConnectionObject() : ComObject(TEXT("TrackerConnection")) {}
    ~ConnectionObject() override {
        if (m_carriesControl)
            ControlObjectDestroyed();
    }

    // A connection asked for the control interface is the controller's, not the module's.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        const HRESULT hr = ComObject::QueryInterface(riid, out);
        if (SUCCEEDED(hr) && riid == SimControl::iid && !m_carriesControl) {
            m_carriesControl = true;
            ControlObjectCreated();
        }
        return hr;
    }

    HRESULT STDMETHODCALLTYPE Connect(BSTR address, tracker::Tracker** tracker) override {
        if (!tracker)
            return E_POINTER;
        *tracker = nullptr;
        if (HRESULT hr = Enter(TEXT("TrackerConnection.Connect")); FAILED(hr))
            return hr;
        const platform::WideString text =
            address ? platform::WideString(address, SysStringLen(address)) : platform::WideString();
        if (text.empty())
            return ReportError(kTrackerFailure, TEXT("No tracker address was given."));
        if (!AcceptsAddress(text))
            return ReportError(kTrackerFailure, TEXT("No tracker answers at ") + text + TEXT("."));
        ComPtr<TrackerObject> connected = Make<TrackerObject>();
        TheHardware().address = text;
        *tracker = connected->Self();
        connected.Detach();
        return S_OK;
    }

private:
    bool m_carriesControl = false;
};

} // namespace

void SetQuickReleaseClosed(bool closed) {
    if (TheHardware().quickReleaseClosed == closed)
        return;
    TheHardware().quickReleaseClosed = closed;
    for (TrackerObject* tracker : LiveTrackers())
        tracker->QuickReleaseChanged(); // posted: no sink runs here
}

HRESULT CreateConnection(REFIID riid, void** object) {
    ComPtr<ConnectionObject> connection = Make<ConnectionObject>();
    return connection->QueryInterface(riid, object);
}

} // namespace trackersim
