// The "Main" page: defaults, button actions, custom reflector diameters,
// stable probing, tolerance, and what is stored at close.
#include "platform/ui/screen_input.h"
#include "resources/resource.h"
#include "tests/support/stored_settings.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"
#include "tests/support/device_fixture.h"
#include "toolsheet/CSampleSheet.h"

#include <gtest/gtest.h>

using platform::Act;

namespace {

class ProbeSettingsPageTest : public simtest::SheetDeviceTest {
protected:
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
    platform::WideString Text(int id) {
        CString text;
        page->GetDlgItemText(id, text);
        return text.Str();
    }
    void AddDiameter(const platform::WideString& typed) {
        screen.OnDialog(TEXT("Add Reflector Size"),
                        {Act::Type(IDC_REFLECTOR_DIAMETER, typed), Act::Click(IDOK)});
        ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_ADD)));
    }
    std::vector<platform::WideString> Diameters() {
        std::vector<platform::WideString> items;
        for (int i = 0; i < page->m_cbReflectorSizeList.GetCount(); ++i) {
            CString text;
            page->m_cbReflectorSizeList.GetLBText(i, text);
            items.push_back(text.Str());
        }
        return items;
    }
    platform::WideString Stored(const WCHAR* name) {
        platform::WideString value;
        return StoredString(name, value) ? value : TEXT("<absent>");
    }

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
    EXPECT_EQ(Text(IDC_IP_ADDRESS), TEXT("0.0.0.0"));
    EXPECT_EQ(Text(IDC_STABLE_TIME), TEXT("300"));
    EXPECT_EQ(Text(IDC_DISTANCE_TOLERANCE), TEXT("0.1"));
    EXPECT_EQ(page->m_distanceTolerance, 0.1);
    // Only the first page has its window until its tab is opened.
    EXPECT_EQ(device->m_toolSheet->GetPage(1)->GetSafeHwnd(), nullptr);
    // The tolerance is parsed as typed.
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), TEXT("0.25")));
    EXPECT_EQ(page->m_distanceTolerance, 0.25);
    EXPECT_EQ(device->CurrentDistanceTolerance(), 0.25);
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), TEXT("abc")));
    EXPECT_EQ(page->m_distanceTolerance, 0.0);
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), TEXT("")));
    EXPECT_EQ(page->m_distanceTolerance, 0.0);
}

TEST_F(ProbeSettingsPageTest, DiametersAreAddedAsFormattedTextSortedNumbersOnlyAndDeleted) {
    ShowPage();
    AddDiameter(TEXT("25.4"));
    EXPECT_EQ(Diameters(), std::vector<platform::WideString>{TEXT("25.400000")});
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 0); // the first is selected
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_REFLECTOR_DELETE)));
    AddDiameter(TEXT("100"));
    AddDiameter(TEXT("25.4")); // listed again
    EXPECT_EQ(Diameters(), (std::vector<platform::WideString>{TEXT("100.000000"), TEXT("25.400000"),
                                                              TEXT("25.400000")}));
    // Kept on the first added, which the equal one is sorted before.
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 2);
    for (const WCHAR* refused : {TEXT("0"), TEXT("-3"), TEXT("nan"), TEXT("inf")})
        AddDiameter(refused);
    EXPECT_EQ(Diameters().size(), 3u);
    // Letters keep the dialog open with a message.
    screen.OnDialog(TEXT("Add Reflector Size"), {Act::Type(IDC_REFLECTOR_DIAMETER, TEXT("abc")),
                                                 Act::Click(IDOK), Act::Cancel()});
    ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_ADD)));
    ASSERT_FALSE(screen.Boxes().empty());
    EXPECT_EQ(screen.Boxes().back().text, TEXT("Please enter a number."));
    EXPECT_EQ(Diameters().size(), 3u);

    // "Delete" selects the first left, or empties the list.
    page->m_cbReflectorSizeList.SetCurSel(1);
    ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_DELETE)));
    EXPECT_EQ(Diameters(),
              (std::vector<platform::WideString>{TEXT("100.000000"), TEXT("25.400000")}));
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 0);
    ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_DELETE)));
    ASSERT_TRUE(platform::Click(Control(IDC_REFLECTOR_DELETE)));
    EXPECT_TRUE(Diameters().empty());
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), -1);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_REFLECTOR_DELETE)));
}

