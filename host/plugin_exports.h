// The plug-in as the host sees it: a library and its seventeen exports.
#pragma once

#include "interfaces/zdevice.h"
#include "platform/module/libloaderapi.h"

#include <cstdint>
#include <string>

struct PluginExports {
    int (*Open)(void*) = nullptr;
    int (*Close)() = nullptr;
    int (*GetDeviceName)(const char**) = nullptr;
    int (*GetDeviceType)(int*) = nullptr;
    int (*GetExternalButtonType)(int*) = nullptr;
    int (*GetDeviceGlobalUpDirection)(double*) = nullptr;
    int (*GetProbeAcqMode)(uint32_t*) = nullptr;
    int (*SetProbeAcqMode)(uint32_t) = nullptr;
    int (*GetProbeSize)(double*) = nullptr;
    int (*StartProbeMeasure)() = nullptr;
    int (*StopProbeMeasure)() = nullptr;
    int (*SelectProbe)() = nullptr;
    int (*CommandExternalButtonProbe1)() = nullptr;
    int (*CommandExternalButtonProbe2)() = nullptr;
    int (*CommandExternalButtonProbe3)() = nullptr;
    int (*CommandExternalButtonProbe4)() = nullptr;
    int (*FreeData)(ZDEV_SCAN_DATA*) = nullptr;
};

class LoadedPlugin {
public:
    // Loads the library and resolves every export; on failure error() says
    // what is missing.
    explicit LoadedPlugin(const std::string& path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    bool ok() const { return m_ok; }
    const std::string& error() const { return m_error; }
    const PluginExports& exports() const { return m_exports; }

private:
    HMODULE m_module = nullptr;
    PluginExports m_exports;
    bool m_ok = false;
    std::string m_error;
};
