#include "sim_fixture.h"

#include "interfaces/tracker/library_ids.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/ui/message_loop.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace simtest {

platform::WideString ClassKey() {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    return platform::WideString(TEXT("Software\\Classes\\CLSID\\")) + guid;
}

const WCHAR kProgIdKey[] = TEXT("Software\\Classes\\Tarn.Tracker.Connection.TrackerConnection");

namespace {

#ifdef _WIN32
bool UnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
#endif

} // namespace

bool RegisterSimulator(const std::filesystem::path& libraryPath) {
    const platform::WideString key = ClassKey() + TEXT("\\InprocServer32");
    HKEY hkey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &hkey, nullptr) != ERROR_SUCCESS)
        return false;
    auto set = [hkey](const WCHAR* name, const platform::WideString& value) {
        return RegSetValueExW(hkey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR))) ==
               ERROR_SUCCESS;
    };
    const bool ok =
        set(nullptr, WidePath(libraryPath)) && set(TEXT("ThreadingModel"), TEXT("Apartment"));
    RegCloseKey(hkey);
    MirrorUserClassForWine();
    return ok;
}

void UnregisterSimulator() {
    RegDeleteTreeW(HKEY_CURRENT_USER, ClassKey().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, kProgIdKey);
    MirrorUserClassForWine();
}

void MirrorUserClassForWine() {
#ifdef _WIN32
    if (!UnderWine())
        return;
    const platform::WideString key = ClassKey();
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
    HKEY source = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS)
        return;
    HKEY target = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &target, nullptr) == ERROR_SUCCESS) {
        RegCopyTreeW(source, nullptr, target);
        RegCloseKey(target);
    }
    RegCloseKey(source);
#endif
}

SimEnvironment::SimEnvironment() : m_settings({ClassKey(), kProgIdKey}) {
    if (!RegisterSimulator(SimulatorLibraryPath())) {
        ADD_FAILURE() << "cannot register the simulator";
        return;
    }
    m_comInitialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const HRESULT hr = CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_ALL,
                                        trackersim::SimControl::iid, m_control.PutVoid());
    if (FAILED(hr)) {
        ADD_FAILURE() << "cannot create the simulated tracker: 0x" << std::hex << hr;
        return;
    }
    m_control->Reset();
}

SimEnvironment::~SimEnvironment() {
    if (m_control)
        m_control->Reset();
    m_control = nullptr;
    platform::PumpMessages();
    if (m_comInitialized)
        CoUninitialize();
    UnregisterSimulator();
}

} // namespace simtest
