// Controls built from a template keep their state in the window manager.
#include "ui_fixture.h"

namespace {

class Form : public CDialog {
public:
    Form() : CDialog(IDD_TEST_FORM) {}
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_TEST_SORTED, sorted);
        DDX_Control(pDX, IDC_TEST_UNSORTED, unsorted);
        DDX_Control(pDX, IDC_TEST_SLIDER, slider);
        DDX_Control(pDX, IDC_TEST_IP, address);
        DDX_Control(pDX, IDC_TEST_CHECK, check);
    }
    CComboBox sorted;
    CComboBox unsorted;
    CSliderCtrl slider;
    CIPAddressCtrl address;
    CButton check;
};

class ControlsTest : public UiTest {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create(IDD_TEST_FORM)); }
    Form form;
};

TEST_F(ControlsTest, SelectionFollowsInsertionsAndDeletions) {
    CComboBox& c = form.sorted;
    c.AddString(TEXT("b"));
    c.AddString(TEXT("c"));
    EXPECT_EQ(c.GetCurSel(), -1);
    EXPECT_EQ(c.SetCurSel(1), 1);
    CString text;
    c.GetWindowText(text);
    EXPECT_EQ(text, TEXT("c"));
    c.AddString(TEXT("a")); // sorts in before the selection
    EXPECT_EQ(c.GetCurSel(), 2);
    EXPECT_EQ(c.DeleteString(0), 2);
    EXPECT_EQ(c.GetCurSel(), 1);
    EXPECT_EQ(c.DeleteString(1), 1); // the selected item
    EXPECT_EQ(c.GetCurSel(), -1);
    c.SetCurSel(0);
    EXPECT_EQ(c.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(c.GetCurSel(), -1);
    c.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(c.SetCurSel(7), CB_ERR);
    c.ResetContent();
    EXPECT_EQ(c.GetCount(), 0);
}

TEST_F(ControlsTest, IpAddressTextIsAlwaysAFullDottedAddress) {
    CString text;
    form.address.GetWindowText(text);
    EXPECT_EQ(text, TEXT("0.0.0.0"));
    form.address.SetWindowText(TEXT("192.168.0.12"));
    form.address.GetWindowText(text);
    EXPECT_EQ(text, TEXT("192.168.0.12"));
    form.address.SetWindowText(TEXT("10.300"));
    form.address.GetWindowText(text);
    EXPECT_EQ(text, TEXT("10.255.0.0"));
    form.address.SetWindowText(TEXT("tracker"));
    form.address.GetWindowText(text);
    EXPECT_EQ(text, TEXT("0.0.0.0"));
}

TEST_F(ControlsTest, ClickTogglesCheckBoxAndSelectsOneRadioOfTheGroup) {
    HWND dialog = form.m_hWnd;
    EXPECT_FALSE(platform::Click(GetDlgItem(dialog, IDC_TEST_CHECK))); // hidden: out of reach
    form.ShowWindow(SW_SHOW);
    EXPECT_TRUE(platform::Click(GetDlgItem(dialog, IDC_TEST_CHECK)));
    EXPECT_EQ(form.check.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(platform::SetChecked(GetDlgItem(dialog, IDC_TEST_CHECK), true));
    EXPECT_EQ(form.check.GetCheck(), BST_CHECKED);
    platform::Click(GetDlgItem(dialog, IDC_TEST_RADIO1));
    platform::Click(GetDlgItem(dialog, IDC_TEST_RADIO3));
    EXPECT_EQ(form.IsDlgButtonChecked(IDC_TEST_RADIO1), 0u);
    EXPECT_EQ(form.IsDlgButtonChecked(IDC_TEST_RADIO3), 1u);
}

TEST_F(ControlsTest, DestroyingTheDialogDetachesItsControls) {
    form.UpdateData(FALSE);
    ASSERT_NE(form.sorted.m_hWnd, nullptr);
    HWND combo = form.sorted.m_hWnd;
    form.DestroyWindow();
    EXPECT_EQ(form.m_hWnd, nullptr);
    EXPECT_EQ(form.sorted.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(combo));
}

} // namespace
