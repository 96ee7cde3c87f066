// GetModuleFileNameW over the dynamic loader's record of loaded objects.
#include "../module.h"
#include "../server_file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace {

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

std::string NativeModulePath(HMODULE module) {
    if (!module)
        return ExecutablePath();
    Dl_info info{};
    if (!dladdr(module, &info))
        return {};
    // The main program's entry may be empty or the name it was started by.
    char resolved[PATH_MAX];
    if (!info.dli_fname || !*info.dli_fname || !realpath(info.dli_fname, resolved))
        return ExecutablePath();
    return resolved;
}

} // namespace

extern "C" DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    if (!buffer || size == 0)
        return 0;
    const platform::WideString path = platform::WindowsPathFromNative(NativeModulePath(module));
    const DWORD n = std::min<DWORD>(static_cast<DWORD>(path.size()), size - 1);
    std::copy_n(path.data(), n, buffer);
    buffer[n] = 0;
    return path.size() < size ? n : size; // truncated: the buffer size, as on Windows
}

namespace platform {

WideString ServerFileOf(HMODULE module) {
    const std::string path = module ? NativeModulePath(module) : std::string();
    return WideFromUtf8(path);
}

} // namespace platform
