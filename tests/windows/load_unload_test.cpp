// The plug-in DLL loaded by file name and unloaded again, a hundred times in
// one process: every load answers through its exports, every unload really
// unloads it, and no handle is left behind (where the process's handle count
// can be read: Wine 8 answers 0).
#include "beside_the_program.h"

#include "platform/module/libloaderapi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

DWORD HandleCount() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

// One load: the identity exports answer and Close without Open succeeds.
void LoadUseAndUnload(const std::wstring& path) {
    HMODULE module = LoadLibraryW(path.c_str());
    ASSERT_NE(module, nullptr) << GetLastError();
    const char* name = nullptr;
    auto getName = GetExport<int (*)(const char**)>(module, "GetDeviceName");
    ASSERT_NE(getName, nullptr);
    EXPECT_EQ(getName(&name), 1);
    EXPECT_STREQ(name, "Orlan Q-Wand");
    auto close = GetExport<int (*)()>(module, "Close");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close(), 1);
    ASSERT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(L"QNZUDeviceQWand.dll"), nullptr);
}

TEST(PluginLoading, AHundredLoadsAndUnloadsLeaveNothingLoaded) {
    const std::wstring path = BesideTheProgram(L"QNZUDeviceQWand.dll");
    // The first load sets up what lives as long as the process (the loader's
    // and the runtime's own state).
    LoadUseAndUnload(path);
    const DWORD before = HandleCount();
    for (int i = 0; i < 100 && !HasFatalFailure(); ++i)
        LoadUseAndUnload(path);
    if (before != 0) {
        EXPECT_EQ(HandleCount(), before);
    }
}

} // namespace
