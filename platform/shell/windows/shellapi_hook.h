// The shell's program launch on Windows goes through the platform layer, so
// that a launcher installed with platform::SetShellLauncher (tests) takes it
// over; without one it is the shell's own ShellExecuteExW.
#pragma once

#include <windows.h>
// After windows.h.
#include <shellapi.h>

#define ShellExecuteExW QnShellExecuteExW

extern "C" BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
