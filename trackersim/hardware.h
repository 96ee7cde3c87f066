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
    std::u16string name;
    double size; // radius of reflectors and radius targets; the probe's tip size
};

struct Hardware {
    // Configuration.
    std::vector<std::u16string> acceptedAddresses; // empty: any dotted IPv4 address
    bool quickReleaseClosed = true;
    std::vector<TriggerKind> triggerKinds{TriggerKind::ProbeButton, TriggerKind::StableProbing};
    std::vector<TargetSpec> targets;
    int selectedTarget = 0;
    double continuousHz = 10.0;
    int measurementsPerEvent = 1;
    std::deque<SampleSpec> queuedSamples;

    // State.
    bool connected = false;
    LONG status = 0; // the measurement status; 0: ready to measure
    LONG statusDetail = 0;
    std::u16string address;
    bool stableProbingEnabled = false;
    double stableProbingTime = 500.0;
    LONG cameraSwitch1 = 0;
    LONG cameraSwitch2 = 1;
};

Hardware& TheHardware();

// Restores the defaults.
void ResetHardware();

// Whether Connect accepts the address.
bool AcceptsAddress(std::u16string_view address);

} // namespace trackersim
