// Launching programs through the shell and the module's own file name.
#include "platform/module/module.h"
#include "platform/shell/shell_launch.h"
#include "platform/shell/shellapi.h"

#include <gtest/gtest.h>

#include <fstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

class ShellTest : public ::testing::Test {
protected:
    ~ShellTest() override { platform::SetShellLauncher(nullptr); }
    static SHELLEXECUTEINFOW Info(LPCWSTR file, LPCWSTR parameters) {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.lpVerb = TEXT("runas");
        info.lpFile = file;
        info.lpParameters = parameters;
        info.nShow = SW_SHOWNORMAL;
        return info;
    }
};

TEST_F(ShellTest, HookRecordsLaunchesAndDecidesTheOutcome) {
    std::vector<platform::ShellLaunch> launches;
    bool succeed = true;
    platform::SetShellLauncher([&](const platform::ShellLaunch& l) {
        launches.push_back(l);
        return succeed;
    });
    SHELLEXECUTEINFOW info =
        Info(platform::kRegAsmPath, TEXT(" /codebase \"Z:\\a b\\x.dll\" /tlb"));
    EXPECT_TRUE(ShellExecuteExW(&info));
    EXPECT_GT(reinterpret_cast<intptr_t>(info.hInstApp), 32);
    succeed = false;
    EXPECT_FALSE(ShellExecuteExW(&info));
    EXPECT_LE(reinterpret_cast<intptr_t>(info.hInstApp), 32);
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].verb, TEXT("runas"));
    EXPECT_EQ(launches[0].file, platform::kRegAsmPath);
    EXPECT_EQ(launches[0].parameters, TEXT(" /codebase \"Z:\\a b\\x.dll\" /tlb"));
    EXPECT_EQ(launches[0].show, SW_SHOWNORMAL);
}

TEST_F(ShellTest, CommandLineSplitsLikeWindows) {
    EXPECT_EQ(platform::SplitCommandLine(TEXT(" /u /tlb \"Z:\\a b\\x.dll\"")),
              (std::vector<std::string>{"/u", "/tlb", "Z:\\a b\\x.dll"}));
    EXPECT_EQ(platform::SplitCommandLine(TEXT("a\\\"b \"\"")),
              (std::vector<std::string>{"a\"b", ""}));
    EXPECT_TRUE(platform::SplitCommandLine(TEXT("   ")).empty());
}

#ifndef _WIN32
// The Linux shell stand-in: it maps the registration tool to the simulator's
// and runs native programs to their end. On Windows the system's shell
// launches, and programs run by their own names.
TEST_F(ShellTest, RegistrationToolMapsToTheStandInNextToTheRuntime) {
    const std::string tool = platform::NativeProgramFor(platform::kRegAsmPath);
    EXPECT_EQ(tool.substr(tool.rfind('/') + 1), platform::kRegToolName);
    EXPECT_EQ(platform::NativeProgramFor(TEXT("Z:\\usr\\bin\\true")), "/usr/bin/true");
}

TEST_F(ShellTest, RealLaunchRunsTheProgramToItsEnd) {
    char dir[] = "/tmp/shelltestXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string marker = std::string(dir) + "/ran";
    const platform::WideString file = platform::WindowsPathFromNative("/usr/bin/touch");
    // Arguments are passed as given; touch needs the native form.
    const platform::WideString nativeParams = platform::WideFromUtf8("\"" + marker + "\"");
    SHELLEXECUTEINFOW info = Info(file.c_str(), nativeParams.c_str());
    EXPECT_TRUE(ShellExecuteExW(&info));
    EXPECT_TRUE(std::ifstream(marker).good()); // finished before the call returned
    unlink(marker.c_str());
    rmdir(dir);

    SHELLEXECUTEINFOW missing = Info(TEXT("Z:\\no\\such\\program"), TEXT(""));
    EXPECT_FALSE(ShellExecuteExW(&missing));
    SHELLEXECUTEINFOW drive = Info(TEXT("C:\\Windows\\notepad.exe"), TEXT(""));
    EXPECT_FALSE(ShellExecuteExW(&drive));
}
#endif

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
