// The connect dialog: address, countdown, and registering the tracker library.
#include "platform/module/module.h"
#include "platform/shell/shell_launch.h"
#include "platform/ui/clock.h"
#include "platform/ui/scripted_screen.h"
#include "resources/resource.h"
#include "settings/CQNRegistry.h"
#include "settings/CQNZUDeviceLTConnectDlg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using platform::Act;

namespace {

// Records every text the countdown label takes, with the virtual time.
class CountdownScreen : public platform::ScriptedScreen {
public:
    struct Label {
        std::u16string text;
        uint64_t at;
    };
    std::vector<Label> labels;
    void TextChanged(HWND control) override {
        if (GetDlgCtrlID(control) != IDC_CONNECT_COUNTDOWN)
            return;
        WCHAR text[64] = {};
        GetWindowTextW(control, text, 64);
        labels.push_back({text, platform::CurrentClock().NowMs()});
    }
};

class ConnectDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("connect-dialog-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        setenv("QNZU_REGISTRY", (folder / "hive.reg").c_str(), 1);
    }
    void TearDown() override {
        platform::SetShellLauncher(nullptr);
        std::filesystem::remove_all(folder);
    }
    std::vector<std::u16string> LabelTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& l : screen.labels) // the texts the label went through
            if (!l.text.empty() && (texts.empty() || texts.back() != l.text))
                texts.push_back(l.text);
        return texts;
    }

    std::filesystem::path folder;
    platform::ScopedVirtualClock clock;
    CountdownScreen screen;
    platform::ScopedScreen useScreen{screen};
};

TEST_F(ConnectDialogTest, CountdownConnectsFourSecondsAfterTheBoxIsChecked) {
    screen.OnDialog(u"Connect", {Act::Check(IDC_CONNECT_AUTO_APPLY), Act::WaitUntilClosed()});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(LabelTexts(),
              (std::vector<std::u16string>{u"3 seconds", u"2 seconds", u"1 seconds"}));
    EXPECT_EQ(clock.clock().NowMs(), 4000u);
    CString address;
    ASSERT_TRUE(dialog.GetAddress(address));
    EXPECT_EQ(address.Str(), u"192.168.0.1");
}

TEST_F(ConnectDialogTest, UncheckingPausesAndCheckingAgainContinues) {
    screen.OnDialog(u"Connect", {Act::Check(IDC_CONNECT_AUTO_APPLY), Act::Wait(2500),
                                 Act::Check(IDC_CONNECT_AUTO_APPLY, false), Act::Wait(5000),
                                 Act::Check(IDC_CONNECT_AUTO_APPLY), Act::WaitUntilClosed()});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(LabelTexts(),
              (std::vector<std::u16string>{u"3 seconds", u"2 seconds", u"1 seconds"}));
    EXPECT_EQ(clock.clock().NowMs(), 2500u + 5000u + 2000u);
}

TEST_F(ConnectDialogTest, WithoutTheBoxTheDialogWaitsForConnect) {
    screen.OnDialog(u"Connect", {Act::Wait(60000), Act::Type(IDC_CONNECT_ADDRESS, u"10.2.2.2"),
                                 Act::Click(IDOK)});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(LabelTexts().empty());
    CString address;
    ASSERT_TRUE(dialog.GetAddress(address));
    EXPECT_EQ(address.Str(), u"10.2.2.2");
}

TEST_F(ConnectDialogTest, StoredAddressIsShownButNeverWritten) {
    {
        CQNRegistry registry;
        registry.SetKey(u"Orlan Q-Wand", true);
        registry.WriteString(u"m_ipAddressBox", u"172.16.0.9");
    }
    screen.OnDialog(u"Connect", {Act::Type(IDC_CONNECT_ADDRESS, u""), Act::Click(IDOK)});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(screen.Dialogs().size(), 1u);
    bool shown = false;
    for (const auto& control : screen.Dialogs()[0].shown.controls)
        shown |= control.id == IDC_CONNECT_ADDRESS && control.text == u"172.16.0.9";
    EXPECT_TRUE(shown);
    CString address;
    EXPECT_FALSE(dialog.GetAddress(address)); // cleared before "Connect"
    CQNRegistry registry;
    registry.SetKey(u"Orlan Q-Wand", true);
    RegString stored;
    ASSERT_TRUE(registry.ReadString(u"m_ipAddressBox", stored));
    EXPECT_EQ(stored, u"172.16.0.9");
}

TEST_F(ConnectDialogTest, EscCancels) {
    screen.OnDialog(u"Connect", {Act::Cancel()});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    CString address;
    EXPECT_FALSE(dialog.GetAddress(address));
}

TEST_F(ConnectDialogTest, RegisterDeviceUnregistersWaitsAndRegistersByPath) {
    std::vector<platform::ShellLaunch> launches;
    std::vector<uint64_t> times;
    platform::SetShellLauncher([&](const platform::ShellLaunch& launch) {
        launches.push_back(launch);
        times.push_back(clock.clock().NowMs());
        return true;
    });
    screen.OnDialog(u"Connect", {Act::Click(IDC_CONNECT_REGISTER), Act::Cancel()});
    CQNZUDeviceLTConnectDlg dialog;
    dialog.DoModal();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].verb, u"runas");
    EXPECT_EQ(launches[0].file, platform::kRegAsmPath);
    EXPECT_EQ(launches[0].show, SW_SHOWNORMAL);
    const std::u16string library = u"\\Device\\QNZUDeviceQWand\\bin\\Tarn.Tracker.Connection.dll";
    const std::u16string first = launches[0].parameters;
    EXPECT_EQ(first.rfind(u" /u /tlb \"", 0), 0u);
    EXPECT_EQ(first.substr(first.size() - library.size() - 1), library + u"\"");
    const std::u16string path = first.substr(10, first.size() - 11);
    EXPECT_EQ(launches[1].parameters, u" /codebase \"" + path + u"\" /tlb");
    EXPECT_EQ(times[1] - times[0], 30000u);
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(ConnectDialogTest, RefusedLaunchShowsFailedToRegister) {
    int launched = 0;
    platform::SetShellLauncher([&](const platform::ShellLaunch&) {
        ++launched;
        return false;
    });
    screen.OnDialog(u"Connect", {Act::Click(IDC_CONNECT_REGISTER), Act::Cancel()});
    CQNZUDeviceLTConnectDlg dialog;
    dialog.DoModal();
    EXPECT_EQ(launched, 1);
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, u"Failed to register");
}

} // namespace
