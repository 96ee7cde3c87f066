// Measurements and target positions from the simulated tracker to the host's records.
#include "interfaces/tracker.h"
#include "platform/ui/message_loop.h"
#include "tests/positioning_page/fake_measurement.h"
#include "tests/support/device_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using simtest::DeviceTest;
using trackersim::SampleSpec;
using trackersim::TargetKind;

namespace {

SampleSpec PointOnly(double x, double y, double z) {
    SampleSpec s;
    s.hasRms = false;
    s.hasDirection = false;
    s.hasSixDof = false;
    s.hasPosition = true;
    s.x = x;
    s.y = y;
    s.z = z;
    return s;
}

class MeasuringPathTest : public DeviceTest {
protected:
    void StartProbing() {
        ConnectDevice();
        ASSERT_EQ(device->StartProbeMeasure(), 1);
    }
    void Fire(const SampleSpec& sample) {
        Sim().FireMeasurements(&sample, 1, 0, nullptr);
        Pump();
    }
};

TEST_F(MeasuringPathTest, AcceptedMeasurementBecomesATypeTenRecord) {
    Sim().SetSelectedTarget(TargetKind::Reflector, 0.75);
    StartProbing();
    SampleSpec s;
    s.x = 1000;
    s.y = 20;
    s.z = -30;
    s.rms = 0.05;
    s.i = 0;
    s.j = 0;
    s.k = -1; // the probe points down
    Fire(s);
    ASSERT_EQ(posted.size(), 1u);
    const ZDEV_SCAN_DATA& r = posted[0].data;
    EXPECT_EQ(posted[0].type, ZDEV_MSG_MEASUREMENT);
    EXPECT_EQ(r.type, 6);
    EXPECT_EQ(r.GetPts()[0], 1000);
    EXPECT_EQ(r.GetPts()[1], 20);
    EXPECT_EQ(r.GetPts()[2], -30);
    const double expected[16] = {-1, 0, 0, 1000, 0, -1, 0, 20, 0, 0, 1, -30, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(r.frame[i], expected[i]) << "frame element " << i;
    EXPECT_EQ(r.meta.rms, 0.05);
    EXPECT_EQ(r.meta.reading1, s.readings[0]);
    EXPECT_EQ(r.meta.reading2, s.readings[1]);
    EXPECT_EQ(r.meta.reading3, s.readings[2]);
    EXPECT_EQ(r.meta.probeSize, 1.5);
    EXPECT_STREQ(r.meta.GetDeviceName(), "Orlan Q-Wand");
    EXPECT_EQ(r.meta.time, static_cast<uint32_t>(Clock().UnixTimeSeconds()));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(device->m_lastFrame[i], r.frame[i]);
}

TEST_F(MeasuringPathTest, RmsToleranceIsInclusive) {
    StartProbing();
    SampleSpec s = PointOnly(1, 2, 3);
    s.hasRms = true;
    s.rms = 0.1;
    Fire(s);
    s.rms = 0.1000001;
    Fire(s);
    s.rms = std::numeric_limits<double>::quiet_NaN();
    Fire(s);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].data.meta.rms, 0.1);
}

// A measurement whose RMS facet and Position facet carry different points:
// the RMS facet's value decides, the Position facet's point is posted.
TEST_F(MeasuringPathTest, TheRmsFacetFiltersAndThePositionFacetGivesThePoint) {
    StartProbing();
    auto measurement = [](double rms) {
        fakes::MeasurementContent content;
        content.rms = fakes::Values::Make(TEXT("R"), 1, 2, 3, TEXT("mm"),
                                          fakes::Scalar::Make(rms, nullptr, nullptr));
        content.position = fakes::Values::Make(TEXT("P"), 4, 5, 6, TEXT("mm"));
        content.readings = fakes::Values::Make(TEXT("T"), 20, 1013, 45, TEXT(""));
        return fakes::Measurement::Make(content);
    };
    device->OnMeasurement(measurement(0.2).Get()); // above the tolerance of 0.1
    EXPECT_TRUE(posted.empty());
    device->OnMeasurement(measurement(0.05).Get());
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].data.GetPts()[0], 4);
    EXPECT_EQ(posted[0].data.GetPts()[2], 6);
    EXPECT_EQ(posted[0].data.meta.rms, 0.05);
}

