// The library's exported entry points (everything else is hidden).
#pragma once

#include "../platform/com/com.h"

#ifdef _WIN32
#define TRACKERSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define TRACKERSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

TRACKERSIM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object);
TRACKERSIM_EXPORT HRESULT DllCanUnloadNow();
TRACKERSIM_EXPORT HRESULT DllRegisterServer();
TRACKERSIM_EXPORT HRESULT DllUnregisterServer();
