// Loading, opening, closing and unloading the plug-in many times in one
// process, checking that nothing of the tracker library is left behind.
#pragma once

#include <string>

// Returns the exit status: 0 when every cycle opened and closed and the
// library's live objects came back to zero.
int RunLoadCycles(const std::string& plugin, int cycles, const std::string& address);
