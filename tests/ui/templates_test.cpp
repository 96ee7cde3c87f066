// The module's dialog templates: what the dialogs show, and layouts a real
// dialog can render (inside the dialog, no overlaps, unique ids).
#include "ui_fixture.h"

#include "resources/dialog_templates.h"

#include <algorithm>

namespace {

using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::DialogTemplate;

// A combo box's height includes its drop-down list; on the dialog it takes
// one edit line.
int VisibleHeight(const ControlTemplate& c) {
    return c.kind == ControlKind::ComboDropDown ? 14 : c.cy;
}

bool Inside(const ControlTemplate& c, const ControlTemplate& box) {
    return c.x >= box.x && c.y >= box.y && c.x + c.cx <= box.x + box.cx &&
           c.y + VisibleHeight(c) <= box.y + box.cy;
}

bool Overlap(const ControlTemplate& a, const ControlTemplate& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + VisibleHeight(b) &&
           b.y < a.y + VisibleHeight(a);
}

TEST(DialogTemplatesTest, LayoutsFitAndDoNotOverlap) {
    for (const DialogTemplate& d : ModuleDialogTemplates()) {
        SCOPED_TRACE(platform::Utf8FromWide(d.caption));
        for (size_t i = 0; i < d.controls.size(); ++i) {
            const ControlTemplate& a = d.controls[i];
            EXPECT_GE(a.x, 0);
            EXPECT_GE(a.y, 0);
            EXPECT_LE(a.x + a.cx, d.cx) << platform::Utf8FromWide(a.text);
            EXPECT_LE(a.y + VisibleHeight(a), d.cy) << platform::Utf8FromWide(a.text);
            for (size_t j = i + 1; j < d.controls.size(); ++j) {
                const ControlTemplate& b = d.controls[j];
                if (a.id != IDC_STATIC) {
                    EXPECT_NE(a.id, b.id);
                }
                const bool grouped = (a.kind == ControlKind::GroupBox && Inside(b, a)) ||
                                     (b.kind == ControlKind::GroupBox && Inside(a, b));
                if (!grouped) {
                    EXPECT_FALSE(Overlap(a, b)) << platform::Utf8FromWide(a.text) << " / "
                                                << platform::Utf8FromWide(b.text);
                }
            }
        }
    }
}

const DialogTemplate& Find(UINT id) {
    const DialogTemplate* t = platform::ui::FindDialogTemplate(id);
    EXPECT_NE(t, nullptr);
    return *t;
}

std::vector<platform::WideString> Texts(const DialogTemplate& d) {
    std::vector<platform::WideString> texts;
    for (const ControlTemplate& c : d.controls)
        texts.push_back(c.text);
    return texts;
}

TEST(DialogTemplatesTest, CaptionsAndTextsAsTheUserSeesThem) {
    EXPECT_EQ(platform::WideString(Find(IDD_CONNECT).caption), TEXT("Connect"));
    EXPECT_EQ(Texts(Find(IDD_CONNECT)),
              (std::vector<platform::WideString>{
                  TEXT("IP : "), TEXT("192.168.0.1"), TEXT("Register Device"),
                  TEXT("Automatically apply settings in"), TEXT("3 seconds"), TEXT("Connect")}));
    EXPECT_EQ(Find(IDD_CONNECT).flags & platform::ui::kSystemMenu, 0u);
    EXPECT_EQ(
        Texts(Find(IDD_REFLECTOR_SIZE)),
        (std::vector<platform::WideString>{TEXT("Diameter"), TEXT(""), TEXT("mm"), TEXT("OK")}));
    const std::vector<std::pair<UINT, const WCHAR*>> pages = {
        {IDD_PROBE_SETTINGS, TEXT("Main")},
        {IDD_PROPPAGE_PROFILES, TEXT("Profiles")},
        {IDD_PROPPAGE_POSITIONING, TEXT("Positioning")},
        {IDD_PROPPAGE_OVC, TEXT("OVC")},
        {IDD_PROPPAGE_INCLINATION, TEXT("Inclination Sensor")}};
    for (const auto& [id, caption] : pages) {
        EXPECT_EQ(platform::WideString(Find(id).caption), caption);
        EXPECT_TRUE(Find(id).flags & platform::ui::kChildPage);
    }
}

using ModuleDialogTest = UiTest;

TEST_F(ModuleDialogTest, ProbeSettingsControlsHaveTheirKindsAndStyles) {
    CDialog page(IDD_PROBE_SETTINGS);
    ASSERT_TRUE(page.Create(IDD_PROBE_SETTINGS));
    auto style = [&](int id) {
        return static_cast<DWORD>(GetWindowLongPtrW(GetDlgItem(page.m_hWnd, id), GWL_STYLE));
    };
    EXPECT_TRUE(style(IDC_REFLECTOR_SIZE_LIST) & CBS_SORT);
    EXPECT_FALSE(style(IDC_BUTTON_A_LIST) & CBS_SORT);
    EXPECT_EQ(style(IDC_BUTTON_D_LIST) & 3u, static_cast<DWORD>(CBS_DROPDOWN));
    EXPECT_TRUE(style(IDC_STABLE_ENABLE) & BS_LEFTTEXT);
    EXPECT_EQ(platform::ClassName(GetDlgItem(page.m_hWnd, IDC_IP_ADDRESS)), WC_IPADDRESSW);
    CString text;
    page.GetDlgItemText(IDC_IP_ADDRESS, text);
    EXPECT_EQ(text, TEXT("0.0.0.0"));
    EXPECT_NE(platform::FindControl(page.m_hWnd, TEXT("Distance Tolerance")), nullptr);
    EXPECT_EQ(platform::FindInputControl(page.m_hWnd, TEXT("Distance Tolerance")),
              GetDlgItem(page.m_hWnd, IDC_DISTANCE_TOLERANCE));
}

} // namespace

namespace {

TEST_F(ModuleDialogTest, RadioGroupsOfTheProfilesPageStayApart) {
    class Page : public CDialog {
    public:
        Page() : CDialog(IDD_PROPPAGE_PROFILES) {}
        void DoDataExchange(CDataExchange* pDX) override {
            DDX_Radio(pDX, IDC_RB_FAST, stationary);
            DDX_Radio(pDX, IDC_RB_SCAN_FAST, scan);
        }
        int stationary = 2;
        int scan = 0;
    } page;
    ASSERT_TRUE(page.Create(IDD_PROPPAGE_PROFILES));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RB_PRECISE), 1u);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RB_SCAN_FAST), 1u);
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RB_SCAN_PRECISE), 0u);
    page.ShowWindow(SW_SHOW);
    platform::Click(GetDlgItem(page.m_hWnd, IDC_RB_SCAN_STANDARD));
    EXPECT_EQ(page.IsDlgButtonChecked(IDC_RB_PRECISE), 1u);
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.stationary, 2);
    EXPECT_EQ(page.scan, 1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page.m_hWnd, IDC_DISTANCE_SEPARATION)));
}

TEST(DialogTemplatesTest, OverviewCameraPageCarriesItsResourceIds) {
    const DialogTemplate& ovc = Find(IDD_PROPPAGE_OVC);
    std::vector<int> ids;
    for (const ControlTemplate& c : ovc.controls)
        ids.push_back(c.id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{1056, 1057, 1058, 1059, 1060, 1061, 1062, 1063}));
    EXPECT_EQ(ovc.controls[0].kind, ControlKind::Picture);
    EXPECT_EQ(ovc.controls[0].cx, 317);
    EXPECT_EQ(ovc.controls[0].cy, 222);
}

} // namespace
