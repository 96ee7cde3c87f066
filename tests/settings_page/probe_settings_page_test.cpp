// The "Main" page: defaults, button actions, custom reflector diameters,
// stable probing, tolerance, and what is stored at close.
#include "platform/ui/scripted_screen.h"
#include "platform/ui/screen_input.h"
#include "resources/resource.h"
#include "settings/CQNRegistry.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"
#include "tests/support/device_fixture.h"
#include "toolsheet/CSampleSheet.h"

#include <gtest/gtest.h>

using platform::Act;

namespace {

class ProbeSettingsPageTest : public simtest::DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        if (HasFatalFailure())
            return;
        useScreen = std::make_unique<platform::ScopedScreen>(screen);
    }
    void TearDown() override {
        if (device && device->m_toolSheet)
            device->DestroyToolSheet();
        DeviceTest::TearDown();
        useScreen.reset();
    }
    // Builds the sheet as Open does and shows it, so a person can use the page.
    void ShowPage() {
        ASSERT_TRUE(device->BuildToolSheet());
        device->m_toolSheet->ShowWindow(SW_SHOW);
        page = device->m_settingsDlg.get();
        ASSERT_NE(page->GetSafeHwnd(), nullptr);
    }
    // Closes the sheet of an unconnected device and connects it.
    void DestroyAndConnect() {
        device->DestroyToolSheet();
        ConnectDevice();
    }
    HWND Control(int id) { return platform::FindControl(page->GetSafeHwnd(), id); }
    std::u16string Text(int id) {
        CString text;
        page->GetDlgItemText(id, text);
        return text.Str();
    }
    void AddDiameter(const std::u16string& typed) {
        screen.OnDialog(u"Add Reflector Size",
                        {Act::Type(IDC_REFLECTOR_DIAMETER, typed), Act::Click(IDOK)});
        ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_ADD)));
    }
    std::vector<std::u16string> Diameters() {
        std::vector<std::u16string> items;
        for (int i = 0; i < page->m_cbReflectorSizeList.GetCount(); ++i) {
            CString text;
            page->m_cbReflectorSizeList.GetLBText(i, text);
            items.push_back(text.Str());
        }
        return items;
    }
    void Store(const WCHAR* name, const WCHAR* value) {
        CQNRegistry registry;
        registry.SetKey(u"Orlan Q-Wand", true);
        registry.WriteString(name, value);
    }
    void StoreDword(const WCHAR* name, DWORD value) {
        CQNRegistry registry;
        registry.SetKey(u"Orlan Q-Wand", true);
        registry.WriteDword(name, value);
    }
    std::u16string Stored(const WCHAR* name) {
        CQNRegistry registry;
        registry.SetKey(u"Orlan Q-Wand", true);
        RegString value;
        return registry.ReadString(name, value) ? value : u"<absent>";
    }

    platform::ScriptedScreen screen;
    std::unique_ptr<platform::ScopedScreen> useScreen;
    CQNZUDeviceOrlanProbeSettingDlg* page = nullptr;
};

TEST_F(ProbeSettingsPageTest, FreshInstallationDefaults) {
    ShowPage();
    EXPECT_EQ(page->GetButtonAction(0), 0);
    EXPECT_EQ(page->GetButtonAction(1), 1);
    EXPECT_EQ(page->GetButtonAction(2), 2);
    EXPECT_EQ(page->GetButtonAction(3), -1);
    EXPECT_EQ(page->GetButtonAction(4), -1);
    EXPECT_EQ(page->GetButtonAction(-1), -1);
    EXPECT_EQ(page->m_cbAButtonList.GetCount(), 3);
    EXPECT_TRUE(Diameters().empty());
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_REFLECTOR_DELETE)));
    EXPECT_EQ(Text(IDC_IP_ADDRESS), u"0.0.0.0");
    EXPECT_EQ(Text(IDC_STABLE_TIME), u"300");
    EXPECT_EQ(Text(IDC_DISTANCE_TOLERANCE), u"0.1");
    EXPECT_EQ(page->m_distanceTolerance, 0.1);
    // Only the first page has its window until its tab is opened.
    EXPECT_EQ(device->m_toolSheet->GetPage(1)->GetSafeHwnd(), nullptr);
}

