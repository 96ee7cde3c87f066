// Loading a library by file name and finding its exports: LoadLibraryW,
// GetProcAddress and FreeLibrary, as a host uses them.
#pragma once

#include "../base/wintypes.h"

#ifdef _WIN32
#include <windows.h>
#else
typedef LONG_PTR(WINAPI* FARPROC)();
extern "C" {
HMODULE LoadLibraryW(LPCWSTR fileName);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
// The loader's last error text (dlerror), for the host's messages.
const char* QnLastLoadError();
}
#endif

// An export as a typed function pointer; null when the library lacks it.
template <class F> F GetExport(HMODULE module, LPCSTR name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
