// DllRegisterServer and DllUnregisterServer: registration of this library,
// by its own path, from within a host process.
#include "exports.h"
#include "registration.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#endif

namespace {

// The full path of this library; empty when it cannot be found.
platform::WideString OwnPath() {
#ifdef _WIN32
    HMODULE self = nullptr;
    WCHAR path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&OwnPath), &self) ||
        !GetModuleFileNameW(self, path, MAX_PATH))
        return {};
    return path;
#else
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    const char* path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    return platform::WideFromUtf8(path);
#endif
}

HRESULT FromWin32(LONG rc) {
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

} // namespace

TRACKERSIM_EXPORT HRESULT DllRegisterServer() {
    const platform::WideString path = OwnPath();
    if (path.empty())
        return E_UNEXPECTED;
    return FromWin32(trackersim::RegisterLibrary(path));
}

TRACKERSIM_EXPORT HRESULT DllUnregisterServer() {
    return FromWin32(trackersim::UnregisterLibrary());
}