TEST_F(ProbeSettingsPageTest, DiametersAreAddedAsFormattedTextSortedByText) {
    ShowPage();
    AddDiameter(u"25.4");
    EXPECT_EQ(Diameters(), std::vector<std::u16string>{u"25.400000"});
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 0); // the first is selected
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_REFLECTOR_DELETE)));
    AddDiameter(u"100");
    AddDiameter(u"25.4"); // listed again
    EXPECT_EQ(Diameters(),
              (std::vector<std::u16string>{u"100.000000", u"25.400000", u"25.400000"}));
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 1); // kept on the first added
    for (const char16_t* refused : {u"0", u"-3", u"nan", u"inf"})
        AddDiameter(refused);
    EXPECT_EQ(Diameters().size(), 3u);
}

TEST_F(ProbeSettingsPageTest, LettersForADiameterKeepTheDialogOpen) {
    ShowPage();
    screen.OnDialog(u"Add Reflector Size",
                    {Act::Type(IDC_REFLECTOR_DIAMETER, u"abc"), Act::Click(IDOK), Act::Cancel()});
    ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_ADD)));
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, u"Please enter a number.");
    EXPECT_TRUE(Diameters().empty());
}

TEST_F(ProbeSettingsPageTest, DeletingSelectsTheFirstOrEmptiesTheList) {
    ShowPage();
    AddDiameter(u"12.7");
    AddDiameter(u"38.1");
    page->m_cbReflectorSizeList.SetCurSel(1);
    ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_DELETE)));
    EXPECT_EQ(Diameters(), std::vector<std::u16string>{u"12.700000"});
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 0);
    ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_DELETE)));
    EXPECT_TRUE(Diameters().empty());
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), -1);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_REFLECTOR_DELETE)));
}

TEST_F(ProbeSettingsPageTest, ToleranceIsParsedAsTyped) {
    ShowPage();
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), u"0.25"));
    EXPECT_EQ(page->m_distanceTolerance, 0.25);
    EXPECT_EQ(device->CurrentDistanceTolerance(), 0.25);
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), u"abc"));
    EXPECT_EQ(page->m_distanceTolerance, 0.0);
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), u""));
    EXPECT_EQ(page->m_distanceTolerance, 0.0);
}

TEST_F(ProbeSettingsPageTest, StableProbingReachesTheTrackerOnlyWhenConnected) {
    ShowPage(); // not connected
    ASSERT_TRUE(platform::SetChecked(Control(IDC_STABLE_ENABLE), true));
    EXPECT_FALSE(Sim().StableProbingEnabled());
    DestroyAndConnect();
    ShowPage();
    ASSERT_TRUE(platform::SetChecked(Control(IDC_STABLE_ENABLE), true));
    EXPECT_TRUE(Sim().StableProbingEnabled());
    ASSERT_TRUE(platform::TypeText(Control(IDC_STABLE_TIME), u"450"));
    EXPECT_EQ(Sim().StableProbingTime(), 450);
    Sim().InjectFailure(u"NumericSetting.put_Value", E_INVALIDARG, 3, u"Time out of range", true);
    ASSERT_TRUE(platform::TypeText(Control(IDC_STABLE_TIME), u"-1"));
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, u"Time out of range");
}

TEST_F(ProbeSettingsPageTest, SettingsSurviveCloseAndReopen) {
    ConnectDevice();
    ShowPage();
    ASSERT_TRUE(platform::ChooseItem(Control(IDC_BUTTON_D_LIST), u"Confirm"));
    ASSERT_TRUE(platform::ChooseItem(Control(IDC_BUTTON_A_LIST), u"Cancel"));
    AddDiameter(u"38.1");
    AddDiameter(u"12.7");
    page->m_cbReflectorSizeList.SetCurSel(1);
    ASSERT_TRUE(platform::SetChecked(Control(IDC_STABLE_ENABLE), true));
    ASSERT_TRUE(platform::TypeText(Control(IDC_STABLE_TIME), u"250"));
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), u"0.05"));
    page->m_ipAddressBox.SetWindowText(u"10.0.0.5");
    device->DestroyToolSheet();
    EXPECT_EQ(Stored(u"m_ipAddressBox"), u"10.0.0.5");
    EXPECT_EQ(Stored(u"m_cbReflectorSizeList : 1"), u"38.100000");

    ShowPage();
    EXPECT_EQ(page->GetButtonAction(0), 2);
    EXPECT_EQ(page->GetButtonAction(3), 1);
    EXPECT_EQ(Diameters(), (std::vector<std::u16string>{u"12.700000", u"38.100000"}));
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 1);
    EXPECT_EQ(page->m_btnCheckStable.GetCheck(), BST_CHECKED);
    EXPECT_EQ(Text(IDC_STABLE_TIME), u"250");
    EXPECT_EQ(page->m_distanceTolerance, 0.05);
    EXPECT_TRUE(Sim().StableProbingEnabled()); // applied again at load
    EXPECT_EQ(Sim().StableProbingTime(), 250);
    double size = 0;
    Sim().SetSelectedTarget(trackersim::TargetKind::CustomReflector, 1);
    EXPECT_EQ(device->GetProbeSize(&size), 1);
    EXPECT_EQ(size, 38.1);
}

