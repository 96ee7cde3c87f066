// --tour: every window of the plug-in once, for people to look at and for
// checks: the connect dialog, the tool sheet with each page, the reflector
// size dialog, and a message box of each kind from the simulated tracker.
#pragma once

#include "host/options.h"

#include <string>

// Loads the plug-in, makes sure a tracker library is registered (the
// simulator is looked for in hostFolder), runs the tour on its own scripted
// screen and unloads. Returns the exit status: 0 when every step happened.
int RunTour(const std::string& plugin, const std::string& hostFolder, const HostOptions& options);
