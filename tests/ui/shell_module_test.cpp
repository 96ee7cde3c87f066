// Launching programs through the shell and the module's own file name.
#include "platform/module/module.h"
#include "platform/shell/shell_launch.h"
#include "platform/shell/shellapi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace {

class ShellTest : public ::testing::Test {
protected:
    ~ShellTest() override { platform::SetShellLauncher(nullptr); }
    static SHELLEXECUTEINFOW Info(LPCWSTR file, LPCWSTR parameters) {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.lpVerb = u"runas";
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
    SHELLEXECUTEINFOW info = Info(platform::kRegAsmPath, u" /codebase \"Z:\\a b\\x.dll\" /tlb");
    EXPECT_TRUE(ShellExecuteExW(&info));
    EXPECT_GT(reinterpret_cast<intptr_t>(info.hInstApp), 32);
    succeed = false;
    EXPECT_FALSE(ShellExecuteExW(&info));
    EXPECT_LE(reinterpret_cast<intptr_t>(info.hInstApp), 32);
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].verb, u"runas");
    EXPECT_EQ(launches[0].file, platform::kRegAsmPath);
    EXPECT_EQ(launches[0].parameters, u" /codebase \"Z:\\a b\\x.dll\" /tlb");
    EXPECT_EQ(launches[0].show, SW_SHOWNORMAL);
}

TEST_F(ShellTest, CommandLineSplitsLikeWindows) {
    EXPECT_EQ(platform::SplitCommandLine(u" /u /tlb \"Z:\\a b\\x.dll\""),
              (std::vector<std::string>{"/u", "/tlb", "Z:\\a b\\x.dll"}));
    EXPECT_EQ(platform::SplitCommandLine(u"a\\\"b \"\""), (std::vector<std::string>{"a\"b", ""}));
    EXPECT_TRUE(platform::SplitCommandLine(u"   ").empty());
}

TEST_F(ShellTest, RegistrationToolMapsToTheStandInNextToTheRuntime) {
    const std::string tool = platform::NativeProgramFor(platform::kRegAsmPath);
    EXPECT_EQ(tool.substr(tool.rfind('/') + 1), platform::kRegToolName);
    EXPECT_EQ(platform::NativeProgramFor(u"Z:\\usr\\bin\\true"), "/usr/bin/true");
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

    SHELLEXECUTEINFOW missing = Info(u"Z:\\no\\such\\program", u"");
    EXPECT_FALSE(ShellExecuteExW(&missing));
    SHELLEXECUTEINFOW drive = Info(u"C:\\Windows\\notepad.exe", u"");
    EXPECT_FALSE(ShellExecuteExW(&drive));
}

TEST(ModulePathTest, WindowsAndNativePathsConvertBothWays) {
    EXPECT_EQ(platform::WindowsPathFromNative("/opt/zu/bin/QNZUDeviceQWand.so"),
              u"Z:\\opt\\zu\\bin\\QNZUDeviceQWand.so");
    EXPECT_EQ(platform::NativePathFromWindows(u"Z:\\opt\\zu\\Device\\x.dll"),
              "/opt/zu/Device/x.dll");
    EXPECT_EQ(platform::NativePathFromWindows(u"z:/a/b"), "/a/b");
    EXPECT_EQ(platform::NativePathFromWindows(u"C:\\Windows"), "");
    EXPECT_EQ(platform::NativePathFromWindows(u"\\\\server\\share"), "");
    EXPECT_EQ(platform::NativePathFromWindows(u"rel\\dir"), "rel/dir");
}

TEST(ModulePathTest, ModuleFileNameIsTheCallersFileInWindowsForm) {
    WCHAR path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(platform::ThisModule(), path, MAX_PATH);
    const platform::WideString name(path, n);
    EXPECT_EQ(name.rfind(u"Z:\\", 0), 0u);
    EXPECT_EQ(name.substr(name.rfind(u'\\') + 1), u"test_ui");
    EXPECT_EQ(name.find(u'/'), platform::WideString::npos);

    WCHAR small[8] = {};
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 8), 8u); // truncated
    EXPECT_EQ(small[7], u'\0');
}

} // namespace
