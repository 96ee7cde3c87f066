// Making sure a tracker library is registered, and reaching the simulator's controls.
#pragma once

#include "platform/com/com_ptr.h"
#include "trackersim/sim_control.h"

#include <string>

// When no tracker library is registered in the hive in use (or the registered
// file is gone), registers the simulator found next to zuhost and says so on
// standard error. Where COM does not see the current user's classes (Wine),
// the user's registration is repeated under the machine's classes, also said
// on standard error, so the class is creatable. Expects COM initialised.
// Returns false with a message when that fails.
bool EnsureTrackerLibraryRegistered(const std::string& hostFolder, std::string& error);

// After the current user's registration of the tracker class changed (the
// recording library put in front of it, or taken away again): where COM does
// not see the user's classes, repeats it under the machine's classes, saying
// so on standard error unless quiet. False with a message when that fails.
bool MakeRegisteredClassSeen(std::string& error, bool quiet);

// The simulator's control interface, or null when the registered library is
// not the simulator.
ComPtr<trackersim::SimControl> SimulatorControl();
