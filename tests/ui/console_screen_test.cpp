// The console screen prints what appears and acts from its answers.
#include "ui_fixture.h"

#include "platform/ui/console_screen.h"

#include <sstream>

namespace {

class Form : public CDialog {
public:
    Form() : CDialog(IDD_TEST_FORM) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_TEST_EDIT, text); }
    BOOL OnInitDialog() override {
        CComboBox combo;
        combo.Attach(GetDlgItem(IDC_TEST_UNSORTED)->GetSafeHwnd());
        combo.AddString(TEXT("Confirm"));
        combo.Detach();
        return CDialog::OnInitDialog();
    }
    void OnTimer(UINT_PTR) override {}
    CString text;
};

class ConsoleScreenTest : public ::testing::Test {
protected:
    ConsoleScreenTest() : screen(out), use(screen) {}
    platform::ScopedVirtualClock clock;
    std::ostringstream out;
    platform::ConsoleScreen screen;
    platform::ScopedScreen use;
};

TEST_F(ConsoleScreenTest, ActsByControlTextAndPrintsTheDialog) {
    ASSERT_TRUE(screen.AddAnswer("type:Value=10.0.0.7;choose:#9102=confirm;check:Check;click:OK"));
    Form form;
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.text, TEXT("10.0.0.7"));
    const std::string printed = out.str();
    EXPECT_NE(printed.find("dialog \"Form\""), std::string::npos);
    EXPECT_NE(printed.find("combo #9102 \"\" items: \"Confirm\""), std::string::npos);
    EXPECT_NE(printed.find("check #9103 \"Check\" [ ]"), std::string::npos);
    EXPECT_NE(printed.find("dialog ended: OK"), std::string::npos);
}

TEST_F(ConsoleScreenTest, BoxesAreAnsweredInOrderThenByDefault) {
    ASSERT_TRUE(screen.AddAnswer("no"));
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("Really?"), TEXT("Ask"), MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("Failed to register"), TEXT("QNZUDeviceQWand"), MB_OK),
              IDOK);
    EXPECT_NE(out.str().find("message box \"Ask\" [Yes No] icon question: Really?"),
              std::string::npos);
    EXPECT_NE(out.str().find("[OK] icon none: Failed to register"), std::string::npos);
}

// Answers are names in any case; one the box does not offer is a failure and
// the box takes its default.
TEST_F(ConsoleScreenTest, AnswersIgnoreCaseAndOneTheBoxLacksFails) {
    ASSERT_TRUE(screen.AddAnswer("No"));
    ASSERT_TRUE(screen.AddAnswer("RETRY"));
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("Really?"), TEXT("Ask"), MB_YESNOCANCEL), IDNO);
    EXPECT_TRUE(screen.Failures().empty());
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("Failed to connect"), TEXT("Q"), MB_OK), IDOK);
    ASSERT_EQ(screen.Failures().size(), 1u);
    EXPECT_EQ(screen.Failures()[0], "the message box \"Failed to connect\" has no Retry button "
                                    "(it offers OK); it took its default");
}

TEST_F(ConsoleScreenTest, UnansweredDialogIsCancelledAndLabelChangesArePrinted) {
    Form form;
    platform::PostTask([&] {}); // nothing to do with the dialog: it is cancelled
    EXPECT_EQ(form.DoModal(), IDCANCEL);
    EXPECT_NE(out.str().find("(no answer: cancelled)"), std::string::npos);

    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    form.ShowWindow(SW_SHOW);
    form.GetDlgItem(IDC_TEST_EDIT)->SetWindowText(TEXT("x"));
    CWnd* label = CWnd::FromHandle(platform::FindControl(form.m_hWnd, TEXT("Value")));
    label->SetWindowText(TEXT("2 seconds"));
    EXPECT_NE(out.str().find("label #-1 \"2 seconds\""), std::string::npos);
    EXPECT_EQ(out.str().find("\"x\"\n"), std::string::npos); // edits are not labels
}

TEST_F(ConsoleScreenTest, MalformedAnswersAreRejected) {
    std::string error;
    EXPECT_FALSE(screen.AddAnswer("type:Value", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(screen.AddAnswer("jump:OK", &error));
    EXPECT_TRUE(screen.AddAnswer("wait:1000;close"));
}

} // namespace
