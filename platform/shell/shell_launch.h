// What the shell is asked to launch, and a hook that takes the launching
// over (tests record launches and choose their outcome instead of running
// programs).
#pragma once

#include "../base/text.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct ShellLaunch {
    WideString verb;
    WideString file;
    WideString parameters;
    int show = 0;
};

// Returns whether the launch succeeded.
using ShellLauncher = std::function<bool(const ShellLaunch&)>;
// Installs a launcher for the process; null restores real launching.
void SetShellLauncher(ShellLauncher launcher);

// The .NET registration tool's Windows path; on Linux the simulator's
// registration tool next to the platform library stands in for it.
inline constexpr WCHAR kRegAsmPath[] =
    TEXT("C:\\Windows\\Microsoft.NET\\Framework64\\v4.0.30319\\regasm.exe");
inline constexpr char kRegToolName[] = "trackersim-regtool";

// The native program that a Windows program name runs as ("" when none).
std::string NativeProgramFor(WideView file);
// Splits a command line into arguments by the Windows rules: white space
// separates, double quotes group, a backslash escapes a quote.
std::vector<std::string> SplitCommandLine(WideView parameters);

} // namespace platform
