#include "control.h"

#include "camera.h"
#include "connection.h"
#include "connection_points.h"
#include "fault_injection.h"
#include "hardware.h"
#include "inclination.h"
#include "measurements.h"
#include "module_state.h"
#include "positioning.h"
#include "playback.h"
#include "power.h"
#include "scenarios.h"
#include "status_messages.h"
#include "targets.h"
#include "tracker_link.h"
#include "triggers.h"

#include <algorithm>

namespace trackersim {
namespace {

platform::WideView View(const WCHAR* text) {
    return text ? platform::WideView(text) : TEXT("");
}

const WCHAR* KindName(TargetKind kind) {
    switch (kind) {
    case TargetKind::Probe:
        return TEXT("Probe");
    case TargetKind::Reflector:
        return TEXT("Reflector");
    case TargetKind::CustomReflector:
        return TEXT("Custom reflector");
    case TargetKind::RadiusTarget:
        return TEXT("Radius target");
    default:
        return TEXT("Target");
    }
}

} // namespace

void Control::Reset() {
    StopPlayback();
    StopAllContinuous();
    trackersim::SetSinkHolding(SinkHolding::DuringCall);
    StopCameraStream();
    StopInclinometer();
    Faults().Reset();
    ResetHardware();
    ResetScenario();
}

void Control::SetAcceptedAddresses(const WCHAR* addresses) {
    auto& accepted = TheHardware().acceptedAddresses;
    accepted.clear();
    platform::WideView rest = View(addresses);
    while (!rest.empty()) {
        const size_t end = rest.find(TEXT(';'));
        platform::WideView one = rest.substr(0, end);
        if (!one.empty())
            accepted.emplace_back(one);
        rest = end == platform::WideView::npos ? TEXT("") : rest.substr(end + 1);
    }
}

void Control::SetQuickReleaseClosed(bool closed) {
    trackersim::SetQuickReleaseClosed(closed);
}

void Control::SetOffersTrackerModel(bool offers) {
    if (offers)
        Faults().Clear(TEXT("Tracker.TrackerModel"));
    else
        Faults().Set(TEXT("Tracker.TrackerModel"), Fault{FaultKind::Null, S_OK, 0, {}, false});
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
                 Fault{FaultKind::Fail, hr, number, platform::WideString(View(description)), once});
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

uint32_t Control::ScriptLengthMs() {
    uint32_t last = 0;
    for (const ScriptStep& step : ActiveScenario().Script())
        last = std::max(last, step.atMs);
    return last;
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
    return AnyLinkConnected();
}

bool Control::IsContinuousRunning() {
    return AnyContinuousRunning();
}

bool Control::StableProbingEnabled() {
    return TheHardware().stableProbingEnabled;
}

double Control::StableProbingTime() {
    return TheHardware().stableProbingTime;
}

int32_t Control::CameraSwitch1() {
    return TheHardware().camera.switch1;
}

int32_t Control::CameraSwitch2() {
    return TheHardware().camera.switch2;
}

void Control::SetCallCounting(bool on) {
    Faults().SetCounting(on);
}

int32_t Control::CallCount(const WCHAR* operation) {
    return Faults().CallCount(View(operation));
}

void Control::ConnectedAddress(WCHAR* buffer, int32_t size) {
    if (!buffer || size <= 0)
        return;
    const platform::WideString& address = TheHardware().address;
    const size_t n = std::min(address.size(), static_cast<size_t>(size - 1));
    std::copy_n(address.begin(), n, buffer);
    buffer[n] = 0;
}

void Control::SetInclination(double rotX, double rotY) {
    trackersim::SetInclination(rotX, rotY);
}

void Control::SetOrientDuration(uint32_t milliseconds) {
    TheHardware().inclinometer.orientMs = milliseconds;
}

void Control::GetInclinometer(InclinometerState* state) {
    if (!state)
        return;
    const Inclinometer& s = TheHardware().inclinometer;
    *state = InclinometerState{s.inclinedToGravity, s.monitoring, s.thresholdExceeded, s.oriented,
                               s.threshold,         s.interval,   s.gravityX,          s.gravityY};
}

void Control::SetPowerStatus(int32_t source, double level) {
    FirePowerStatus(source, level);
}

void Control::SetProfileKinds(const ProfileKind* kinds, int32_t count) {
    auto& profiles = TheHardware().profiles;
    profiles.clear();
    for (int32_t i = 0; i < count; ++i)
        profiles.push_back(DefaultProfile(kinds[i]));
    TheHardware().activeProfile = 0;
}

int32_t Control::ProfileCount() {
    return static_cast<int32_t>(TheHardware().profiles.size());
}

void Control::GetProfile(int32_t index, ProfileState* state) {
    const auto& profiles = TheHardware().profiles;
    if (!state || index < 0 || index >= static_cast<int32_t>(profiles.size()))
        return;
    const ProfileSpec& p = profiles[index];
    *state = ProfileState{p.kind, p.accuracy, p.separation, TheHardware().activeProfile == index};
}

void Control::SetTargetSelectable(int32_t index, bool selectable) {
    auto& targets = TheHardware().targets;
    if (index >= 0 && index < static_cast<int32_t>(targets.size()))
        targets[index].selectable = selectable;
}

int32_t Control::TargetCount() {
    return static_cast<int32_t>(TheHardware().targets.size());
}

void Control::SetTrackerAngles(double angle1, double angle2) {
    UpdateHead();
    TheHardware().head.angle1 = angle1;
    TheHardware().head.angle2 = angle2;
}

void Control::GetHead(HeadState* state) {
    if (!state)
        return;
    UpdateHead();
    const Head& h = TheHardware().head;
    *state = HeadState{h.horizontalSpeed, h.verticalSpeed,     h.angle1,
                       h.angle2,          h.reflectorSearches, h.lastPositionTo};
}

void Control::SetImageRate(double hertz) {
    TheHardware().camera.imageHz = hertz;
}

void Control::GetCamera(CameraState* state) {
    if (!state)
        return;
    const Camera& c = TheHardware().camera;
    *state = CameraState{CameraStreaming(), c.dialogShown, c.optionSwitch1, c.optionSwitch2,
                         c.frames,          c.spotX,       c.spotY};
}

uint32_t Control::LastCameraImage(BYTE* buffer, uint32_t size) {
    const std::vector<BYTE>& image = TheHardware().camera.lastImage;
    if (buffer && size >= image.size())
        std::copy(image.begin(), image.end(), buffer);
    return static_cast<uint32_t>(image.size());
}

namespace {

const std::vector<Region>& Regions(bool applied) {
    return applied ? TheHardware().scan.applied : TheHardware().scan.regions;
}

} // namespace

int32_t Control::ScanRegionCount(bool applied) {
    return static_cast<int32_t>(Regions(applied).size());
}

int32_t Control::ScanRegionCorners(bool applied, int32_t region, double* xyz, int32_t maxCorners) {
    const auto& regions = Regions(applied);
    if (region < 0 || region >= static_cast<int32_t>(regions.size()))
        return 0;
    const auto& corners = regions[region].corners;
    for (int32_t i = 0; xyz && i < maxCorners && i < static_cast<int32_t>(corners.size()); ++i) {
        xyz[3 * i] = corners[i].x;
        xyz[3 * i + 1] = corners[i].y;
        xyz[3 * i + 2] = corners[i].z;
    }
    return static_cast<int32_t>(corners.size());
}

int32_t Control::ScanRegionFlag(bool applied, int32_t region) {
    const auto& regions = Regions(applied);
    return region >= 0 && region < static_cast<int32_t>(regions.size()) ? regions[region].flag : 0;
}

void Control::ScanSettings(double* setting1, double* setting2) {
    if (setting1)
        *setting1 = TheHardware().scan.setting1;
    if (setting2)
        *setting2 = TheHardware().scan.setting2;
}

void Control::SetTargets(const TargetKind* kinds, const WCHAR* const* names, int32_t count) {
    auto& targets = TheHardware().targets;
    targets.clear();
    for (int32_t i = 0; i < count && kinds; ++i) {
        const TargetKind kind = kinds[i];
        const double size = kind == TargetKind::Probe             ? 3.0
                            : kind == TargetKind::Reflector       ? 19.05
                            : kind == TargetKind::CustomReflector ? 12.7
                            : kind == TargetKind::RadiusTarget    ? 6.35
                                                                  : 0.0;
        targets.push_back(TargetSpec{
            kind, names && names[i] ? platform::WideString(names[i]) : platform::WideString(),
            size});
    }
    TheHardware().selectedTarget = 0;
}

void Control::SetTargetIdentity(int32_t index, const WCHAR* identity) {
    auto& targets = TheHardware().targets;
    if (index >= 0 && index < static_cast<int32_t>(targets.size()))
        targets[index].identity = identity ? identity : TEXT("");
}

void Control::SetProfile(int32_t index, const WCHAR* name, int32_t accuracy, double separation) {
    auto& profiles = TheHardware().profiles;
    if (index < 0 || index >= static_cast<int32_t>(profiles.size()))
        return;
    if (name)
        profiles[index].name = name;
    profiles[index].accuracy = accuracy;
    profiles[index].separation = separation;
}

void Control::SetSinkHolding(SinkHolding holding) {
    trackersim::SetSinkHolding(holding);
}

int32_t Control::ReleaseLateSinks() {
    return trackersim::ReleaseLateSinks();
}

int32_t Control::LateSinkCount() {
    return trackersim::LateSinkCount();
}

} // namespace trackersim
