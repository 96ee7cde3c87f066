// A file in the test program's own folder, where the build puts the DLLs.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring BesideTheProgram(const wchar_t* name) {
    WCHAR path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}
