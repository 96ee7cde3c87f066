// DllRegisterServer and DllUnregisterServer: registration of this library,
// by its own file, from within a host process.
#include "exports.h"
#include "registration.h"

#include "../platform/com/inproc_server.h"

TRACKERSIM_EXPORT HRESULT DllRegisterServer() {
    return platform::RegisterServerFile(trackersim::RegisterLibrary);
}

TRACKERSIM_EXPORT HRESULT DllUnregisterServer() {
    return platform::ResultFromWin32(trackersim::UnregisterLibrary());
}
