#include "control.h"

#include "connection_points.h"
#include "fault_injection.h"
#include "hardware.h"
#include "measurements.h"
#include "module_state.h"
#include "playback.h"
#include "scenarios.h"
#include "status_messages.h"
#include "targets.h"
#include "triggers.h"

#include <algorithm>

namespace trackersim {
namespace {

std::u16string_view View(const WCHAR* text) {
    return text ? std::u16string_view(text) : u"";
}

const char16_t* KindName(TargetKind kind) {
    switch (kind) {
    case TargetKind::Probe:
        return u"Probe";
    case TargetKind::Reflector:
        return u"Reflector";
    case TargetKind::CustomReflector:
        return u"Custom reflector";
    case TargetKind::RadiusTarget:
        return u"Radius target";
    default:
        return u"Target";
    }
}

} // namespace

void Control::Reset() {
    StopPlayback();
    StopContinuous();
    Faults().Reset();
    ResetHardware();
    ResetScenario();
}

void Control::SetAcceptedAddresses(const WCHAR* addresses) {
    auto& accepted = TheHardware().acceptedAddresses;
    accepted.clear();
    std::u16string_view rest = View(addresses);
    while (!rest.empty()) {
        const size_t end = rest.find(u';');
        std::u16string_view one = rest.substr(0, end);
        if (!one.empty())
            accepted.emplace_back(one);
        rest = end == std::u16string_view::npos ? u"" : rest.substr(end + 1);
    }
}

void Control::SetQuickReleaseClosed(bool closed) {
    TheHardware().quickReleaseClosed = closed;
}

void Control::SetOffersTrackerModel(bool offers) {
    if (offers)
        Faults().Clear(u"Tracker.TrackerModel");
    else
        Faults().Set(u"Tracker.TrackerModel", Fault{FaultKind::Null, S_OK, 0, {}, false});
}

void Control::SetTriggerKinds(const TriggerKind* kinds, int32_t count) {
    TheHardware().triggerKinds.assign(kinds, kinds + std::max(count, 0));
}

void Control::SetSelectedTarget(TargetKind kind, double size) {
    auto& targets = TheHardware().targets;
    auto it = std::find_if(targets.begin(), targets.end(),
                           [kind](const TargetSpec& t) { return t.kind == kind; });
    if (it == targets.end())
        it = targets.insert(targets.end(), TargetSpec{kind, KindName(kind), size});
    it->size = size;
    TheHardware().selectedTarget = static_cast<int>(it - targets.begin());
}

void Control::SetContinuousRate(double hertz) {
    TheHardware().continuousHz = hertz;
}

void Control::SetMeasurementsPerEvent(int32_t count) {
    TheHardware().measurementsPerEvent = count;
}

HRESULT Control::SelectScenario(const WCHAR* name, uint32_t seed) {
    Scenario scenario;
    if (!Scenario::Make(View(name), seed, scenario))
        return E_INVALIDARG;
    ActiveScenario() = std::move(scenario);
    return S_OK;
}

void Control::GetScenarioShape(ShapeInfo* shape) {
    if (shape)
        *shape = ActiveScenario().Shape();
}

void Control::QueueMeasurement(const SampleSpec& sample) {
    TheHardware().queuedSamples.push_back(sample);
}

void Control::InjectFailure(const WCHAR* operation, HRESULT hr, int32_t number,
                            const WCHAR* description, bool once) {
    Faults().Set(View(operation),
                 Fault{FaultKind::Fail, hr, number, std::u16string(View(description)), once});
}

void Control::MakeNull(const WCHAR* operation, bool once) {
    Faults().Set(View(operation), Fault{FaultKind::Null, S_OK, 0, {}, once});
}

void Control::MakeAbsent(const WCHAR* facet, bool once) {
    MakeNull(facet, once);
}

void Control::ClearFault(const WCHAR* operation) {
    Faults().Clear(View(operation));
}

void Control::ClearFaults() {
    Faults().ClearAll();
}

void Control::FireMeasurements(const SampleSpec* samples, int32_t count, int32_t exceptionNumber,
                               const WCHAR* exceptionText) {
    trackersim::FireMeasurements(std::vector<SampleSpec>(samples, samples + std::max(count, 0)),
                                 exceptionNumber, View(exceptionText));
}

void Control::FireTargetPosition(const SampleSpec& sample) {
    trackersim::FireTargetPosition(sample);
}

void Control::FireProbeButton(int32_t button, bool pressed) {
    trackersim::FireProbeButton(button, pressed);
}

void Control::FireTrigger(int32_t item, int32_t button, int32_t state) {
    trackersim::FireTrigger(item, button, state);
}

void Control::FireStableProbing() {
    trackersim::FireStableProbing();
}

void Control::FireTrackerMessage(MessageKind kind, const WCHAR* text1, const WCHAR* text2,
                                 int32_t number) {
    trackersim::FireTrackerMessage(kind, View(text1), View(text2), number);
}

void Control::FireInitializeFinished() {
    trackersim::FireInitializeFinished();
}

void Control::FireMeasurementStatus(int32_t status, int32_t detail) {
    trackersim::FireMeasurementStatus(status, detail);
}

void Control::SetScript(const ScriptStep* steps, int32_t count) {
    ActiveScenario().SetScript(std::vector<ScriptStep>(steps, steps + std::max(count, 0)));
}

void Control::PlayScenario(double positionHz) {
    trackersim::PlayScenario(positionHz);
}

void Control::StopScenario() {
    StopPlayback();
}

bool Control::IsScenarioPlaying() {
    return PlaybackRunning();
}

void Control::NextScenarioSample(SampleSpec* sample) {
    if (sample)
        *sample = NextSample();
}

int32_t Control::LiveObjectCount() {
    return LiveObjects() - ControlObjects();
}

int32_t Control::LiveConnectionCount(REFIID eventInterface) {
    return LiveConnections(eventInterface);
}

bool Control::IsConnected() {
    return TheHardware().connected;
}

bool Control::IsContinuousRunning() {
    return ContinuousRunning();
}

bool Control::StableProbingEnabled() {
    return TheHardware().stableProbingEnabled;
}

double Control::StableProbingTime() {
    return TheHardware().stableProbingTime;
}

int32_t Control::CameraSwitch1() {
    return TheHardware().cameraSwitch1;
}

int32_t Control::CameraSwitch2() {
    return TheHardware().cameraSwitch2;
}

int32_t Control::CallCount(const WCHAR* operation) {
    return Faults().CallCount(View(operation));
}

void Control::ConnectedAddress(WCHAR* buffer, int32_t size) {
    if (!buffer || size <= 0)
        return;
    const std::u16string& address = TheHardware().address;
    const size_t n = std::min(address.size(), static_cast<size_t>(size - 1));
    std::copy_n(address.begin(), n, buffer);
    buffer[n] = 0;
}

} // namespace trackersim
