// The simulated tracker's control interface, for tests and the stand-in host.
//
// The TrackerConnection object answers QueryInterface for SimControl. The
// simulated hardware is process-wide (one tracker), so a test that creates its
// own connection object configures, fires and inspects the same tracker that
// the module talks to.
//
// Events fired here are posted to the thread's message loop: nothing reaches a
// sink until the loop runs (platform::PumpMessages, RunMessagesFor).
//
// Fault injection names operations "<Interface>.<member>" after the interface
// that declares the member ("Tracker.get_Measurements", "ScalarValue.get_Value",
// "TrackerConnection.Connect"), and facets "<Class>.<Interface>" after the
// object's class and the interface asked for ("Measurement.RmsMeasurement",
// "Tracker.TrackerModel", "Target.ProbeTarget", "Tracker.IConnectionPointContainer").
#pragma once

#include "../platform/base/text.h"
#include "../platform/com/com.h"

#include <cstdint>

namespace trackersim {

enum class TriggerKind : int32_t { ProbeButton = 0, StableProbing = 1, Plain = 2 };

enum class TargetKind : int32_t {
    Probe = 0,           // ProbeTarget; size = the current tip's size
    Reflector = 1,       // Reflector; size = radius
    CustomReflector = 2, // Reflector + CustomReflector; size = radius
    RadiusTarget = 3,    // RadiusTarget + RadiusTargetInfo; size = geometry radius
    Other = 4,           // none of the size facets
};

enum class MessageKind : int32_t { Information = 0, Warning = 1, Error = 2 };

// How the library holds the sinks connected to its events.
enum class SinkHolding : int32_t {
    WhileConnected = 0, // from Advise to Unadvise, and no more
    DuringCall = 1,     // also for the length of each event call, as COM sources do (the default)
    Late = 2,           // as a garbage-collected library: an unadvised sink is let go of only
                        // at the library's later release (ReleaseLateSinks)
};

enum class ProfileKind : int32_t {
    Stationary = 0,         // StationaryProfile: accuracy
    AreaScan = 1,           // AreaScanProfile: accuracy, scan regions
    ContinuousTime = 2,     // ContinuousTimeProfile: time separation (ms)
    ContinuousDistance = 3, // ContinuousDistanceProfile: distance separation (mm)
    Custom = 4,             // CustomProfile
};

// The content of one measurement: which facets it offers and their values.
struct SampleSpec {
    bool hasRms = true;
    bool hasPosition = true;
    bool hasDirection = true;
    bool hasSixDof = false;
    double x = 0, y = 0, z = 0;
    double rms = 0.005;
    double i = 0, j = 0, k = 1;
    double rx = 0, ry = 0, rz = 0;
    double readings[3] = {20.0, 1013.25, 45.0};
    // The target the measurement names (index in the target list; -1: the selected one).
    int32_t measuredTarget = -1;
};

// The last pointing request (PositionTo, PositionToTarget or GoAndMeasure).
struct PositionRequest {
    int32_t count;  // requests so far
    int32_t target; // index of the target pointed at; -1: coordinates only
    bool search;
    bool relative;
    double values[3];
};

struct InclinometerState {
    bool inclinedToGravity; // the sensor's inclination switch
    bool monitoring;
    bool thresholdExceeded;
    bool oriented; // orient to gravity has finished at least once
    double threshold;
    double interval;
    double gravityX, gravityY; // the last inclination to gravity
};

struct ProfileState {
    ProfileKind kind;
    int32_t accuracy;
    double separation;
    bool active;
};

struct HeadState {
    int32_t horizontalSpeed, verticalSpeed;
    double angle1, angle2;
    int32_t reflectorSearches;
    PositionRequest lastPositionTo;
};

struct CameraState {
    bool streaming;
    int32_t dialogShown;
    int32_t optionSwitch1, optionSwitch2;
    uint32_t frames; // images fired
    // Where the last image shows the reflector's spot, in pixels from the top
    // left; -1 when none was fired or the spot was outside it.
    int32_t spotX, spotY;
};

// One step of a playback script, at a time from the start of playback.
enum class ScriptAction : int32_t {
    PressButton = 0,   // arg: button index 0..3
    ReleaseButton = 1, // arg: button index 0..3
    StableProbing = 2, // the stable-probing trigger fires
    Error = 3,         // a tracker error; arg: its number
    Warning = 4,       // arg: number
    Information = 5,   // arg: number
    MovePosition = 6,  // one target-position sample from the scenario
    QuickRelease = 7,  // arg: 1 closes the quick release, 0 opens it
};
struct ScriptStep {
    uint32_t atMs;
    ScriptAction action;
    int32_t arg;
};

// The ideal shape of the active scenario (what the noisy points lie on).
struct ShapeInfo {
    int32_t kind;     // 0 sphere, 1 plane, 2 cylinder
    double centre[3]; // sphere centre; plane origin; a point on the cylinder axis
    double axis[3];   // plane normal; cylinder axis (unit); unused for a sphere
    double radius;    // sphere and cylinder radius
    double noiseStd;  // standard deviation of the noise along the surface normal
};

struct SimControl : IUnknown {
    static constexpr IID iid = {
        0x6A1E3C52, 0x0B7D, 0x4F3A, {0x9C, 0x41, 0x8E, 0x2D, 0x55, 0x17, 0xA0, 0x6B}};

