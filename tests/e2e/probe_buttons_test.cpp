// The probe's buttons, the stable-probing trigger and the host's button
// commands, through the exports.
#include "resources/resource.h"
#include "tests/support/stored_settings.h"
#include "tests/support/plugin_fixture.h"

#include "platform/ui/message_loop.h"

#include <gtest/gtest.h>

using simtest::PluginTest;

namespace {

class ProbeButtonsTest : public PluginTest {
protected:
    void OpenAndProbe(uint32_t mode) {
        ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
        Plugin().SetProbeAcqMode(mode);
        ASSERT_EQ(Plugin().StartProbeMeasure(), 1);
    }
    void Press(int button) {
        Sim().FireProbeButton(button, true);
        platform::PumpMessages();
    }
    void Release(int button) {
        Sim().FireProbeButton(button, false);
        platform::PumpMessages();
    }
    size_t Count(ZDEV_MESSAGE_TYPE type) const {
        size_t n = 0;
        for (const auto& r : records)
            n += r.type == type;
        return n;
    }
};

// Stored actions drive the buttons; the measurement button takes one point in mode 0.
TEST_F(ProbeButtonsTest, StoredActionsAndOnePointInModeZero) {
    StoreString(TEXT("m_cbDButtonList"), TEXT("cancel"));   // matched without regard to case
    StoreString(TEXT("m_cbAButtonList"), TEXT("Nonsense")); // not an item: A keeps "Measurement"
    OpenAndProbe(0);
    Press(3);
    Press(0);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].type, ZDEV_MSG_CANCEL);
    EXPECT_EQ(records[1].type, ZDEV_MSG_MEASUREMENT);
    Release(0);
    EXPECT_EQ(Count(ZDEV_MSG_MEASUREMENT), 1u);
    EXPECT_FALSE(Sim().IsContinuousRunning());
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(ProbeButtonsTest, MeasurementButtonStreamsWhileHeldInModeOneStableProbingTakesAPoint) {
    OpenAndProbe(1);
    Sim().SetContinuousRate(50);
    Press(0);
    EXPECT_TRUE(Sim().IsContinuousRunning());
    platform::RunMessagesFor(1000);
    Release(0);
    EXPECT_FALSE(Sim().IsContinuousRunning());
    EXPECT_NEAR(static_cast<double>(Count(ZDEV_MSG_MEASUREMENT)), 50, 2);
    // Stable probing takes one point in any mode; another trigger nothing.
    const size_t streamed = records.size();
    Sim().FireStableProbing();
    Sim().FireTrigger(-1, 0, 2);
    platform::PumpMessages();
    ASSERT_EQ(records.size(), streamed + 1);
    EXPECT_EQ(records.back().type, ZDEV_MSG_MEASUREMENT);
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(ProbeButtonsTest, ConfirmAndCancelRepostTheLastFrameOnlyWhileProbing) {
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    Press(1);
    Press(2);
    EXPECT_TRUE(records.empty()); // connected, not probing
    ASSERT_EQ(Plugin().StartProbeMeasure(), 1);
    Press(1); // before any sample: an all-zero frame
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].type, ZDEV_MSG_CONFIRM);
    for (double v : records[0].data.frame)
        EXPECT_EQ(v, 0);
    Press(0); // a measurement, mode 0
    Release(2);
    Press(2);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].type, ZDEV_MSG_CANCEL);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(records[2].data.frame[i], records[1].data.frame[i]);
    EXPECT_EQ(records[2].data.GetPts()[0], records[1].data.frame[3]);
    EXPECT_EQ(records[2].data.meta.reading1, ZDEV_NOT_AVAILABLE);
    EXPECT_EQ(records[2].data.meta.rms, ZDEV_NOT_AVAILABLE);
    EXPECT_EQ(Plugin().Close(), 1);
}

TEST_F(ProbeButtonsTest, HostCommands) {
    OpenAndProbe(1);
    EXPECT_EQ(Plugin().CommandExternalButtonProbe1(), 1); // a point whatever the mode
    EXPECT_EQ(Plugin().CommandExternalButtonProbe2(), 1);
    EXPECT_EQ(Plugin().CommandExternalButtonProbe3(), 1);
    EXPECT_EQ(Plugin().CommandExternalButtonProbe4(), 1);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].type, ZDEV_MSG_MEASUREMENT);
    EXPECT_EQ(records[1].type, ZDEV_MSG_CONFIRM);
    EXPECT_EQ(records[2].type, ZDEV_MSG_CANCEL);
    EXPECT_EQ(records[3].type, ZDEV_MSG_CANCEL);
    Sim().InjectFailure(TEXT("Measurements.Measure"), E_FAIL, 1, TEXT("busy"), true);
    EXPECT_EQ(Plugin().CommandExternalButtonProbe1(), 0);
    EXPECT_EQ(Plugin().Close(), 1);
}

} // namespace