TEST_F(MeasuringPathTest, PositionOnlyGivesLineOfSightFrameAndZeroRms) {
    StartProbing();
    Fire(PointOnly(0, 0, 2000));
    ASSERT_EQ(posted.size(), 1u);
    const double expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 2000, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(posted[0].data.frame[i], expected[i]);
    EXPECT_EQ(posted[0].data.meta.rms, 0);
    // Of several measurements in one event only the first is posted.
    const SampleSpec three[3] = {PointOnly(1, 0, 0), PointOnly(2, 0, 0), PointOnly(3, 0, 0)};
    Sim().FireMeasurements(three, 3, 0, nullptr);
    Pump();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[1].data.GetPts()[0], 1);
}

TEST_F(MeasuringPathTest, NothingPostedUnlessProbingAndConnected) {
    ConnectDevice();
    Fire(PointOnly(1, 2, 3)); // connected but not probing
    ASSERT_EQ(device->StartProbeMeasure(), 1);
    EXPECT_EQ(device->StartProbeMeasure(), 0); // already probing
    EXPECT_EQ(device->StopProbeMeasure(), 1);
    EXPECT_EQ(device->StopProbeMeasure(), 1);
    Fire(PointOnly(1, 2, 3)); // stopped again
    Sim().FireTargetPosition(PointOnly(1, 2, 3));
    Pump();
    EXPECT_TRUE(posted.empty());
}

TEST_F(MeasuringPathTest, LibraryFailuresDropTheMeasurementSilently) {
    StartProbing();
    Sim().InjectFailure(TEXT("ScalarValue.get_Value"), E_FAIL, 5, TEXT("Value lost"), true);
    Fire(PointOnly(1, 2, 3));
    Sim().MakeAbsent(TEXT("Measurement.PositionMeasurement"), true);
    Fire(PointOnly(4, 5, 6)); // no facet gives a point
    EXPECT_TRUE(posted.empty());
    Fire(PointOnly(7, 8, 9));
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].data.GetPts()[0], 7);
    // A missing reading discards the record after the frame was kept.
    Sim().MakeNull(TEXT("Measurement.get_Reading2"), true);
    Fire(PointOnly(500, 0, 0));
    EXPECT_EQ(posted.size(), 1u);
    EXPECT_EQ(device->m_lastFrame[3], 500);
}

TEST_F(MeasuringPathTest, NonFiniteValuesNeverReachTheHost) {
    StartProbing();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Fire(PointOnly(nan, 1, 2));
    Fire(PointOnly(1, std::numeric_limits<double>::infinity(), 2));
    EXPECT_TRUE(posted.empty());
    SampleSpec s = PointOnly(0, 0, 100);
    s.hasDirection = true;
    s.i = nan;
    s.readings[1] = nan;
    Fire(s); // a direction that is no number: the line-of-sight frame
    ASSERT_EQ(posted.size(), 1u);
    for (double v : posted[0].data.frame)
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(posted[0].data.frame[10], 1); // Z along the line of sight
    EXPECT_EQ(posted[0].data.meta.reading2, ZDEV_NOT_AVAILABLE);
}

