#include "host/simulator_setup.h"

#include "host/recorder_owner.h"

#include "interfaces/tracker/library_ids.h"
#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/module/libloaderapi.h"
#include "platform/registry/registry.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

// The connection class's key below a classes root ("Software\\Classes" of a
// user or of the machine, or HKEY_CLASSES_ROOT itself).
platform::WideString ClassKey(const WCHAR* classesRoot) {
    OLECHAR guid[40];
    StringFromGUID2(tracker::CLSID_TrackerConnection, guid, 40);
    platform::WideString key = classesRoot;
    if (!key.empty())
        key += TEXT("\\");
    key += TEXT("CLSID\\");
    key += guid;
    key += TEXT("\\InprocServer32");
    return key;
}

constexpr const WCHAR* kClasses = TEXT("Software\\Classes");

// An open registry key, closed at the end of its scope.
struct OpenKey {
    HKEY handle = nullptr;
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (handle)
            RegCloseKey(handle);
    }
};

// A string value of the class's InprocServer32 key; empty when there is none.
platform::WideString ServerValue(HKEY root, const WCHAR* classesRoot, const WCHAR* name) {
    OpenKey key;
    if (RegOpenKeyExW(root, ClassKey(classesRoot).c_str(), 0, KEY_READ, &key.handle) !=
        ERROR_SUCCESS)
        return {};
    WCHAR value[1024] = {};
    DWORD size = sizeof value - sizeof(WCHAR);
    DWORD type = 0;
    const LONG rc =
        RegQueryValueExW(key.handle, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    return rc == ERROR_SUCCESS && type == REG_SZ ? platform::WideString(value)
                                                 : platform::WideString();
}

std::string RegisteredServerPath() {
    return platform::Utf8FromWide(ServerValue(HKEY_CURRENT_USER, kClasses, nullptr));
}

bool FileExists(const std::string& path) {
    return std::ifstream(platform::PathFromUtf8(path)).good();
}

// Windows shows the current user's classes in HKEY_CLASSES_ROOT, where COM
// looks for a class; Wine (8) shows only the machine's, so there the user's
// registration alone leaves the class not creatable. When COM's view of the
// class is not the user's registration, the registration's values are written
// under the machine's classes too. Returns a Win32 error code.
LONG MirrorUserRegistration() {
    OpenKey target;
    LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, ClassKey(kClasses).c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &target.handle, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    // What our registrations write, and what a .NET registration adds.
    const WCHAR* const names[] = {nullptr,       TEXT("ThreadingModel"), TEXT("CodeBase"),
                                  TEXT("Class"), TEXT("Assembly"),       TEXT("RuntimeVersion")};
    for (const WCHAR* name : names) {
        const platform::WideString value = ServerValue(HKEY_CURRENT_USER, kClasses, name);
        if (value.empty())
            continue;
        rc = RegSetValueExW(target.handle, name, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
        if (rc != ERROR_SUCCESS)
            break;
    }
    return rc;
}

bool MakeUserRegistrationSeen(const std::string& registered, std::string& error, bool quiet) {
    const platform::WideString user = ServerValue(HKEY_CURRENT_USER, kClasses, nullptr);
    if (ServerValue(HKEY_CLASSES_ROOT, TEXT(""), nullptr) == user)
        return true;
    const LONG rc = MirrorUserRegistration();
    if (rc != ERROR_SUCCESS) {
        error = "the tracker library registered for the current user (" + registered +
                ") is not among the classes COM sees, and registering it under the machine's "
                "classes failed (error " +
                std::to_string(rc) + ")";
        return false;
    }
    ComPtr<IClassFactory> factory;
    const HRESULT hr = CoGetClassObject(tracker::CLSID_TrackerConnection, CLSCTX_INPROC_SERVER,
                                        nullptr, IID_IClassFactory, factory.PutVoid());
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        error = "registered the tracker library " + registered +
                " under the machine's classes too, but its class cannot be created (" + code + ")";
        return false;
    }
    if (!quiet)
        std::fprintf(stderr,
                     "zuhost: COM here does not see the current user's classes (as under Wine); "
                     "registered %s under the machine's classes too\n",
                     registered.c_str());
    return true;
}

} // namespace

bool EnsureTrackerLibraryRegistered(const std::string& hostFolder, std::string& error) {
    RecorderOwnerAfterCleanup(); // another zuhost's session keeps it; the session says so
    const std::string registered = RegisteredServerPath();
    if (!registered.empty() && FileExists(registered))
        return MakeUserRegistrationSeen(registered, error, false);
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
    return MakeUserRegistrationSeen(RegisteredServerPath(), error, false);
}

bool MakeRegisteredClassSeen(std::string& error, bool quiet) {
    return MakeUserRegistrationSeen(RegisteredServerPath(), error, quiet);
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
