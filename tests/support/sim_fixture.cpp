#include "sim_fixture.h"

#include "interfaces/tracker/library_ids.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/ui/message_loop.h"

#include <cstdlib>

namespace simtest {

std::string SimulatorLibraryPath() {
#ifdef _WIN32
    return std::string(QNZU_BIN_DIR) + "/Tarn.Tracker.Connection.dll";
#else
    return std::string(QNZU_BIN_DIR) + "/Tarn.Tracker.Connection.so";
#endif
}

bool RegisterSimulator(const std::string& libraryPath) {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    const platform::WideString key =
        platform::WideString(u"Software\\Classes\\CLSID\\") + guid + u"\\InprocServer32";
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
        set(nullptr, platform::WideFromUtf8(libraryPath)) && set(u"ThreadingModel", u"Apartment");
    RegCloseKey(hkey);
    return ok;
}

SimEnvironment::SimEnvironment() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qnzu-sim-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        ADD_FAILURE() << "cannot create a temporary folder";
        return;
    }
    m_folder = pattern;
    m_hive = m_folder / "HKEY_CURRENT_USER.reg";
    if (const char* previous = std::getenv("QNZU_REGISTRY"))
        m_previousHive = previous;
    ::setenv("QNZU_REGISTRY", m_hive.c_str(), 1);

    if (!RegisterSimulator(SimulatorLibraryPath())) {
        ADD_FAILURE() << "cannot register the simulator in " << m_hive;
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
    if (m_previousHive)
        ::setenv("QNZU_REGISTRY", m_previousHive->c_str(), 1);
    else
        ::unsetenv("QNZU_REGISTRY");
    if (!m_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
}

} // namespace simtest