TEST_F(MeasuringPathTest, TargetPositionsStreamAsTypeNineWithoutReadings) {
    StartProbing();
    device->m_acqMode = 7; // the stream does not look at the mode
    SampleSpec s = PointOnly(0, 0, 2000);
    s.rms = 50; // no RMS filter on the stream
    Sim().FireTargetPosition(s);
    Pump();
    ASSERT_EQ(posted.size(), 1u);
    const ZDEV_SCAN_DATA& r = posted[0].data;
    EXPECT_EQ(posted[0].type, ZDEV_MSG_TARGET_POSITION);
    EXPECT_EQ(r.frame[10], 1);
    EXPECT_EQ(r.frame[11], 2000);
    EXPECT_EQ(r.meta.rms, ZDEV_NOT_AVAILABLE);
    EXPECT_EQ(r.meta.reading1, ZDEV_NOT_AVAILABLE);
    EXPECT_EQ(r.meta.reading2, ZDEV_NOT_AVAILABLE);
    EXPECT_EQ(r.meta.reading3, ZDEV_NOT_AVAILABLE);

    s.hasSixDof = true;
    s.i = 0;
    s.j = 0;
    s.k = -1;
    Sim().FireTargetPosition(s);
    Pump();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[1].data.frame[0], -1); // frame from the probe direction
    EXPECT_EQ(device->m_lastFrame[0], -1);
}

TEST_F(MeasuringPathTest, ContinuousMeasuringStreamsAtTheTrackersRate) {
    StartProbing();
    Sim().SetContinuousRate(100);
    device->SetProbeAcqMode(1);
    ASSERT_TRUE(device->StartContinuousMeasurement());
    EXPECT_TRUE(device->m_continuousRunning);
    platform::RunMessagesFor(1000);
    EXPECT_NEAR(static_cast<double>(posted.size()), 100, 2);
    device->SetProbeAcqMode(0); // leaving mode 1 stops it on the tracker
    EXPECT_FALSE(device->m_continuousRunning);
    EXPECT_FALSE(Sim().IsContinuousRunning());
}

TEST_F(MeasuringPathTest, StopProbeMeasureLeavesContinuousRunningAndDropsItsPoints) {
    StartProbing();
    device->SetProbeAcqMode(1);
    ASSERT_TRUE(device->StartContinuousMeasurement());
    device->StopProbeMeasure();
    EXPECT_TRUE(Sim().IsContinuousRunning());
    const size_t before = posted.size();
    platform::RunMessagesFor(500);
    EXPECT_EQ(posted.size(), before);
    EXPECT_FALSE(device->StopContinuousMeasurement()); // the guard needs state 2
    EXPECT_TRUE(device->m_continuousRunning);
}

TEST_F(MeasuringPathTest, ProbeSizeOfEveryTargetKind) {
    double size = -1;
    EXPECT_EQ(device->GetProbeSize(&size), 0); // not connected: untouched
    EXPECT_EQ(size, -1);
    ConnectDevice();
    Sim().SetSelectedTarget(TargetKind::Reflector, 0.75);
    EXPECT_EQ(device->GetProbeSize(&size), 1);
    EXPECT_EQ(size, 1.5);
    Sim().SetSelectedTarget(TargetKind::Probe, 3.0);
    EXPECT_EQ(device->GetProbeSize(&size), 1);
    EXPECT_EQ(size, 3.0);
    Sim().SetSelectedTarget(TargetKind::RadiusTarget, 2.0);
    EXPECT_EQ(device->GetProbeSize(&size), 1);
    EXPECT_EQ(size, 4.0);
    Sim().SetSelectedTarget(TargetKind::Reflector, -1);
    EXPECT_EQ(device->GetProbeSize(&size), 1);
    EXPECT_EQ(size, 0);
    Sim().SetSelectedTarget(TargetKind::Other, 9);
    size = 5;
    EXPECT_EQ(device->GetProbeSize(&size), 0);
    EXPECT_EQ(size, 0);
    Sim().SetSelectedTarget(TargetKind::CustomReflector, 9); // no settings page: nothing selected
    size = 5;
    EXPECT_EQ(device->GetProbeSize(&size), 0);
    EXPECT_EQ(size, 0);
    Sim().SetSelectedTarget(TargetKind::Reflector, 0.75);
    Sim().InjectFailure(TEXT("TargetCollection.get_Selected"), E_FAIL, 1, TEXT("No selection"),
                        true);
    size = 5;
    EXPECT_EQ(device->GetProbeSize(&size), 0);
    EXPECT_EQ(size, 5);
}

} // namespace
