// Registration of the library for COM under HKEY_CURRENT_USER\Software\Classes,
// shared by the library's own DllRegisterServer and the registration tool.
#pragma once

#include "../platform/base/text.h"

namespace trackersim {

// Writes the connection class: InprocServer32 = the library's path (apartment
// threaded) and its ProgID. Returns a Win32 error code.
LONG RegisterLibrary(const platform::WideString& libraryPath);

// Removes the class and its ProgID; ERROR_SUCCESS also when nothing was registered.
LONG UnregisterLibrary();

} // namespace trackersim