TEST_F(ProbeSettingsPageTest, HandEditedValuesLoadAsFarAsTheyMakeSense) {
    Store(u"m_cbBButtonList", u"Bogus");
    StoreDword(u"m_cbCButtonList", 7); // a number where text belongs
    StoreDword(u"m_cbReflectorSizeList Size", 3);
    Store(u"m_cbReflectorSizeList : 0", u"abc");
    Store(u"m_cbReflectorSizeList : 2", u"");
    StoreDword(u"m_cbReflectorSizeList Index", 5);
    Store(u"m_distanceTol", u"letters");
    Store(u"m_stableProbingTime", std::u16string(1500, u'9').c_str()); // beyond the store's limit
    ConnectDevice();
    ShowPage();
    EXPECT_EQ(page->GetButtonAction(1), 1);
    EXPECT_EQ(page->GetButtonAction(2), 2);
    EXPECT_EQ(Diameters(), std::vector<std::u16string>{u"abc"});
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), -1);
    EXPECT_EQ(page->m_distanceTolerance, 0.0);
    EXPECT_EQ(Text(IDC_STABLE_TIME), u"300");
    page->m_cbReflectorSizeList.SetCurSel(0);
    Sim().SetSelectedTarget(trackersim::TargetKind::CustomReflector, 1);
    double size = -1;
    EXPECT_EQ(device->GetProbeSize(&size), 1); // a diameter that is no number gives 0
    EXPECT_EQ(size, 0);
    device->DestroyToolSheet();
    EXPECT_EQ(Stored(u"m_cbReflectorSizeList : 0"), u"abc");
    EXPECT_EQ(Stored(u"m_distanceTol"), u"letters");
}

TEST_F(ProbeSettingsPageTest, ConnectAndDisconnectButtons) {
    ConnectDevice();
    ShowPage();
    page->m_ipAddressBox.SetWindowText(u"10.7.7.7");
    ASSERT_TRUE(platform::Click(Control(IDC_TRACKER_DISCONNECT)));
    EXPECT_FALSE(device->m_connected);
    EXPECT_FALSE(Sim().IsConnected());
    ASSERT_TRUE(platform::Click(Control(IDC_TRACKER_CONNECT)));
    EXPECT_TRUE(device->m_connected);
    WCHAR address[32] = {};
    Sim().ConnectedAddress(address, 32);
    EXPECT_EQ(std::u16string(address), u"10.7.7.7");
    ASSERT_TRUE(platform::Click(Control(IDC_TRACKER_CONNECT))); // reconnects
    EXPECT_TRUE(device->m_connected);
    EXPECT_EQ(device->m_state, 1u);
}

TEST_F(ProbeSettingsPageTest, SheetIsHiddenUntilSelectedAndItsCloseBoxOnlyHides) {
    ASSERT_TRUE(device->BuildToolSheet());
    HWND sheet = device->m_toolSheet->GetSafeHwnd();
    EXPECT_FALSE(IsWindowVisible(sheet));
    EXPECT_EQ(device->SelectProbe(), 1);
    EXPECT_TRUE(IsWindowVisible(sheet));
    device->m_toolSheet->SetActivePage(2);
    ASSERT_TRUE(platform::CloseWindow(sheet));
    EXPECT_FALSE(IsWindowVisible(sheet));
    EXPECT_TRUE(IsWindow(sheet));
    device->SelectProbe();
    EXPECT_EQ(device->m_toolSheet->GetActiveIndex(), 2);
    EXPECT_EQ(device->m_toolSheet->GetPageCount(), 5);
    const char16_t* captions[] = {u"Main", u"Profiles", u"Positioning", u"OVC",
                                  u"Inclination Sensor"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(device->m_toolSheet->GetPage(i)->GetCaption().Str(), captions[i]);
    CString title;
    device->m_toolSheet->GetWindowText(title);
    EXPECT_EQ(title.Str(), u"Probing Tool Settings");
}

} // namespace
