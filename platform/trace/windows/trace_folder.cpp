// The trace folder on Windows: the user's local application data folder.
#include "platform/trace/trace.h"

#include <windows.h>

namespace qntrace {

std::filesystem::path DefaultFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH)
        return {};
    return std::filesystem::path(folder) / L"QNZU";
}

} // namespace qntrace
