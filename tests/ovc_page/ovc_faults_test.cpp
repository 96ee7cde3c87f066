// The camera page against a camera, profile or region object that is missing
// or fails at a call, one call at a time: no crash, only the library's
// message boxes, and no library object or GDI object left behind.
#include "ovc_fixture.h"

#include "platform/com/com_error.h"
#include "tests/support/library_fault.h"


namespace {

using simtest::LibraryFault;

class OvcFaultTest : public OvcPageTest, public testing::WithParamInterface<LibraryFault> {
protected:
    void Inject() { simtest::Inject(Sim(), GetParam(), 42, TEXT("Camera fault")); }
    void UseEveryButton() {
        for (int id : {IDC_OVC_SHOW_DIALOG, IDC_OVC_DEFINE_BY_HAND, IDC_OVC_CLEAR_REGIONS,
                       IDC_OVC_DEFINE_SIX_SIDED_REGIONS, IDC_OVC_SCAN, IDC_OVC_START})
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

const LibraryFault kFaults[] = {
    {TEXT("Tracker.get_OverviewCameraStream"), false},
    {TEXT("Tracker.get_OverviewCameraStream"), true},
    {TEXT("Tracker.get_OverviewCamera"), false},
    {TEXT("Tracker.get_OverviewCamera"), true},
    {TEXT("Tracker.get_TrackerAngles"), false},
    {TEXT("Tracker.get_TrackerAngles"), true},
    {TEXT("Tracker.get_Measurements"), true},
    {TEXT("Tracker.get_TargetCollection"), true},
    {TEXT("OverviewCamera.get_Switch1"), false},
    {TEXT("OverviewCamera.put_Switch1"), false},
    {TEXT("OverviewCamera.get_Options"), false},
    {TEXT("OverviewCamera.get_Options"), true},
    {TEXT("OverviewCameraOptions.get_Switch2"), false},
    {TEXT("OverviewCameraOptions.put_Switch1"), false},
    {TEXT("OverviewCameraStream.Start"), false},
    {TEXT("OverviewCameraStream.Stop"), false},
    {TEXT("OverviewCameraStream.get_Dialog"), false},
    {TEXT("OverviewCameraStream.get_Dialog"), true},
    {TEXT("OverviewCameraDialog.Show"), false},
    {TEXT("Measurements.get_MeasurementProfileCollection"), false},
    {TEXT("Measurements.get_MeasurementProfileCollection"), true},
    {TEXT("Measurements.StartMeasurement"), false},
    {TEXT("MeasurementProfileCollection.get_Count"), false},
    {TEXT("MeasurementProfileCollection.get_Item"), false},
    {TEXT("MeasurementProfileCollection.get_Item"), true},
    {TEXT("MeasurementProfile.Select"), false},
    {TEXT("MeasurementProfile.AreaScanProfile"), false},
    {TEXT("MeasurementProfile.AreaScanProfile"), true},
    {TEXT("AreaScanProfile.get_ScanRegions"), false},
    {TEXT("AreaScanProfile.get_ScanRegions"), true},
    {TEXT("ScanRegions.Clear"), false},
    {TEXT("ScanRegions.Apply"), false},
    {TEXT("ScanRegions.get_Setup"), true},
    {TEXT("ScanRegionSetup.get_Setting1"), true},
    {TEXT("ScanRegionSetup.get_Setting2"), false},
    {TEXT("ScanRegionSetup.get_RegionList"), true},
    {TEXT("RegionList.NewRegion"), false},
    {TEXT("RegionList.NewRegion"), true},
    {TEXT("ScanRegion.get_Corners"), true},
    {TEXT("ScanRegion.put_Switch"), false},
    {TEXT("CornerList.Add"), false},
    {TEXT("NumericSetting.put_Value"), false},
    {TEXT("ScalarValue.get_Value"), false},
    {TEXT("TrackerAngles.get_Angle2"), true},
    {TEXT("TargetCollection.get_Count"), false},
    {TEXT("TargetCollection.get_Item"), true},
    {TEXT("Target.ScanTarget"), false},
    {TEXT("Target.Select"), false},
    {TEXT("IConnectionPointContainer.FindConnectionPoint"), false},
    {TEXT("IConnectionPoint.Advise"), false},
    {TEXT("IConnectionPoint.Unadvise"), false},
};
INSTANTIATE_TEST_SUITE_P(EveryCall, OvcFaultTest, testing::ValuesIn(kFaults),
                         simtest::FaultTestName);

} // namespace
