// Open and Close through the exports: the connect dialog, the connection,
// the messages the user sees, and what is left behind.
#include "interfaces/tracker.h"
#include "platform/shell/shell_launch.h"
#include "platform/ui/message_loop.h"
#include "resources/resource.h"
#include "tests/support/plugin_fixture.h"
#include "tests/support/run_program.h"

#include <gtest/gtest.h>

using platform::Act;
using simtest::PluginTest;

namespace {

platform::WideString ConnectedAddress(trackersim::SimControl& sim) {
    WCHAR buffer[64] = {};
    sim.ConnectedAddress(buffer, 64);
    return buffer;
}

class OpenCloseTest : public PluginTest {};

TEST_F(OpenCloseTest, TypedAddressConnectsAndIsSavedAtClose) {
    ASSERT_TRUE(OpenWith(TEXT("10.1.2.3")));
    EXPECT_TRUE(Sim().IsConnected());
    EXPECT_EQ(ConnectedAddress(Sim()), TEXT("10.1.2.3"));
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Sim().CameraSwitch1(), 1);
    EXPECT_EQ(Sim().CameraSwitch2(), 0);
    EXPECT_EQ(Plugin().StartProbeMeasure(), 1);
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_FALSE(Sim().IsConnected());
    EXPECT_EQ(StoredString(TEXT("m_ipAddressBox")), TEXT("10.1.2.3"));
    EXPECT_EQ(StoredString(TEXT("m_cbAButtonList")), TEXT("Measurement"));
    EXPECT_EQ(Plugin().StartProbeMeasure(), 0);
    // Unloaded while connected: disconnected and saved as by Close.
    ASSERT_TRUE(OpenWith(TEXT("10.4.4.4")));
    Unload();
    EXPECT_FALSE(Sim().IsConnected());
    EXPECT_EQ(StoredString(TEXT("m_ipAddressBox")), TEXT("10.4.4.4"));
}

// An empty address (the library is not even created) and an unregistered
// library fail with the module's own message only.
TEST_F(OpenCloseTest, EmptyAddressOrUnregisteredLibraryFailsWithItsOwnMessageOnly) {
    EXPECT_FALSE(OpenWith(TEXT("")));
    EXPECT_EQ(BoxTexts(), std::vector<platform::WideString>{TEXT("Failed to connect")});
    EXPECT_EQ(Sim().CallCount(TEXT("TrackerConnection.Connect")), 0);
    simtest::UnregisterSimulator();
    EXPECT_FALSE(OpenWith(TEXT("10.0.0.1")));
    EXPECT_EQ(BoxTexts(), (std::vector<platform::WideString>{TEXT("Failed to connect"),
                                                             TEXT("Failed to connect")}));
}

TEST_F(OpenCloseTest, CancelledDialogConnectsWithAnEmptyAddressAndFails) {
    screen.OnDialog(TEXT("Connect"), {Act::Cancel()});
    EXPECT_EQ(Plugin().Open(nullptr), 0);
    const auto texts = BoxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FALSE(texts[0].empty()); // the library's description
    EXPECT_EQ(texts[1], TEXT("Failed to connect"));
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_OK)); // OK, no icon
}

