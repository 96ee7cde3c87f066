// The module's registration of the tracker library on Windows: two elevated
// launches of the .NET registration tool through the shell, which an
// installed launcher takes over here; the wait between them is virtual.
#include "platform/module/module.h"
#include "platform/shell/shell_launch.h"
#include "platform/ui/clock.h"
#include "settings/tracker_library_registration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

class RecordedLaunches {
public:
    explicit RecordedLaunches(bool succeed) {
        platform::SetShellLauncher([this, succeed](const platform::ShellLaunch& launch) {
            launches.push_back(launch);
            return succeed;
        });
    }
    ~RecordedLaunches() { platform::SetShellLauncher(nullptr); }
    RecordedLaunches(const RecordedLaunches&) = delete;
    RecordedLaunches& operator=(const RecordedLaunches&) = delete;

    std::vector<platform::ShellLaunch> launches;
};

TEST(TrackerLibraryRegistration, UnregistersThenRegistersByPathElevated) {
    platform::ScopedVirtualClock clock;
    RecordedLaunches shell(true);
    ASSERT_TRUE(RegisterTrackerLibrary());
    ASSERT_EQ(shell.launches.size(), 2u);
    // The library beside the module's folder's parent, from this program's own path.
    WCHAR module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const platform::WideString library =
        (std::filesystem::path(module).parent_path().parent_path() /
         L"Device\\QNZUDeviceQWand\\bin\\Tarn.Tracker.Connection.dll")
            .wstring();
    for (const platform::ShellLaunch& launch : shell.launches) {
        EXPECT_EQ(launch.verb, L"runas");
        EXPECT_EQ(launch.file, platform::kRegAsmPath);
    }
    EXPECT_EQ(shell.launches[0].parameters, L" /u /tlb \"" + library + L"\"");
    EXPECT_EQ(shell.launches[1].parameters, L" /codebase \"" + library + L"\" /tlb");
    EXPECT_EQ(platform::SplitCommandLine(shell.launches[1].parameters),
              (std::vector<std::string>{"/codebase", platform::Utf8FromWide(library), "/tlb"}));
    EXPECT_GE(clock.clock().NowMs(), 30000u);
}

TEST(TrackerLibraryRegistration, ARefusedLaunchFails) {
    platform::ScopedVirtualClock clock;
    RecordedLaunches shell(false);
    EXPECT_FALSE(RegisterTrackerLibrary());
}

} // namespace
