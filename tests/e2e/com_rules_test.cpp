// Through the exports against a library that keeps COM's rules: the refused
// quick-release connection, a failed connect retried, and events that arrive
// while the device disconnects. (Those after it are the sink lifetime tests'.)
#include "interfaces/tracker.h"
#include "platform/ui/message_loop.h"
#include "tests/support/plugin_fixture.h"

#include <gtest/gtest.h>

using simtest::PluginTest;

namespace {

class ComRulesTest : public PluginTest {
protected:
    size_t Measured() const {
        size_t n = 0;
        for (const auto& record : records)
            n += record.type == ZDEV_MSG_MEASUREMENT;
        return n;
    }
};

TEST_F(ComRulesTest, RefusedQuickReleaseConnectionBreaksNothing) {
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    // The tracker sink does not answer BoolChangedEvents: that advise is refused.
    EXPECT_EQ(Sim().LiveConnectionCount(tracker::IID_BoolChangedEvents), 0);
    EXPECT_EQ(Sim().LiveConnectionCount(tracker::IID_TrackerEvents), 1);
    Sim().SetQuickReleaseClosed(false);
    Sim().SetQuickReleaseClosed(true);
    platform::PumpMessages();
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Sim().LiveObjectCount(), 0);
}

// Each failing step is the session sweep's; here a retry after a step early,
// halfway (the triggers) and last in the connect measures as a first connect.
TEST_F(ComRulesTest, AFailedConnectThenARetryMeasures) {
    const WCHAR* steps[] = {TEXT("TrackerModel.get_QuickRelease"),
                            TEXT("TriggerCollection.get_Item"), TEXT("OverviewCamera.put_Switch2")};
    for (const WCHAR* step : steps) {
        SCOPED_TRACE(platform::Utf8FromWide(step));
        Sim().InjectFailure(step, E_FAIL, 9, TEXT("Step failed"), true);
        EXPECT_FALSE(OpenWith(TEXT("10.0.0.1")));
        ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
        EXPECT_TRUE(Sim().IsConnected());
        ASSERT_EQ(Plugin().StartProbeMeasure(), 1);
        const size_t before = Measured();
        EXPECT_EQ(Plugin().CommandExternalButtonProbe1(), 1);
        Sim().FireProbeButton(0, true); // through the new trigger sink
        platform::PumpMessages();
        EXPECT_EQ(Measured(), before + 2);
        EXPECT_EQ(Plugin().Close(), 1);
    }
    EXPECT_EQ(Sim().LiveObjectCount(), 0);
}

TEST_F(ComRulesTest, EventsDuringAFailedDisconnectArePosted) {
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    ASSERT_EQ(Plugin().StartProbeMeasure(), 1);
    trackersim::SampleSpec sample;

    // During: the disconnect fails and its box lets the queued measurement in;
    // the device is still connected and probing, so it is posted.
    Sim().InjectFailure(TEXT("Tracker.Disconnect"), E_FAIL, 3, TEXT("Busy"), true);
    screen.AnswerBoxAfter(100, IDOK);
    Sim().FireMeasurements(&sample, 1, 0, nullptr);
    EXPECT_EQ(Plugin().Close(), 0);
    EXPECT_EQ(Measured(), 1u);
    EXPECT_EQ(BoxTexts(), std::vector<platform::WideString>{TEXT("Busy")});
    EXPECT_EQ(Plugin().Close(), 1);
}

} // namespace