TEST_F(ProbeSettingsPageTest, StableProbingReachesTheTrackerOnlyWhenConnected) {
    ShowPage(); // not connected
    ASSERT_TRUE(platform::SetChecked(Control(IDC_STABLE_ENABLE), true));
    EXPECT_FALSE(Sim().StableProbingEnabled());
    DestroyAndConnect();
    ShowPage();
    EXPECT_TRUE(Sim().StableProbingEnabled());                // the stored state, applied at load
    ASSERT_TRUE(platform::Click(Control(IDC_STABLE_ENABLE))); // unchecks
    EXPECT_FALSE(Sim().StableProbingEnabled());
    Sim().InjectFailure(TEXT("BoolSwitch.put_Value"), E_FAIL, 4, TEXT("Trigger busy"), true);
    ASSERT_TRUE(platform::Click(Control(IDC_STABLE_ENABLE))); // checks; the tracker refuses
    EXPECT_FALSE(Sim().StableProbingEnabled());
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("Trigger busy"));
    ASSERT_TRUE(platform::SetChecked(Control(IDC_STABLE_ENABLE), false));
    ASSERT_TRUE(platform::SetChecked(Control(IDC_STABLE_ENABLE), true));
    EXPECT_TRUE(Sim().StableProbingEnabled());
    ASSERT_TRUE(platform::TypeText(Control(IDC_STABLE_TIME), TEXT("450")));
    EXPECT_EQ(Sim().StableProbingTime(), 450);
    Sim().InjectFailure(TEXT("NumericSetting.put_Value"), E_INVALIDARG, 3,
                        TEXT("Time out of range"), true);
    ASSERT_TRUE(platform::TypeText(Control(IDC_STABLE_TIME), TEXT("-1")));
    ASSERT_EQ(screen.Boxes().size(), 2u);
    EXPECT_EQ(screen.Boxes()[1].text, TEXT("Time out of range"));
}

TEST_F(ProbeSettingsPageTest, SettingsSurviveCloseAndReopen) {
    ConnectDevice();
    ShowPage();
    ASSERT_TRUE(platform::ChooseItem(Control(IDC_BUTTON_D_LIST), TEXT("Confirm")));
    ASSERT_TRUE(platform::ChooseItem(Control(IDC_BUTTON_A_LIST), TEXT("Cancel")));
    AddDiameter(TEXT("38.1"));
    AddDiameter(TEXT("12.7"));
    page->m_cbReflectorSizeList.SetCurSel(1);
    ASSERT_TRUE(platform::SetChecked(Control(IDC_STABLE_ENABLE), true));
    ASSERT_TRUE(platform::TypeText(Control(IDC_STABLE_TIME), TEXT("250")));
    ASSERT_TRUE(platform::TypeText(Control(IDC_DISTANCE_TOLERANCE), TEXT("0.05")));
    page->m_ipAddressBox.SetWindowText(TEXT("10.0.0.5"));
    device->DestroyToolSheet();
    EXPECT_EQ(Stored(TEXT("m_ipAddressBox")), TEXT("10.0.0.5"));
    EXPECT_EQ(Stored(TEXT("m_cbReflectorSizeList : 1")), TEXT("38.100000"));

    ShowPage();
    EXPECT_EQ(page->GetButtonAction(0), 2);
    EXPECT_EQ(page->GetButtonAction(3), 1);
    EXPECT_EQ(Diameters(),
              (std::vector<platform::WideString>{TEXT("12.700000"), TEXT("38.100000")}));
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), 1);
    EXPECT_EQ(page->m_btnCheckStable.GetCheck(), BST_CHECKED);
    EXPECT_EQ(Text(IDC_STABLE_TIME), TEXT("250"));
    EXPECT_EQ(page->m_distanceTolerance, 0.05);
    EXPECT_TRUE(Sim().StableProbingEnabled()); // applied again at load
    EXPECT_EQ(Sim().StableProbingTime(), 250);
    double size = 0;
    Sim().SetSelectedTarget(trackersim::TargetKind::CustomReflector, 1);
    EXPECT_EQ(device->GetProbeSize(&size), 1);
    EXPECT_EQ(size, 38.1);
}

