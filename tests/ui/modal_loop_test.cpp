// Modal dialogs and message boxes: nested loops on the virtual clock, with
// timers and posted events still delivered.
#include "ui_fixture.h"

using platform::Act;

namespace {

class FormDialog : public CDialog {
public:
    FormDialog() : CDialog(IDD_TEST_FORM) {}
    int pressed = 0;
    int edits = 0;

protected:
    void OnPress() { ++pressed; }
    void OnEdit() { ++edits; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FormDialog, CDialog)
ON_BN_CLICKED(IDC_TEST_BUTTON, &FormDialog::OnPress)
ON_EN_CHANGE(IDC_TEST_EDIT, &FormDialog::OnEdit)
END_MESSAGE_MAP()

using ModalLoopTest = UiTest;

TEST_F(ModalLoopTest, UnscriptedDialogIsCancelledAndRecorded) {
    FormDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(screen.Dialogs().size(), 1u);
    EXPECT_EQ(screen.Dialogs()[0].shown.caption, TEXT("Form"));
    EXPECT_TRUE(screen.Dialogs()[0].defaulted);
}

TEST_F(ModalLoopTest, ScriptedInputReachesHandlersThroughTheMessageMap) {
    screen.OnDialog(TEXT("Form"), {Act::Type(IDC_TEST_EDIT, TEXT("12")), Act::Click(TEXT("Press")),
                                   Act::Click(TEXT("&Press")), Act::Click(IDOK)});
    FormDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.pressed, 2);
    EXPECT_EQ(dialog.edits, 1);
    EXPECT_TRUE(screen.Failures().empty());
    EXPECT_EQ(screen.PendingSteps(), 0u);
}

TEST_F(ModalLoopTest, DisabledButtonCannotBeClicked) {
    class Disabling : public FormDialog {
        BOOL OnInitDialog() override {
            GetDlgItem(IDC_TEST_BUTTON)->EnableWindow(FALSE);
            return TRUE;
        }
    } dialog;
    screen.OnDialog(TEXT("Form"), {Act::Click(IDC_TEST_BUTTON), Act::Click(IDOK)});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.pressed, 0);
    EXPECT_EQ(screen.Failures().size(), 1u);
}

TEST_F(ModalLoopTest, EventPostedWhileBoxIsOpenIsDeliveredBeforeTheAnswer) {
    // A box inside a modal dialog; while it is open an event arrives and
    // opens a second box on top of it.
    std::vector<std::string> order;
    class BoxDialog : public FormDialog {
    public:
        std::vector<std::string>* order = nullptr;
        int answer = 0;
        void OnTimer(UINT_PTR) override {
            KillTimer(7);
            platform::PostTask([this] {
                order->push_back("event");
                MessageBoxW(nullptr, TEXT("inner"), TEXT("#2"), MB_OK | MB_ICONWARNING);
                order->push_back("inner closed");
            });
            answer = MessageBoxW(nullptr, TEXT("outer"), TEXT("#1"), MB_OKCANCEL | MB_ICONERROR);
            order->push_back("outer closed");
            EndDialog(IDOK);
        }
        BOOL OnInitDialog() override {
            SetTimer(7, 500, nullptr);
            return TRUE;
        }
    } dialog;
    dialog.order = &order;
    // Box steps go to boxes in the order they appear: the outer box gets the
    // first, the inner one waits two seconds of virtual time and cancels.
    screen.OnDialog(TEXT("Form"), {Act::WaitUntilClosed()})
        .AnswerBox(IDOK)
        .AnswerBoxAfter(2000, IDCANCEL);

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(order, (std::vector<std::string>{"event", "inner closed", "outer closed"}));
    ASSERT_EQ(screen.Boxes().size(), 2u);
    EXPECT_EQ(screen.Boxes()[0].caption, TEXT("#1"));
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONERROR));
    EXPECT_EQ(screen.Boxes()[1].text, TEXT("inner"));
    EXPECT_EQ(screen.Boxes()[0].answer, IDOK);
    EXPECT_EQ(screen.Boxes()[1].answer, IDCANCEL);
    EXPECT_EQ(dialog.answer, IDOK);
    EXPECT_EQ(GetTickCount64(), 2500u);
}

TEST_F(ModalLoopTest, TimersKeepFiringWhileABoxWaits) {
    int ticks = 0;
    class Ticker : public FormDialog {
    public:
        int* ticks = nullptr;
        void OnTimer(UINT_PTR) override { ++*ticks; }
    } dialog;
    dialog.ticks = &ticks;
    screen.AnswerBoxAfter(1000, IDOK);
    platform::PostTask([&] {
        dialog.Create(IDD_TEST_FORM);
        dialog.SetTimer(3, 100, nullptr);
        MessageBoxW(nullptr, TEXT("wait"), TEXT("box"), MB_OK);
        dialog.DestroyWindow();
    });
    platform::PumpMessages();
    EXPECT_EQ(ticks, 10);
}

TEST_F(ModalLoopTest, UnscriptedBoxGetsItsDefaultButton) {
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("q"), TEXT("c"), MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("q"), TEXT("c"), MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("q"), nullptr, MB_OKCANCEL), IDOK);
    ASSERT_EQ(screen.Boxes().size(), 3u);
    EXPECT_TRUE(screen.Boxes()[0].defaulted);
    EXPECT_EQ(screen.Boxes()[2].caption, TEXT("Error"));
}

TEST_F(ModalLoopTest, AfxMessageBoxIsCaptionedWithTheApplicationName) {
    {
        CWinApp app(TEXT("Sample App"));
        screen.AnswerBox(IDOK);
        EXPECT_EQ(AfxMessageBox(TEXT("Hello")), IDOK);
    }
    CWinApp unnamed;
    EXPECT_EQ(AfxMessageBox(TEXT("Again"), MB_OK | MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(screen.Boxes().size(), 2u);
    EXPECT_EQ(screen.Boxes()[0].caption, TEXT("Sample App"));
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_OK)); // no icon added
    EXPECT_EQ(screen.Boxes()[1].caption, TEXT("test_ui"));       // the module's file name
}

} // namespace
