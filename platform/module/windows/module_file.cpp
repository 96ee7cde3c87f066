// The server's file as the system's GetModuleFileNameW gives it.
#include "../server_file.h"

namespace platform {

WideString ServerFileOf(HMODULE module) {
    WCHAR path[MAX_PATH] = {};
    const DWORD n = module ? GetModuleFileNameW(module, path, MAX_PATH) : 0;
    return n > 0 && n < MAX_PATH ? WideString(path, n) : WideString();
}

} // namespace platform