    // Back to the defaults: configuration, faults, scenario, call counts;
    // stops continuous measuring and playback. Live objects and connections stay.
    virtual void Reset() = 0;

    // ---- configuration --------------------------------------------------
    // Addresses Connect accepts, separated by ';'. Null or empty: any
    // non-empty dotted IPv4 address.
    virtual void SetAcceptedAddresses(const WCHAR* addresses) = 0;
    // The quick-release state the tracker reports (true: closed, the normal case).
    // A change raises the quick-release objects' BoolChangedEvents Changed.
    virtual void SetQuickReleaseClosed(bool closed) = 0;
    // Whether the tracker offers TrackerModel (a fault on "Tracker.TrackerModel").
    virtual void SetOffersTrackerModel(bool offers) = 0;
    // The items of trigger collections created from now on, in order.
    virtual void SetTriggerKinds(const TriggerKind* kinds, int32_t count) = 0;
    // Selects the first target of this kind (adding one when there is none) and sets its size.
    virtual void SetSelectedTarget(TargetKind kind, double size) = 0;
    virtual void SetContinuousRate(double hertz) = 0;
    virtual void SetMeasurementsPerEvent(int32_t count) = 0;
    // Chooses the scenario the points come from: "sphere", "plane", "cylinder"
    // or "session" (the sphere with a scripted probing session). E_INVALIDARG
    // for an unknown name.
    virtual HRESULT SelectScenario(const WCHAR* name, uint32_t seed) = 0;
    virtual void GetScenarioShape(ShapeInfo* shape) = 0;
    // Measurements taken before the scenario's next point (Measure, continuous ticks).
    virtual void QueueMeasurement(const SampleSpec& sample) = 0;

    // ---- fault injection ---------------------------------------------------
    // The operation fails with hr; the error information carries the
    // description (and the number as its help context). "<operation>#N":
    // from the operation's Nth call on (its next N - 1 calls go through).
    virtual void InjectFailure(const WCHAR* operation, HRESULT hr, int32_t number,
                               const WCHAR* description, bool once) = 0;
    // An object-valued property gives null; a facet or interface is absent.
    virtual void MakeNull(const WCHAR* operation, bool once) = 0;
    virtual void MakeAbsent(const WCHAR* facet, bool once) = 0;
    virtual void ClearFault(const WCHAR* operation) = 0;
    virtual void ClearFaults() = 0;

    // ---- firing (posted to the message loop) ---------------------------------
    // MeasurementArrived with the given measurements; exceptionNumber != 0 adds a
    // TrackerException with that number and description as the third argument.
    virtual void FireMeasurements(const SampleSpec* samples, int32_t count, int32_t exceptionNumber,
                                  const WCHAR* exceptionText) = 0;
    virtual void FireTargetPosition(const SampleSpec& sample) = 0;
    // TriggerHappened from the last probe-button trigger; state 2 = pressed, 1 = released.
    virtual void FireProbeButton(int32_t button, bool pressed) = 0;
    // TriggerHappened from trigger item `item` of the collection (-1: a trigger
    // that is not in the collection), with probe-button arguments.
    virtual void FireTrigger(int32_t item, int32_t button, int32_t state) = 0;
    virtual void FireStableProbing() = 0;
    virtual void FireTrackerMessage(MessageKind kind, const WCHAR* text1, const WCHAR* text2,
                                    int32_t number) = 0;
    virtual void FireInitializeFinished() = 0;
    // Sets the measurement status and detail values; fires MeasurementStatusEvents
    // Changed (sender, status) and DetailChangedEvents Changed (sender).
    virtual void FireMeasurementStatus(int32_t status, int32_t detail) = 0;

