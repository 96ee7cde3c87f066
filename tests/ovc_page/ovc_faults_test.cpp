// The camera page against a camera, profile or region object that is missing
// or fails at a call, one call at a time: no crash, only the library's
// message boxes, and no library object or GDI object left behind.
#include "ovc_fixture.h"

#include "platform/com/com_error.h"

#include <cctype>
#include <string>

namespace {

struct Fault {
    const char16_t* operation;
    bool makeNull; // the property gives null (or the facet is absent) instead of failing
};

std::string Name(const testing::TestParamInfo<Fault>& info) {
    std::string name;
    for (const char16_t* c = info.param.operation; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? static_cast<char>(*c) : '_';
    return name + (info.param.makeNull ? "_null" : "_fails");
}

class OvcFaultTest : public OvcPageTest, public testing::WithParamInterface<Fault> {
protected:
    void Inject() {
        if (GetParam().makeNull)
            Sim().MakeNull(GetParam().operation, false);
        else
            Sim().InjectFailure(GetParam().operation, E_FAIL, 42, u"Camera fault", false);
    }
    void UseEveryButton() {
        for (int id : {IDC_OVC_SHOW_DIALOG, IDC_OVC_DEFINE_BY_HAND, IDC_OVC_CLEAR_REGIONS,
                       IDC_OVC_DEFINE_HEXAGONS, IDC_OVC_SCAN, IDC_OVC_START})
            EXPECT_TRUE(Click(id));
        platform::RunMessagesFor(500);
        EXPECT_TRUE(Click(IDC_OVC_STOP));
    }
};

TEST_P(OvcFaultTest, NothingCrashesAndNothingLeaks) {
    Open();
    Inject();
    OpenTab();
    UseEveryButton();
    // The connection code reports what these two raise.
    try {
        Page().OnTrackerDisconnecting();
    } catch (const ComError&) {
    }
    try {
        Page().OnTrackerConnected();
    } catch (const ComError&) {
    }
    UseEveryButton();
    for (const auto& box : screen.Boxes())
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    Sim().ClearFaults();
    ASSERT_TRUE(device->Disconnect());
    device->DestroyToolSheet();
}

const Fault kFaults[] = {
    {u"Tracker.get_OverviewCameraStream", false},
    {u"Tracker.get_OverviewCameraStream", true},
    {u"Tracker.get_OverviewCamera", false},
    {u"Tracker.get_OverviewCamera", true},
    {u"Tracker.get_TrackerAngles", false},
    {u"Tracker.get_TrackerAngles", true},
    {u"Tracker.get_Measurements", true},
    {u"Tracker.get_TargetCollection", true},
    {u"OverviewCamera.get_Switch1", false},
    {u"OverviewCamera.put_Switch1", false},
    {u"OverviewCamera.get_Options", false},
    {u"OverviewCamera.get_Options", true},
    {u"OverviewCameraOptions.get_Switch2", false},
    {u"OverviewCameraOptions.put_Switch1", false},
    {u"OverviewCameraStream.Start", false},
    {u"OverviewCameraStream.Stop", false},
    {u"OverviewCameraStream.get_Dialog", false},
    {u"OverviewCameraStream.get_Dialog", true},
    {u"OverviewCameraDialog.Show", false},
    {u"Measurements.get_MeasurementProfileCollection", false},
    {u"Measurements.get_MeasurementProfileCollection", true},
    {u"Measurements.StartMeasurement", false},
    {u"MeasurementProfileCollection.get_Count", false},
    {u"MeasurementProfileCollection.get_Item", false},
    {u"MeasurementProfileCollection.get_Item", true},
    {u"MeasurementProfile.Select", false},
    {u"MeasurementProfile.AreaScanProfile", false},
    {u"MeasurementProfile.AreaScanProfile", true},
    {u"AreaScanProfile.get_ScanRegions", false},
    {u"AreaScanProfile.get_ScanRegions", true},
    {u"ScanRegions.Clear", false},
    {u"ScanRegions.Apply", false},
    {u"ScanRegions.get_Setup", true},
    {u"ScanRegionSetup.get_Setting1", true},
    {u"ScanRegionSetup.get_Setting2", false},
    {u"ScanRegionSetup.get_RegionList", true},
    {u"RegionList.NewRegion", false},
    {u"RegionList.NewRegion", true},
    {u"ScanRegion.get_Corners", true},
    {u"ScanRegion.put_Switch", false},
    {u"CornerList.Add", false},
    {u"NumericSetting.put_Value", false},
    {u"ScalarValue.get_Value", false},
    {u"TrackerAngles.get_Angle2", true},
    {u"TargetCollection.get_Count", false},
    {u"TargetCollection.get_Item", true},
    {u"Target.ScanTarget", false},
    {u"Target.Select", false},
    {u"IConnectionPointContainer.FindConnectionPoint", false},
    {u"IConnectionPoint.Advise", false},
    {u"IConnectionPoint.Unadvise", false},
};
INSTANTIATE_TEST_SUITE_P(EveryCall, OvcFaultTest, testing::ValuesIn(kFaults), Name);

} // namespace
