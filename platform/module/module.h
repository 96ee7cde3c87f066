// The module's own file. HMODULE is the address where a module is loaded;
// ThisModule() is compiled into each module that calls it, so it names the
// caller's module. File names reach module code in Windows form; on Linux a
// native path /a/b appears as Z:\a\b, the way Wine presents it.
#pragma once

#include "../base/text.h"

#include <string>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
extern "C" IMAGE_DOS_HEADER __ImageBase;
namespace platform {
static inline HMODULE ThisModule() {
    return reinterpret_cast<HMODULE>(&__ImageBase);
}
} // namespace platform
#else
#include <dlfcn.h>
namespace platform {
static inline HMODULE ThisModule() {
    static const char marker = 0;
    Dl_info info{};
    return dladdr(&marker, &info) ? static_cast<HMODULE>(info.dli_fbase) : nullptr;
}
} // namespace platform
// The full file name of a module (null: the executable), truncated to
// `size` characters including the terminator; returns the characters written.
extern "C" DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
#endif

namespace platform {

// Z:\a\b → /a/b (either slash); a relative path only changes its slashes.
// Other drives have no native counterpart: empty.
std::string NativePathFromWindows(WideView path);
// /a/b → Z:\a\b; a relative path only changes its slashes.
WideString WindowsPathFromNative(std::string_view path);

} // namespace platform
