#include "host/simulator_setup.h"

#include "interfaces/tracker/library_ids.h"
#include "platform/base/text.h"
#include "platform/module/libloaderapi.h"
#include "platform/registry/registry.h"

#include <cstdio>
#include <fstream>

namespace {

std::string RegisteredServerPath() {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    platform::WideString key = TEXT("Software\\Classes\\CLSID\\");
    key += guid;
    key += TEXT("\\InprocServer32");
    HKEY hkey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hkey) != ERROR_SUCCESS)
        return {};
    WCHAR value[1024] = {};
    DWORD size = sizeof value - sizeof(WCHAR);
    DWORD type = 0;
    const LONG rc =
        RegQueryValueExW(hkey, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(hkey);
    return rc == ERROR_SUCCESS ? platform::Utf8FromWide(value) : std::string();
}

bool FileExists(const std::string& path) {
    return std::ifstream(path).good();
}

} // namespace

bool EnsureTrackerLibraryRegistered(const std::string& hostFolder, std::string& error) {
    const std::string registered = RegisteredServerPath();
    if (!registered.empty() && FileExists(registered))
        return true;
#ifdef _WIN32
    const std::string simulator = hostFolder + "\\Tarn.Tracker.Connection.dll";
#else
    const std::string simulator = hostFolder + "/Tarn.Tracker.Connection.so";
#endif
    HMODULE library = LoadLibraryW(platform::WideFromUtf8(simulator).c_str());
    if (!library) {
        error =
            "no tracker library is registered and the simulator " + simulator + " cannot be loaded";
        return false;
    }
    auto registerServer = GetExport<HRESULT (*)()>(library, "DllRegisterServer");
    const HRESULT hr = registerServer ? registerServer() : E_FAIL;
    FreeLibrary(library);
    if (FAILED(hr)) {
        error = "registering the simulated tracker library failed";
        return false;
    }
    std::fprintf(stderr, "zuhost: no tracker library was registered; registered the simulator %s\n",
                 simulator.c_str());
    return true;
}

ComPtr<trackersim::SimControl> SimulatorControl() {
    ComPtr<IUnknown> unknown;
    ComPtr<trackersim::SimControl> control;
    if (FAILED(CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IUnknown, unknown.PutVoid())))
        return control;
    unknown.As(control);
    return control;
}
