// The connect dialog: address, countdown, and registering the tracker library.
#include "platform/module/module.h"
#include "platform/shell/shell_launch.h"
#include "platform/ui/clock.h"
#include "platform/ui/scripted_screen.h"
#include "resources/resource.h"
#include "settings/CQNRegistry.h"
#include "settings/CQNZUDeviceLTConnectDlg.h"
#include "tests/support/settings_sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>

using platform::Act;

namespace {

// Records every text the countdown label takes, with the virtual time.
class CountdownScreen : public platform::ScriptedScreen {
public:
    struct Label {
        platform::WideString text;
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
    void TearDown() override { platform::SetShellLauncher(nullptr); }
    std::vector<platform::WideString> LabelTexts() const {
        std::vector<platform::WideString> texts;
        for (const auto& l : screen.labels) // the texts the label went through
            if (!l.text.empty() && (texts.empty() || texts.back() != l.text))
                texts.push_back(l.text);
        return texts;
    }

    simtest::SettingsSandbox settings;
    platform::ScopedVirtualClock clock;
    CountdownScreen screen;
    platform::ScopedScreen useScreen{screen};
};

TEST_F(ConnectDialogTest, CountdownConnectsFourSecondsAfterTheBoxIsChecked) {
    screen.OnDialog(TEXT("Connect"), {Act::Check(IDC_CONNECT_AUTO_APPLY), Act::WaitUntilClosed()});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(LabelTexts(), (std::vector<platform::WideString>{TEXT("3 seconds"), TEXT("2 seconds"),
                                                               TEXT("1 seconds")}));
    EXPECT_EQ(clock.clock().NowMs(), 4000u);
    CString address;
    ASSERT_TRUE(dialog.GetAddress(address));
    EXPECT_EQ(address.Str(), TEXT("192.168.0.1"));
}

TEST_F(ConnectDialogTest, UncheckingPausesAndCheckingAgainContinues) {
    screen.OnDialog(TEXT("Connect"), {Act::Check(IDC_CONNECT_AUTO_APPLY), Act::Wait(2500),
                                      Act::Check(IDC_CONNECT_AUTO_APPLY, false), Act::Wait(5000),
                                      Act::Check(IDC_CONNECT_AUTO_APPLY), Act::WaitUntilClosed()});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(LabelTexts(), (std::vector<platform::WideString>{TEXT("3 seconds"), TEXT("2 seconds"),
                                                               TEXT("1 seconds")}));
    EXPECT_EQ(clock.clock().NowMs(), 2500u + 5000u + 2000u);
}

TEST_F(ConnectDialogTest, StoredAddressIsShownButNeverWritten) {
    {
        CQNRegistry registry;
        registry.SetKey(TEXT("Orlan Q-Wand"), true);
        registry.WriteString(TEXT("m_ipAddressBox"), TEXT("172.16.0.9"));
    }
    // Without the box checked the dialog waits for "Connect".
    screen.OnDialog(TEXT("Connect"),
                    {Act::Wait(60000), Act::Type(IDC_CONNECT_ADDRESS, TEXT("")), Act::Click(IDOK)});
    CQNZUDeviceLTConnectDlg dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(screen.Dialogs().size(), 1u);
    bool shown = false;
    for (const auto& control : screen.Dialogs()[0].shown.controls)
        shown |= control.id == IDC_CONNECT_ADDRESS && control.text == TEXT("172.16.0.9");
    EXPECT_TRUE(shown);
    EXPECT_TRUE(LabelTexts().empty());
    CString address;
    EXPECT_FALSE(dialog.GetAddress(address)); // cleared before "Connect"
    CQNRegistry registry;
    registry.SetKey(TEXT("Orlan Q-Wand"), true);
    RegString stored;
    ASSERT_TRUE(registry.ReadString(TEXT("m_ipAddressBox"), stored));
    EXPECT_EQ(stored, TEXT("172.16.0.9"));
}

TEST_F(ConnectDialogTest, RegisterDeviceUnregistersWaitsAndRegistersByPath) {
    std::vector<platform::ShellLaunch> launches;
    std::vector<uint64_t> times;
    platform::SetShellLauncher([&](const platform::ShellLaunch& launch) {
        launches.push_back(launch);
        times.push_back(clock.clock().NowMs());
        return true;
    });
    screen.OnDialog(TEXT("Connect"), {Act::Click(IDC_CONNECT_REGISTER), Act::Cancel()});
    CQNZUDeviceLTConnectDlg dialog;
    dialog.DoModal();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].verb, TEXT("runas"));
    EXPECT_EQ(launches[0].file, platform::kRegAsmPath);
    EXPECT_EQ(launches[0].show, SW_SHOWNORMAL);
    // The library beside the parent of the module's folder (this program's).
#ifdef _WIN32
    WCHAR module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const platform::WideString base =
        std::filesystem::path(module).parent_path().parent_path().wstring();
#else
    const platform::WideString base =
        platform::WindowsPathFromNative(std::filesystem::path(QNZU_BIN_DIR).parent_path().string());
#endif
    const platform::WideString library =
        base + TEXT("\\Device\\QNZUDeviceQWand\\bin\\Tarn.Tracker.Connection.dll");
    EXPECT_EQ(launches[0].parameters, TEXT(" /u /tlb \"") + library + TEXT("\""));
    EXPECT_EQ(launches[1].parameters, TEXT(" /codebase \"") + library + TEXT("\" /tlb"));
    EXPECT_EQ(times[1] - times[0], 30000u);
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(ConnectDialogTest, RefusedLaunchShowsFailedToRegister) {
    int launched = 0;
    platform::SetShellLauncher([&](const platform::ShellLaunch&) {
        ++launched;
        return false;
    });
    screen.OnDialog(TEXT("Connect"), {Act::Click(IDC_CONNECT_REGISTER), Act::Cancel()});
    CQNZUDeviceLTConnectDlg dialog;
    dialog.DoModal();
    EXPECT_EQ(launched, 1);
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("Failed to register"));
}

} // namespace
