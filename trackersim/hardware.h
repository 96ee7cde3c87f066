// The one simulated tracker of the process: its configuration and the state
// that the module sets or reads through the library objects.
#pragma once

#include "sim_control.h"

#include <deque>
#include <string>
#include <vector>

namespace trackersim {

struct TargetSpec {
    TargetKind kind;
    platform::WideString name;
    double size; // radius of reflectors and radius targets; the probe's tip size
    bool selectable = true;
    bool scanTarget = false;            // offers ScanTarget
    platform::WideString identity = {}; // empty: "TGT-<index>"
};

struct ProfileSpec {
    ProfileKind kind;
    platform::WideString name;
    LONG accuracy = 1;     // stationary and area scan: 0 precise, 1 standard, 2 fast
    double separation = 0; // continuous time (ms) and distance (mm)
};

struct Corner {
    double x, y, z;
};
struct Region {
    LONG flag = 1;
    std::vector<Corner> corners;
};

struct Inclinometer {
    bool inclinedToGravity = false; // the sensor's inclination switch
    bool monitoring = false;
    bool thresholdExceeded = false;
    double threshold = 0.05;            // degrees
    double interval = 1000;             // milliseconds between InclinationChanged events
    double rotX = 0.002, rotY = -0.001; // the tracker's inclination now (degrees)
    bool oriented = false;              // orient to gravity has finished once
    double gravityX = 0, gravityY = 0;  // its result
    uint32_t orientMs = 2000;           // how long orienting takes
};

struct Head {
    LONG horizontalSpeed = 0, verticalSpeed = 0;
    double angle1 = 0.7853981633974483, angle2 = 1.5707963267948966; // radians
    uint64_t anglesAtMs = 0; // clock time the angles were brought up to (UpdateHead)
    PositionRequest lastPositionTo{};
    int reflectorSearches = 0;
};

struct Camera {
    LONG switch1 = 0, switch2 = 1;
    LONG optionSwitch1 = 1, optionSwitch2 = 1;
    double imageHz = 15.0;
    int dialogShown = 0;
    uint32_t frames = 0;
    int32_t spotX = -1, spotY = -1; // the reflector's spot in the last image
    std::vector<BYTE> lastImage;    // the last image fired, a BMP file
};

struct ScanSetup {
    double setting1 = 0.01, setting2 = 0.02;
    std::vector<Region> regions; // being defined
    std::vector<Region> applied; // what the area scan uses
};

struct Hardware {
    // Configuration.
    std::vector<platform::WideString> acceptedAddresses; // empty: any dotted IPv4 address
    bool quickReleaseClosed = true;
    std::vector<TriggerKind> triggerKinds{TriggerKind::ProbeButton, TriggerKind::StableProbing};
    std::vector<TargetSpec> targets;
    int selectedTarget = 0;
    double continuousHz = 10.0;
    int measurementsPerEvent = 1;
    std::deque<SampleSpec> queuedSamples;

    // State.
    LONG status = 0; // the measurement status; 0: ready to measure
    LONG statusDetail = 0;
    platform::WideString address;
    bool stableProbingEnabled = false;
    double stableProbingTime = 500.0;
    Camera camera;
    Inclinometer inclinometer;
    Head head;
    LONG powerSource = 0;
    double powerLevel = 87.5;
    std::vector<ProfileSpec> profiles;
    int activeProfile = 0;
    ScanSetup scan;
};

Hardware& TheHardware();

// Restores the defaults.
void ResetHardware();

// A profile of the given kind with its default name and values.
ProfileSpec DefaultProfile(ProfileKind kind);

// Whether Connect accepts the address.
bool AcceptsAddress(platform::WideView address);

} // namespace trackersim
