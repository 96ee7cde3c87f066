// One probing session as the host would run it.
#pragma once

#include "host/options.h"
#include "host/plugin_exports.h"

#include <string>
#include <vector>

// Runs open, probing and close, writes the records, the summary and the
// plot; returns the process exit status. screenFailures, when given, lists
// the answers the console screen could not carry out (they fail the run).
int RunSession(const PluginExports& plugin, const HostOptions& options,
               const std::vector<std::string>* screenFailures);
// Prints the identity exports to standard error.
void PrintIdentity(const PluginExports& plugin);