TEST_F(OpenCloseTest, OpenQuickReleaseWarnsAndConnectsAnyway) {
    Sim().SetQuickReleaseClosed(false);
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("Quick Release Open"));
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(Plugin().Close(), 1);
    Sim().SetOffersTrackerModel(false); // then nothing is checked
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    EXPECT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, CloseWithoutOpenAndTwiceAndOpenWhileConnected) {
    EXPECT_EQ(Plugin().Close(), 1);
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    const size_t dialogs = screen.Dialogs().size();
    EXPECT_EQ(Plugin().Open(nullptr), 1);
    EXPECT_EQ(screen.Dialogs().size(), dialogs) << "open while connected shows nothing";
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(OpenCloseTest, FailingDisconnectKeepsTheDeviceOpen) {
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    Sim().InjectFailure(TEXT("Tracker.Disconnect"), E_FAIL, 12, TEXT("Tracker busy"), true);
    EXPECT_EQ(Plugin().Close(), 0);
    EXPECT_EQ(BoxTexts(), std::vector<platform::WideString>{TEXT("Tracker busy")});
    EXPECT_TRUE(Sim().IsConnected());
    EXPECT_EQ(Plugin().StartProbeMeasure(), 1); // still connected
    Plugin().SelectProbe();
    EXPECT_NE(screen.FindShown(TEXT("Probing Tool Settings")), nullptr); // the sheet is kept
    EXPECT_EQ(Plugin().Close(), 1);
}

// Disconnecting from the Main page leaves the sheet; what was entered on its
// pages survives a host Open (which reconnects into the same sheet) and is
// saved at Close, or at unload without Close.
TEST_F(OpenCloseTest, SheetDisconnectedFromItsPageIsKeptAndSaved) {
    for (const bool unload : {false, true}) {
        SCOPED_TRACE(unload ? "unload" : "open and close");
        ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
        Plugin().SelectProbe();
        HWND sheet = screen.FindShown(TEXT("Probing Tool Settings"));
        ASSERT_NE(sheet, nullptr);
        const WCHAR* tolerance = unload ? TEXT("0.07") : TEXT("0.03");
        ASSERT_TRUE(
            platform::TypeText(platform::FindControl(sheet, IDC_DISTANCE_TOLERANCE), tolerance));
        ASSERT_TRUE(platform::Click(platform::FindControl(sheet, IDC_TRACKER_DISCONNECT)));
        EXPECT_FALSE(Sim().IsConnected());
        if (unload) {
            Unload();
        } else {
            ASSERT_TRUE(OpenWith(TEXT("10.0.0.2")));
            EXPECT_EQ(screen.FindShown(TEXT("Probing Tool Settings")), sheet);
            EXPECT_EQ(platform::WindowText(platform::FindControl(sheet, IDC_DISTANCE_TOLERANCE)),
                      tolerance);
            EXPECT_EQ(Plugin().Close(), 1);
            EXPECT_FALSE(IsWindow(sheet));
        }
        EXPECT_EQ(StoredString(TEXT("m_distanceTol")), tolerance);
    }
}

} // namespace

namespace {

// Takes the shell's launching over for the length of a test.
class ScopedLauncher {
public:
    explicit ScopedLauncher(platform::ShellLauncher launcher) {
        platform::SetShellLauncher(std::move(launcher));
    }
    ~ScopedLauncher() { platform::SetShellLauncher(nullptr); }
    ScopedLauncher(const ScopedLauncher&) = delete;
    ScopedLauncher& operator=(const ScopedLauncher&) = delete;
};

TEST_F(OpenCloseTest, RegisterDeviceMakesTheLibraryCreatableAgain) {
    simtest::UnregisterSimulator();
    // The registration tool really runs; the library folder next to the module
    // does not exist here, so it registers the simulator beside it.
#ifdef _WIN32
    // Windows would run the .NET tool elevated; the simulator's tool stands in
    // for it, as the platform has it do on Linux.
    ScopedLauncher launcher([this](const platform::ShellLaunch& launch) {
        if (launch.file != platform::kRegAsmPath)
            return false;
        const int rc = simtest::RunProgram(simtest::RegToolPath(),
                                           platform::SplitCommandLine(launch.parameters),
                                           Env().Folder() / "regtool.txt");
        simtest::MirrorUserClassForWine();
        return rc >= 0;
    });
#endif
    screen.OnDialog(TEXT("Connect"),
                    {Act::Click(IDC_CONNECT_REGISTER),
                     Act::Type(IDC_CONNECT_ADDRESS, TEXT("10.0.0.3")), Act::Click(IDOK)});
    const uint64_t before = Clock().NowMs();
    EXPECT_EQ(Plugin().Open(nullptr), 1);
    EXPECT_GE(Clock().NowMs() - before, 30000u); // the fixed wait between the two runs
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, TheSheetIsRebuiltAtEveryOpen) {
    HWND first = nullptr;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
        HWND sheet = screen.FindShown(TEXT("Probing Tool Settings"));
        EXPECT_EQ(sheet, nullptr); // built hidden
        EXPECT_EQ(Plugin().SelectProbe(), 1);
        sheet = screen.FindShown(TEXT("Probing Tool Settings"));
        ASSERT_NE(sheet, nullptr);
        EXPECT_NE(sheet, first);
        EXPECT_EQ(Plugin().Close(), 1);
        EXPECT_FALSE(IsWindow(sheet));
        first = sheet;
    }
    Plugin().SelectProbe(); // closed: nothing to show
    EXPECT_EQ(screen.FindShown(TEXT("Probing Tool Settings")), nullptr);
}

} // namespace
