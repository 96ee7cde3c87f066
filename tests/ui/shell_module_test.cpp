// The shell's command lines, Windows and native paths, and the module's own
// file name.
#include "platform/module/module.h"
#include "platform/shell/shell_launch.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellTest, CommandLineSplitsLikeWindows) {
    EXPECT_EQ(platform::SplitCommandLine(TEXT(" /u /tlb \"Z:\\a b\\x.dll\"")),
              (std::vector<std::string>{"/u", "/tlb", "Z:\\a b\\x.dll"}));
    EXPECT_EQ(platform::SplitCommandLine(TEXT("a\\\"b \"\"")),
              (std::vector<std::string>{"a\"b", ""}));
    EXPECT_TRUE(platform::SplitCommandLine(TEXT("   ")).empty());
}

TEST(ModulePathTest, WindowsAndNativePathsConvertBothWays) {
    EXPECT_EQ(platform::WindowsPathFromNative("/opt/zu/bin/QNZUDeviceQWand.so"),
              TEXT("Z:\\opt\\zu\\bin\\QNZUDeviceQWand.so"));
    EXPECT_EQ(platform::NativePathFromWindows(TEXT("Z:\\opt\\zu\\Device\\x.dll")),
              "/opt/zu/Device/x.dll");
    EXPECT_EQ(platform::NativePathFromWindows(TEXT("z:/a/b")), "/a/b");
    EXPECT_EQ(platform::NativePathFromWindows(TEXT("C:\\Windows")), "");
    EXPECT_EQ(platform::NativePathFromWindows(TEXT("\\\\server\\share")), "");
    EXPECT_EQ(platform::NativePathFromWindows(TEXT("rel\\dir")), "rel/dir");
}

#ifndef _WIN32
// The Linux stand-in for GetModuleFileNameW; on Windows it is the system's.
TEST(ModulePathTest, ModuleFileNameIsTheCallersFileInWindowsForm) {
    WCHAR path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(platform::ThisModule(), path, MAX_PATH);
    const platform::WideString name(path, n);
    EXPECT_EQ(name.rfind(TEXT("Z:\\"), 0), 0u);
    EXPECT_EQ(name.substr(name.rfind(TEXT('\\')) + 1), TEXT("test_ui"));
    EXPECT_EQ(name.find(TEXT('/')), platform::WideString::npos);

    WCHAR small[8] = {};
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 8), 8u); // truncated
    EXPECT_EQ(small[7], TEXT('\0'));
}
#endif

} // namespace
