// Measurements: continuous measuring ends with the connection. (Fired samples,
// facets absent, failing or null are the module's measuring path tests' and
// the session sweep's.)
#include "tracker_fixture.h"

using namespace tracker;

class MeasurementTest : public TrackerTest {};

TEST_F(MeasurementTest, DisconnectStopsContinuousMeasuring) {
    ASSERT_EQ(measurements->StartMeasurement(), S_OK);
    ASSERT_EQ(tracker->Disconnect(), S_OK);
    EXPECT_FALSE(Sim().IsContinuousRunning());
    EXPECT_EQ(platform::PendingTimerCount(), 0u);
}
