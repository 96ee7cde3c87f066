// Dialog data exchange: loading members into controls, validating them back.
#include "ui_fixture.h"

using platform::Act;

namespace {

class NumberDialog : public CDialog {
public:
    NumberDialog() : CDialog(IDD_TEST_FORM) {}
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_TEST_EDIT, value);
        DDX_Check(pDX, IDC_TEST_CHECK, checked);
        DDX_Radio(pDX, IDC_TEST_RADIO1, radio);
        DDX_Slider(pDX, IDC_TEST_SLIDER, slider);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        GetDlgItem(IDC_TEST_EDIT)->GetWindowText(shownAtInit);
        return TRUE;
    }
    double value = 0.0;
    int checked = 0;
    int radio = 1;
    int slider = 30;
    CString shownAtInit;
};

using DdxTest = UiTest;

TEST_F(DdxTest, DoubleShowsWithoutTrailingZerosAndParsesBack) {
    NumberDialog dialog;
    screen.OnDialog(TEXT("Form"), {Act::Type(IDC_TEST_EDIT, TEXT("  25.4 ")),
                                   Act::Check(IDC_TEST_CHECK), Act::Click(IDC_TEST_RADIO3),
                                   Act::Slide(IDC_TEST_SLIDER, 45), Act::Click(IDOK)});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.shownAtInit, TEXT("0"));
    EXPECT_DOUBLE_EQ(dialog.value, 25.4);
    EXPECT_EQ(dialog.checked, 1);
    EXPECT_EQ(dialog.radio, 2);
    EXPECT_EQ(dialog.slider, 45);
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(DdxTest, CancelLeavesTheMembersAlone) {
    NumberDialog dialog;
    dialog.value = 7.5;
    screen.OnDialog(TEXT("Form"), {Act::Type(IDC_TEST_EDIT, TEXT("9")), Act::Cancel()});
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_DOUBLE_EQ(dialog.value, 7.5);
}

class IntegerDialog : public CDialog {
public:
    IntegerDialog() : CDialog(IDD_TEST_FORM) {}
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_TEST_EDIT, count);
        DDX_CBIndex(pDX, IDC_TEST_UNSORTED, index);
    }
    BOOL OnInitDialog() override {
        CComboBox combo;
        combo.Attach(GetDlgItem(IDC_TEST_UNSORTED)->GetSafeHwnd());
        combo.AddString(TEXT("zero"));
        combo.AddString(TEXT("one"));
        combo.Detach();
        return CDialog::OnInitDialog();
    }
    UINT count = 3;
    int index = -1;
};

TEST_F(DdxTest, UnsignedRejectsNegativeTextAndComboIndexFollowsTheChoice) {
    IntegerDialog dialog;
    screen
        .OnDialog(TEXT("Form"), {Act::Type(IDC_TEST_EDIT, TEXT("-1")), Act::Click(IDOK),
                                 Act::Type(IDC_TEST_EDIT, TEXT("12")),
                                 Act::Choose(IDC_TEST_UNSORTED, TEXT("ONE")), Act::Click(IDOK)})
        .AnswerBox(IDOK);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.count, 12u);
    EXPECT_EQ(dialog.index, 1);
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("Please enter a positive integer."));
}

} // namespace
