// File names kept as UTF-8 (zuhost's command line, the recorder's settings):
// the path and the open file they name. Windows' narrow file functions would
// read such a name in the ANSI code page instead, and lose every character
// outside it.
#pragma once

#include "text.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

inline std::filesystem::path PathFromUtf8(std::string_view name) {
#ifdef _WIN32
    return std::filesystem::path(WideFromUtf8(name));
#else
    return std::filesystem::path(name);
#endif
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return Utf8FromWide(WideView(path.native()));
#else
    return path.native();
#endif
}

// std::fopen for a UTF-8 name.
inline std::FILE* OpenFile(const std::string& name, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(PathFromUtf8(name).c_str(), wideMode.c_str());
#else
    return std::fopen(name.c_str(), mode);
#endif
}

} // namespace platform
