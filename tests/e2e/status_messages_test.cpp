// The tracker's errors, warnings and notices as the user sees them.
#include "tests/support/plugin_fixture.h"

#include "platform/ui/message_loop.h"

#include <gtest/gtest.h>

using simtest::PluginTest;
using trackersim::MessageKind;

namespace {

class StatusMessagesTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    }
    void TearDown() override {
        if (!HasFatalFailure()) {
            EXPECT_EQ(Plugin().Close(), 1);
        }
        PluginTest::TearDown();
    }
    void Fire(MessageKind kind, const WCHAR* a, const WCHAR* b, int number) {
        Sim().FireTrackerMessage(kind, a, b, number);
    }
};

// (A message whose text cannot be read shows no box.)
TEST_F(StatusMessagesTest, TextCaptionAndIconOfEachKind) {
    Sim().InjectFailure(TEXT("TrackerMessage.get_Text2"), E_FAIL, 1, TEXT("lost"), true);
    Fire(MessageKind::Warning, TEXT("unread"), TEXT("B"), 1);
    Fire(MessageKind::Warning, TEXT("A"), TEXT("B"), -5);
    Fire(MessageKind::Information, TEXT(""), TEXT(""), 3);
    Fire(MessageKind::Error, TEXT("Beam broken"), TEXT("Reacquire the target"), 42);
    Sim().FireInitializeFinished();
    platform::PumpMessages();
    const auto& boxes = screen.Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, TEXT("A\nB"));
    EXPECT_EQ(boxes[0].caption, TEXT("#-5"));
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(boxes[1].text, TEXT("\n"));
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(boxes[2].text, TEXT("Beam broken\nReacquire the target"));
    EXPECT_EQ(boxes[2].caption, TEXT("#42"));
    EXPECT_EQ(boxes[2].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes[3].text, TEXT("Initialized"));
    EXPECT_EQ(boxes[3].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(StatusMessagesTest, RepeatsOfAnOpenErrorAreSuppressed) {
    screen.AnswerBoxAfter(500, IDOK);
    Fire(MessageKind::Error, TEXT("E"), TEXT("1"), 7);
    Fire(MessageKind::Error, TEXT("E"), TEXT("1"), 7);  // arrives while the first box is open
    Fire(MessageKind::Warning, TEXT("W"), TEXT(""), 7); // warnings are not suppressed
    platform::PumpMessages();
    ASSERT_EQ(screen.Boxes().size(), 2u);
    EXPECT_EQ(screen.Boxes()[0].caption, TEXT("#7"));
    EXPECT_EQ(screen.Boxes()[1].text, TEXT("W\n"));
    Fire(MessageKind::Error, TEXT("E"), TEXT("1"), 7); // the box was closed with OK: shown again
    platform::PumpMessages();
    EXPECT_EQ(screen.Boxes().size(), 3u);
}

// A different error takes the suppression over; number 0 is never suppressed.
TEST_F(StatusMessagesTest, ADifferentErrorTakesOverTheSuppression) {
    screen.AnswerBoxAfter(500, IDOK).AnswerBoxAfter(500, IDOK).AnswerBoxAfter(500, IDOK);
    Fire(MessageKind::Error, TEXT("first"), TEXT(""), 1);
    Fire(MessageKind::Error, TEXT("second"), TEXT(""), 2);      // on top of the first
    Fire(MessageKind::Error, TEXT("first again"), TEXT(""), 1); // 2 is remembered now: shown
    Fire(MessageKind::Error, TEXT("zero"), TEXT(""), 0);
    Fire(MessageKind::Error, TEXT("zero"), TEXT(""), 0);
    platform::PumpMessages();
    ASSERT_EQ(screen.Boxes().size(), 5u);
    EXPECT_EQ(screen.Boxes()[2].text, TEXT("first again\n"));
}

} // namespace
