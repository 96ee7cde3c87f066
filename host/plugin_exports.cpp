#include "host/plugin_exports.h"

#include "platform/base/text.h"

namespace {

template <class F> bool Resolve(HMODULE module, const char* name, F& slot, std::string& error) {
    slot = GetExport<F>(module, name);
    if (!slot && error.empty())
        error = std::string("the plug-in does not export ") + name;
    return slot != nullptr;
}

} // namespace

LoadedPlugin::LoadedPlugin(const std::string& path) {
    m_module = LoadLibraryW(platform::WideFromUtf8(path).c_str());
    if (!m_module) {
        m_error = "cannot load the plug-in " + path;
#ifndef _WIN32
        m_error += std::string(": ") + QnLastLoadError();
#endif
        return;
    }
    PluginExports& e = m_exports;
    bool all = true;
    all &= Resolve(m_module, "Open", e.Open, m_error);
    all &= Resolve(m_module, "Close", e.Close, m_error);
    all &= Resolve(m_module, "GetDeviceName", e.GetDeviceName, m_error);
    all &= Resolve(m_module, "GetDeviceType", e.GetDeviceType, m_error);
    all &= Resolve(m_module, "GetExternalButtonType", e.GetExternalButtonType, m_error);
    all &= Resolve(m_module, "GetDeviceGlobalUpDirection", e.GetDeviceGlobalUpDirection, m_error);
    all &= Resolve(m_module, "GetProbeAcqMode", e.GetProbeAcqMode, m_error);
    all &= Resolve(m_module, "SetProbeAcqMode", e.SetProbeAcqMode, m_error);
    all &= Resolve(m_module, "GetProbeSize", e.GetProbeSize, m_error);
    all &= Resolve(m_module, "StartProbeMeasure", e.StartProbeMeasure, m_error);
    all &= Resolve(m_module, "StopProbeMeasure", e.StopProbeMeasure, m_error);
    all &= Resolve(m_module, "SelectProbe", e.SelectProbe, m_error);
    all &= Resolve(m_module, "CommandExternalButtonProbe1", e.CommandExternalButtonProbe1, m_error);
    all &= Resolve(m_module, "CommandExternalButtonProbe2", e.CommandExternalButtonProbe2, m_error);
    all &= Resolve(m_module, "CommandExternalButtonProbe3", e.CommandExternalButtonProbe3, m_error);
    all &= Resolve(m_module, "CommandExternalButtonProbe4", e.CommandExternalButtonProbe4, m_error);
    all &= Resolve(m_module, "FreeData", e.FreeData, m_error);
    m_ok = all;
}

LoadedPlugin::~LoadedPlugin() {
    if (m_module)
        FreeLibrary(m_module);
}
