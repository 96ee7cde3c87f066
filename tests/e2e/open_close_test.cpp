// Open and Close through the exports: the connect dialog, the connection,
// the messages the user sees, and what is left behind.
#include "interfaces/tracker.h"
#include "platform/registry/registry.h"
#include "platform/ui/message_loop.h"
#include "resources/resource.h"
#include "tests/support/plugin_fixture.h"

#include <gtest/gtest.h>

using platform::Act;
using simtest::PluginTest;

namespace {

std::u16string ConnectedAddress(trackersim::SimControl& sim) {
    WCHAR buffer[64] = {};
    sim.ConnectedAddress(buffer, 64);
    return buffer;
}

class OpenCloseTest : public PluginTest {};

TEST_F(OpenCloseTest, TypedAddressConnectsAndIsSavedAtClose) {
    ASSERT_TRUE(OpenWith(u"10.1.2.3"));
    EXPECT_TRUE(Sim().IsConnected());
    EXPECT_EQ(ConnectedAddress(Sim()), u"10.1.2.3");
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Sim().CameraSwitch1(), 1);
    EXPECT_EQ(Sim().CameraSwitch2(), 0);
    EXPECT_EQ(Plugin().StartProbeMeasure(), 1);
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_FALSE(Sim().IsConnected());
    EXPECT_EQ(StoredString(u"m_ipAddressBox"), u"10.1.2.3");
    EXPECT_EQ(StoredString(u"m_cbAButtonList"), u"Measurement");
    EXPECT_EQ(Plugin().StartProbeMeasure(), 0);
}

TEST_F(OpenCloseTest, CountdownConnectsToTheStoredAddress) {
    ASSERT_TRUE(OpenWith(u"10.9.8.7"));
    ASSERT_EQ(Plugin().Close(), 1);
    screen.OnDialog(u"Connect", {Act::Check(IDC_CONNECT_AUTO_APPLY), Act::WaitUntilClosed()});
    const uint64_t before = Clock().NowMs();
    EXPECT_EQ(Plugin().Open(nullptr), 1);
    EXPECT_EQ(ConnectedAddress(Sim()), u"10.9.8.7");
    // Checked at once: empty for a second, then 3, 2, 1, and connect a second later.
    EXPECT_EQ(Clock().NowMs() - before, 4000u);
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, OpenWhileConnectedShowsNothing) {
    ASSERT_TRUE(OpenWith(u"10.0.0.1"));
    const size_t dialogs = screen.Dialogs().size();
    EXPECT_EQ(Plugin().Open(nullptr), 1);
    EXPECT_EQ(screen.Dialogs().size(), dialogs);
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, EmptyAddressFailsWithoutCreatingTheLibrary) {
    EXPECT_FALSE(OpenWith(u""));
    EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{u"Failed to connect"});
    EXPECT_EQ(Sim().CallCount(u"TrackerConnection.Connect"), 0);
}

TEST_F(OpenCloseTest, CancelledDialogConnectsWithAnEmptyAddressAndFails) {
    screen.OnDialog(u"Connect", {Act::Cancel()});
    EXPECT_EQ(Plugin().Open(nullptr), 0);
    const auto texts = BoxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FALSE(texts[0].empty()); // the library's description
    EXPECT_EQ(texts[1], u"Failed to connect");
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_OK)); // OK, no icon
}

TEST_F(OpenCloseTest, RefusedAddressShowsTheLibrarysDescription) {
    Sim().SetAcceptedAddresses(u"10.0.0.1");
    Sim().InjectFailure(u"TrackerConnection.Connect", E_FAIL, 31, u"Tracker not found", true);
    EXPECT_FALSE(OpenWith(u"10.0.0.2"));
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::u16string>{u"Tracker not found", u"Failed to connect"}));
    EXPECT_FALSE(Sim().IsConnected());
}

TEST_F(OpenCloseTest, OpenQuickReleaseWarnsAndConnectsAnyway) {
    Sim().SetQuickReleaseClosed(false);
    ASSERT_TRUE(OpenWith(u"10.0.0.1"));
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, u"Quick Release Open");
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, TrackerWithoutModelIsNotChecked) {
    Sim().SetQuickReleaseClosed(false);
    Sim().SetOffersTrackerModel(false);
    ASSERT_TRUE(OpenWith(u"10.0.0.1"));
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, UnregisteredLibraryFailsWithItsOwnMessageOnly) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Classes\\CLSID", 0, KEY_ALL_ACCESS, &key),
        ERROR_SUCCESS);
    RegDeleteTreeW(key, u"{D06FD15A-9D96-4E8D-93B6-AF5958C5F1B3}");
    RegCloseKey(key);
    EXPECT_FALSE(OpenWith(u"10.0.0.1"));
    EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{u"Failed to connect"});
}

