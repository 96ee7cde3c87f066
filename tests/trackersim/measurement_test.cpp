// Measurements: continuous measuring ends with the connection; measurement
// events carry their samples and exception. (Facets absent, failing or null
// are the module's measuring path tests' and the session sweep's.)
#include "tracker_fixture.h"

using namespace tracker;

class MeasurementTest : public TrackerTest {};

TEST_F(MeasurementTest, DisconnectStopsContinuousMeasuring) {
    ASSERT_EQ(measurements->StartMeasurement(), S_OK);
    ASSERT_EQ(tracker->Disconnect(), S_OK);
    EXPECT_FALSE(Sim().IsContinuousRunning());
    EXPECT_EQ(platform::PendingTimerCount(), 0u);
}

TEST_F(MeasurementTest, FiredMeasurementsCarryTheirSamplesAndException) {
    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(measurements.Get(), IID_MeasurementEvents, &sink, cookie), S_OK);
    trackersim::SampleSpec samples[2];
    samples[1].x = 99;
    Sim().FireMeasurements(samples, 2, 0, nullptr);
    Sim().FireMeasurements(samples, 1, 1234, TEXT("Target lost"));
    platform::PumpMessages();
    ASSERT_EQ(sink.calls.size(), 2u);

    ComPtr<Measurement> second;
    ASSERT_EQ(sink.Arg<MeasurementCollection>(0, 1)->get_Item(1, second.Put()), S_OK);
    ComPtr<PositionMeasurement> position;
    ASSERT_EQ(second.As(position), S_OK);
    ComPtr<Position> p;
    position->get_Position(p.Put());
    ComPtr<ScalarValue> x;
    p->get_X(x.Put());
    EXPECT_EQ(ValueOf(x), 99.0);

    auto exception = sink.Arg<TrackerException>(1, 2);
    ASSERT_TRUE(exception);
    LONG number = 0;
    ComBstr text;
    exception->get_Number(&number);
    exception->get_Description(text.Put());
    EXPECT_EQ(number, 1234);
    EXPECT_EQ(text.Str(), TEXT("Target lost"));
}
