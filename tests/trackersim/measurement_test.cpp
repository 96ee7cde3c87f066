// Measurements: facets and values, faults on the measuring path, one-shot and
// continuous measuring on the virtual clock, measurement events.
#include "tracker_fixture.h"

#include <cmath>

using namespace tracker;

class MeasurementTest : public TrackerTest {
protected:
    static trackersim::SampleSpec Sample() {
        trackersim::SampleSpec s;
        s.x = 10;
        s.y = 20;
        s.z = 30;
        s.rms = 0.05;
        s.i = 0;
        s.j = 0.6;
        s.k = 0.8;
        s.readings[0] = 21.5;
        s.readings[1] = 1000.0;
        s.readings[2] = 40.0;
        return s;
    }
    ComPtr<Measurement> MeasureOne(const trackersim::SampleSpec& sample) {
        Sim().QueueMeasurement(sample);
        ComPtr<Measurement> m;
        EXPECT_EQ(measurements->Measure(m.Put()), S_OK);
        return m;
    }
};

TEST_F(MeasurementTest, FacetsCanBeAbsentFailingOrNull) {
    trackersim::SampleSpec s = Sample();
    s.hasRms = false;
    s.hasSixDof = true;
    ComPtr<Measurement> m = MeasureOne(s);
    ComPtr<RmsMeasurement> rms;
    EXPECT_EQ(m.As(rms), E_NOINTERFACE);

    Sim().MakeAbsent(TEXT("Measurement.PositionMeasurement"), false);
    ComPtr<PositionMeasurement> position;
    EXPECT_EQ(m.As(position), E_NOINTERFACE);
    Sim().InjectFailure(TEXT("Measurement.DirectionalMeasurement"), E_UNEXPECTED, 0, TEXT("odd"),
                        false);
    ComPtr<DirectionalMeasurement> directional;
    EXPECT_EQ(m.As(directional), E_UNEXPECTED);
    Sim().ClearFaults();
    EXPECT_EQ(m.As(position), S_OK);

    // The two facets' get_Direction are separate operations.
    ComPtr<SixDofMeasurement> sixDof;
    ASSERT_EQ(m.As(sixDof), S_OK);
    ASSERT_EQ(m.As(directional), S_OK);
    Sim().MakeNull(TEXT("SixDofMeasurement.get_Direction"), false);
    ComPtr<Direction> d;
    EXPECT_EQ(sixDof->get_Direction(d.Put()), S_OK);
    EXPECT_FALSE(d);
    EXPECT_EQ(directional->get_Direction(d.Put()), S_OK);
    EXPECT_TRUE(d);

    Sim().MakeNull(TEXT("Measurement.get_Reading2"), true);
    ComPtr<ScalarValue> reading;
    EXPECT_EQ(m->get_Reading2(reading.Put()), S_OK);
    EXPECT_FALSE(reading);
}

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
    trackersim::SampleSpec samples[2] = {Sample(), Sample()};
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