TEST_F(OpenCloseTest, CloseWithoutOpenAndTwice) {
    EXPECT_EQ(Plugin().Close(), 1);
    ASSERT_TRUE(OpenWith(u"10.0.0.1"));
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(OpenCloseTest, FailingDisconnectKeepsTheDeviceOpen) {
    ASSERT_TRUE(OpenWith(u"10.0.0.1"));
    Sim().InjectFailure(u"Tracker.Disconnect", E_FAIL, 12, u"Tracker busy", true);
    EXPECT_EQ(Plugin().Close(), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{u"Tracker busy"});
    EXPECT_TRUE(Sim().IsConnected());
    EXPECT_EQ(Plugin().StartProbeMeasure(), 1); // still connected
    EXPECT_EQ(Plugin().SelectProbe(), 1);
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, UnloadWhileConnectedDisconnectsAndSaves) {
    ASSERT_TRUE(OpenWith(u"10.4.4.4"));
    Unload();
    EXPECT_FALSE(Sim().IsConnected());
    EXPECT_EQ(StoredString(u"m_ipAddressBox"), u"10.4.4.4");
}

TEST_F(OpenCloseTest, EveryConnectStepThatFailsIsReportedAndLeavesNothing) {
    const WCHAR* const steps[] = {
        u"TrackerConnection.Connect",
        u"TrackerModel.get_QuickRelease",
        u"BoolState.get_Value",
        u"Tracker.get_Measurements",
        u"Measurements.get_MeasurementStatus",
        u"MeasurementStatus.get_MeasurementStatusDetail",
        u"Tracker.get_TargetCollection",
        u"Tracker.get_TriggerCollection",
        u"TriggerCollection.get_Count",
        u"TriggerCollection.get_Item",
        u"Tracker.get_OverviewCamera",
        u"OverviewCamera.put_Switch1",
    };
    for (const WCHAR* step : steps) {
        SCOPED_TRACE(std::string(step, step + std::char_traits<char16_t>::length(step)));
        Sim().InjectFailure(step, E_FAIL, 99, u"Step failed", true);
        EXPECT_FALSE(OpenWith(u"10.0.0.1"));
        EXPECT_EQ(BoxTexts().back(), u"Failed to connect");
        ASSERT_GE(BoxTexts().size(), 2u);
        EXPECT_EQ(BoxTexts()[BoxTexts().size() - 2], u"Step failed");
        Sim().ClearFaults();
        // The next Open connects cleanly and Close leaves nothing behind.
        ASSERT_TRUE(OpenWith(u"10.0.0.1"));
        EXPECT_EQ(Plugin().Close(), 1);
        Reload();
        platform::PumpMessages();
        EXPECT_EQ(Sim().LiveObjectCount(), 0);
    }
}

TEST_F(OpenCloseTest, EveryDisconnectStepThatFailsIsReported) {
    const WCHAR* const steps[] = {u"Tracker.Disconnect", u"Tracker.get_Measurements",
                                  u"Tracker.get_TargetCollection", u"Tracker.get_TriggerCollection",
                                  u"Measurements.get_MeasurementStatus"};
    for (const WCHAR* step : steps) {
        SCOPED_TRACE(std::string(step, step + std::char_traits<char16_t>::length(step)));
        ASSERT_TRUE(OpenWith(u"10.0.0.1"));
        const size_t boxes = BoxTexts().size();
        Sim().InjectFailure(step, E_FAIL, 98, u"Cannot disconnect", true);
        EXPECT_EQ(Plugin().Close(), 0);
        ASSERT_EQ(BoxTexts().size(), boxes + 1);
        EXPECT_EQ(BoxTexts().back(), u"Cannot disconnect");
        Sim().ClearFaults();
        EXPECT_EQ(Plugin().Close(), 1);
    }
}

} // namespace

namespace {

TEST_F(OpenCloseTest, RegisterDeviceMakesTheLibraryCreatableAgain) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Classes\\CLSID", 0, KEY_ALL_ACCESS, &key),
        ERROR_SUCCESS);
    RegDeleteTreeW(key, u"{D06FD15A-9D96-4E8D-93B6-AF5958C5F1B3}");
    RegCloseKey(key);
    // The registration tool really runs; the library folder next to the module
    // does not exist here, so it registers the simulator beside it.
    screen.OnDialog(u"Connect", {Act::Click(IDC_CONNECT_REGISTER),
                                 Act::Type(IDC_CONNECT_ADDRESS, u"10.0.0.3"), Act::Click(IDOK)});
    const uint64_t before = Clock().NowMs();
    EXPECT_EQ(Plugin().Open(nullptr), 1);
    EXPECT_GE(Clock().NowMs() - before, 30000u); // the fixed wait between the two runs
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(OpenCloseTest, TheSheetIsRebuiltAtEveryOpen) {
    HWND first = nullptr;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(OpenWith(u"10.0.0.1"));
        HWND sheet = screen.FindShown(u"Probing Tool Settings");
        EXPECT_EQ(sheet, nullptr); // built hidden
        EXPECT_EQ(Plugin().SelectProbe(), 1);
        sheet = screen.FindShown(u"Probing Tool Settings");
        ASSERT_NE(sheet, nullptr);
        EXPECT_NE(sheet, first);
        EXPECT_EQ(Plugin().Close(), 1);
        EXPECT_FALSE(IsWindow(sheet));
        first = sheet;
    }
    EXPECT_EQ(Plugin().SelectProbe(), 1); // closed: nothing to show
}

} // namespace
