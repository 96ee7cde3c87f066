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

CString Item(CComboBox& combo, int index) {
    CString text;
    combo.GetLBText(index, text);
    return text;
}

TEST_F(ControlsTest, SortedComboOrdersByTextWithoutRegardToCase) {
    CComboBox& c = form.sorted;
    EXPECT_EQ(c.AddString(TEXT("25.400000")), 0);
    EXPECT_EQ(c.AddString(TEXT("100.000000")), 0); // text order, not value order
    EXPECT_EQ(c.AddString(TEXT("beta")), 2);
    EXPECT_EQ(c.AddString(TEXT("Alpha")), 2);
    EXPECT_EQ(c.AddString(TEXT("25.400000")), 1); // duplicates are kept, before their equal
    ASSERT_EQ(c.GetCount(), 5);
    EXPECT_EQ(Item(c, 0), TEXT("100.000000"));
    EXPECT_EQ(Item(c, 3), TEXT("Alpha"));
    EXPECT_EQ(Item(c, 4), TEXT("beta"));
    EXPECT_EQ(c.GetLBTextLen(3), 5);
    EXPECT_EQ(c.GetLBTextLen(5), CB_ERR);
}

TEST_F(ControlsTest, UnsortedComboKeepsInsertionOrderAndFindsWholeTextIgnoringCase) {
    CComboBox& c = form.unsorted;
    c.AddString(TEXT("Measurement"));
    c.AddString(TEXT("Confirm"));
    c.AddString(TEXT("Cancel"));
    EXPECT_EQ(c.InsertString(0, TEXT("First")), 0);
    EXPECT_EQ(c.InsertString(-1, TEXT("Last")), 4);
    EXPECT_EQ(c.FindStringExact(-1, TEXT("cancel")), 3);
    EXPECT_EQ(c.FindStringExact(-1, TEXT("Cancel ")), CB_ERR);
    EXPECT_EQ(c.FindStringExact(-1, TEXT("Can")), CB_ERR);
    EXPECT_EQ(c.FindStringExact(3, TEXT("first")), 0); // wraps around
    EXPECT_EQ(Item(c, 1), TEXT("Measurement"));
}

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

TEST_F(ControlsTest, EditableComboTextIsItsWindowText) {
    form.unsorted.SetWindowText(TEXT("typed"));
    CString text;
    form.unsorted.GetWindowText(text);
    EXPECT_EQ(text, TEXT("typed"));
    EXPECT_EQ(form.unsorted.GetCurSel(), -1);
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

TEST_F(ControlsTest, SliderClampsItsPositionToTheRange) {
    CSliderCtrl& s = form.slider;
    EXPECT_EQ(s.GetRangeMin(), 0);
    EXPECT_EQ(s.GetRangeMax(), 100);
    s.SetRange(1, 50);
    s.SetPos(20);
    EXPECT_EQ(s.GetPos(), 20);
    s.SetPos(80);
    EXPECT_EQ(s.GetPos(), 50);
    s.SetPos(-3);
    EXPECT_EQ(s.GetPos(), 1);
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

TEST_F(ControlsTest, EnableShowAndTextAreKeptPerWindow) {
    CWnd* button = form.GetDlgItem(IDC_TEST_BUTTON);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->IsWindowEnabled());
    button->EnableWindow(FALSE);
    EXPECT_FALSE(button->IsWindowEnabled());
    EXPECT_FALSE(form.IsWindowVisible()); // a modeless dialog starts hidden
    form.ShowWindow(SW_SHOW);
    EXPECT_TRUE(button->IsWindowVisible());
    button->ShowWindow(SW_HIDE);
    EXPECT_FALSE(button->IsWindowVisible());
    EXPECT_EQ(button->GetWindowTextLength(), 6);
    EXPECT_EQ(form.GetDlgItem(4242), nullptr);
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