    // ---- playback on the clock -------------------------------------------------
    // Replaces the script of the active scenario.
    virtual void SetScript(const ScriptStep* steps, int32_t count) = 0;
    // Plays the script with timers; target positions stream at positionHz (0: none).
    virtual void PlayScenario(double positionHz) = 0;
    virtual void StopScenario() = 0;
    virtual bool IsScenarioPlaying() = 0;
    // The next point of the active scenario, as a measurement would carry it.
    virtual void NextScenarioSample(SampleSpec* sample) = 0;

    // ---- inspection ------------------------------------------------------------
    // Library objects alive, not counting connection objects asked for SimControl.
    virtual int32_t LiveObjectCount() = 0;
    virtual int32_t LiveConnectionCount(REFIID eventInterface) = 0;
    virtual bool IsConnected() = 0;
    virtual bool IsContinuousRunning() = 0;
    virtual bool StableProbingEnabled() = 0;
    virtual double StableProbingTime() = 0;
    virtual int32_t CameraSwitch1() = 0;
    virtual int32_t CameraSwitch2() = 0;
    // Times an operation (or facet query) was entered since the last Reset.
    virtual int32_t CallCount(const WCHAR* operation) = 0;
    // The address of the last successful Connect.
    virtual void ConnectedAddress(WCHAR* buffer, int32_t size) = 0;
    // Call counting (on after Reset) costs a lookup per library call; a
    // benchmark turns it off. Faults work either way.
    virtual void SetCallCounting(bool on) = 0;

    // ---- the tool sheet's utilities ---------------------------------------------
    // The tracker's current inclination (degrees); monitoring reports it every
    // interval and raises "Threshold Exceeded" when a component passes the threshold.
    virtual void SetInclination(double rotX, double rotY) = 0;
    // How long an asynchronous orient to gravity takes. A failure injected on
    // "InclinationSensor.OrientToGravityFinished" comes as the completion's exception.
    virtual void SetOrientDuration(uint32_t milliseconds) = 0;
    virtual void GetInclinometer(InclinometerState* state) = 0;
    // Sets the power source (0 mains, 1 battery) and level; fires both Changed events.
    virtual void SetPowerStatus(int32_t source, double level) = 0;
    // The profiles of collections created from now on, in order (the first is active).
    virtual void SetProfileKinds(const ProfileKind* kinds, int32_t count) = 0;
    virtual int32_t ProfileCount() = 0;
    virtual void GetProfile(int32_t index, ProfileState* state) = 0;
    virtual void SetTargetSelectable(int32_t index, bool selectable) = 0;
    virtual int32_t TargetCount() = 0;
    virtual void SetTrackerAngles(double angle1, double angle2) = 0;
    virtual void GetHead(HeadState* state) = 0;
    virtual void SetImageRate(double hertz) = 0;
    virtual void GetCamera(CameraState* state) = 0;
    // Copies the last image fired (a BMP file) into buffer when it fits;
    // returns its size in bytes (0: none fired yet).
    virtual uint32_t LastCameraImage(BYTE* buffer, uint32_t size) = 0;
    // Scan regions being defined (applied false) or applied to the area scan.
    virtual int32_t ScanRegionCount(bool applied) = 0;
    // Copies up to maxCorners corners (x, y, z each) of a region; returns its corner count.
    virtual int32_t ScanRegionCorners(bool applied, int32_t region, double* xyz,
                                      int32_t maxCorners) = 0;
    virtual int32_t ScanRegionFlag(bool applied, int32_t region) = 0;
    virtual void ScanSettings(double* setting1, double* setting2) = 0;

    // ---- the profiles and positioning pages ------------------------------------
    // Replaces the target list: `count` selectable targets of the given kinds
    // and names, each with its kind's default size; the first is selected.
    virtual void SetTargets(const TargetKind* kinds, const WCHAR* const* names, int32_t count) = 0;
    // The identity target `index` reports, and a measurement of it names
    // (null or empty: "TGT-<index>").
    virtual void SetTargetIdentity(int32_t index, const WCHAR* identity) = 0;
    // Sets profile `index`'s name (null keeps it), accuracy (any value, as a
    // tracker might report it) and separation.
    virtual void SetProfile(int32_t index, const WCHAR* name, int32_t accuracy,
                            double separation) = 0;

    // ---- playback, continued -----------------------------------------------------
    // The time from the start of playback to the active script's last step
    // (0 without a script).
    virtual uint32_t ScriptLengthMs() = 0;

    // ---- how the library holds sinks (Reset: DuringCall) ------------------------
    virtual void SetSinkHolding(SinkHolding holding) = 0;
    // The late mode's later release: lets go of the sinks unadvised since the
    // last one; gives how many.
    virtual int32_t ReleaseLateSinks() = 0;
    virtual int32_t LateSinkCount() = 0;
};

} // namespace trackersim
