// One probing session as the host would run it.
#pragma once

#include "host/options.h"
#include "host/plugin_exports.h"

// Runs open, probing and close; returns the process exit status.
int RunSession(const PluginExports& plugin, const HostOptions& options);
// Prints the identity exports to standard error.
void PrintIdentity(const PluginExports& plugin);