TEST_F(ProbeSettingsPageTest, HandEditedValuesLoadAsFarAsTheyMakeSense) {
    StoreString(TEXT("m_cbBButtonList"), TEXT("Bogus"));
    StoreDword(TEXT("m_cbCButtonList"), 7);               // a number where text belongs
    StoreDword(TEXT("m_cbReflectorSizeList Size"), 1001); // the list loads 1000 at most
    StoreString(TEXT("m_cbReflectorSizeList : 0"), TEXT("abc"));
    StoreString(TEXT("m_cbReflectorSizeList : 2"), TEXT(""));
    StoreString(TEXT("m_cbReflectorSizeList : 1000"), TEXT("12.000000"));
    StoreDword(TEXT("m_cbReflectorSizeList Index"), 5);
    StoreString(TEXT("m_distanceTol"), TEXT("letters"));
    StoreString(TEXT("m_stableProbingTime"),
                platform::WideString(1500, TEXT('9')).c_str()); // beyond the store's limit
    ConnectDevice();
    ShowPage();
    EXPECT_EQ(page->GetButtonAction(1), 1);
    EXPECT_EQ(page->GetButtonAction(2), 2);
    EXPECT_EQ(Diameters(), std::vector<platform::WideString>{TEXT("abc")});
    EXPECT_EQ(page->m_cbReflectorSizeList.GetCurSel(), -1);
    EXPECT_EQ(page->m_distanceTolerance, 0.0);
    EXPECT_EQ(Text(IDC_STABLE_TIME), TEXT("300"));
    page->m_cbReflectorSizeList.SetCurSel(0);
    Sim().SetSelectedTarget(trackersim::TargetKind::CustomReflector, 1);
    double size = -1;
    EXPECT_EQ(device->GetProbeSize(&size), 1); // a diameter that is no number gives 0
    EXPECT_EQ(size, 0);
    device->DestroyToolSheet();
    EXPECT_EQ(Stored(TEXT("m_cbReflectorSizeList : 0")), TEXT("abc"));
    EXPECT_EQ(Stored(TEXT("m_distanceTol")), TEXT("letters"));
}

TEST_F(ProbeSettingsPageTest, ConnectAndDisconnectButtons) {
    ConnectDevice();
    ShowPage();
    page->m_ipAddressBox.SetWindowText(TEXT("10.7.7.7"));
    ASSERT_TRUE(platform::Click(Control(IDC_TRACKER_DISCONNECT)));
    EXPECT_FALSE(device->m_connected);
    EXPECT_FALSE(Sim().IsConnected());
    ASSERT_TRUE(platform::Click(Control(IDC_TRACKER_CONNECT)));
    EXPECT_TRUE(device->m_connected);
    WCHAR address[32] = {};
    Sim().ConnectedAddress(address, 32);
    EXPECT_EQ(platform::WideString(address), TEXT("10.7.7.7"));
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
    const WCHAR* captions[] = {TEXT("Main"), TEXT("Profiles"), TEXT("Positioning"), TEXT("OVC"),
                               TEXT("Inclination Sensor")};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(device->m_toolSheet->GetPage(i)->GetCaption().Str(), captions[i]);
    CString title;
    device->m_toolSheet->GetWindowText(title);
    EXPECT_EQ(title.Str(), TEXT("Probing Tool Settings"));
}

} // namespace
