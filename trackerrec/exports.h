// The recorder's exported entry points (everything else is hidden).
#pragma once

#include "../platform/com/com.h"

#ifdef _WIN32
#define TRACKERREC_EXPORT extern "C" __declspec(dllexport)
#else
#define TRACKERREC_EXPORT extern "C" __attribute__((visibility("default")))
#endif

TRACKERREC_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object);
TRACKERREC_EXPORT HRESULT DllCanUnloadNow();
TRACKERREC_EXPORT HRESULT DllRegisterServer();
TRACKERREC_EXPORT HRESULT DllUnregisterServer();
// For the host that runs a replay: where it stands (trackerrec::ReplayStanding).
TRACKERREC_EXPORT int GetReplayStanding();
// For the host that runs a replay: it closes the session before the recording
// has played; the closing's calls are looked for further on in the recording.
TRACKERREC_EXPORT void CutReplayShort();
// For the host that asked for a recording: writes out what is gathered, then
// says how the recording stands (trackerrec::RecordingStanding).
TRACKERREC_EXPORT int GetRecordingStanding();
