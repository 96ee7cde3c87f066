// The camera page's dialog, region and scan buttons against the simulated
// tracker: the two six-sided regions checked corner by corner, a failure and a
// missing object shown with their texts as on every page. (Each call of a whole
// session failing, or giving null, is the session sweep's.)
#include "ovc_fixture.h"

#include <array>

namespace {

using trackersim::ProfileKind;

class OvcRegionsTest : public OvcPageTest {
protected:
    void SetUp() override {
        OvcPageTest::SetUp();
        if (HasFatalFailure())
            return;
        Sim().SetTrackerAngles(0.5, -0.2);
    }
    void OpenPage() {
        Open();
        OpenTab();
    }
    std::vector<std::array<double, 3>> Corners(int region) {
        std::vector<double> xyz(3 * 16);
        const int count = Sim().ScanRegionCorners(true, region, xyz.data(), 16);
        std::vector<std::array<double, 3>> corners;
        for (int i = 0; i < count && i < 16; ++i)
            corners.push_back({xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]});
        return corners;
    }
    ComPtr<tracker::OverviewCameraOptions> Options() {
        ComPtr<tracker::OverviewCamera> camera;
        device->m_tracker->get_OverviewCamera(camera.Put());
        ComPtr<tracker::OverviewCameraOptions> options;
        camera->get_Options(options.Put());
        return options;
    }
};

// Worked by hand: the centre (0.5, -0.2) plus r (cos k 60 deg, sin k 60 deg),
// k = 0 .. 6, with r = 4 and 2.5 degrees in radians.
const double kFourDegrees[7][2] = {
    {0.5698131700797732, -0.2},
    {0.5349065850398866, -0.13954002119219275},
    {0.4650934149601134, -0.13954002119219275},
    {0.43018682992022683, -0.2},
    {0.46509341496011336, -0.26045997880780725},
    {0.5349065850398865, -0.2604599788078073},
    {0.5698131700797732, -0.2},
};
const double kTwoAndAHalfDegrees[7][2] = {
    {0.5436332312998582, -0.2},
    {0.5218166156499291, -0.16221251324512048},
    {0.4781833843500709, -0.16221251324512048},
    {0.45636676870014176, -0.2},
    {0.47818338435007085, -0.23778748675487954},
    {0.5218166156499291, -0.23778748675487957},
    {0.5436332312998582, -0.2},
};

TEST_F(OvcRegionsTest, TwoSixSidedRegionsOfSevenCornersAroundTheCurrentAngles) {
    OpenPage();
    ComPtr<tracker::OverviewCamera> camera;
    device->m_tracker->get_OverviewCamera(camera.Put());
    ASSERT_EQ(camera->put_Switch1(1), S_OK); // as connecting leaves it
    ASSERT_EQ(Options()->put_Switch1(3), S_OK);
    ASSERT_EQ(Options()->put_Switch2(7), S_OK);
    ASSERT_TRUE(Click(IDC_OVC_DEFINE_SIX_SIDED_REGIONS));
    EXPECT_TRUE(screen.Boxes().empty());

    ASSERT_EQ(Sim().ScanRegionCount(true), 2);
    const auto first = Corners(0);
    const auto second = Corners(1);
    ASSERT_EQ(first.size(), 7u);
    ASSERT_EQ(second.size(), 7u);
    for (int k = 0; k < 7; ++k) {
        EXPECT_NEAR(first[k][0], kFourDegrees[k][0], 1e-15) << k;
        EXPECT_NEAR(first[k][1], kFourDegrees[k][1], 1e-15) << k;
        EXPECT_EQ(first[k][2], 5.0);
        EXPECT_NEAR(second[k][0], kTwoAndAHalfDegrees[k][0], 1e-15) << k;
        EXPECT_NEAR(second[k][1], kTwoAndAHalfDegrees[k][1], 1e-15) << k;
        EXPECT_EQ(second[k][2], 5.0);
    }
    EXPECT_EQ(Sim().ScanRegionFlag(true, 0), 1) << "the first region's flag is the library's";
    EXPECT_EQ(Sim().ScanRegionFlag(true, 1), 0);
    double setting1 = 0, setting2 = 0;
    Sim().ScanSettings(&setting1, &setting2);
    EXPECT_EQ(setting1, 0.005);
    EXPECT_EQ(setting2, 0.01);

    // The camera's switches are as they were before.
    EXPECT_EQ(Sim().CameraSwitch1(), 1);
    EXPECT_EQ(Camera().optionSwitch1, 3);
    EXPECT_EQ(Camera().optionSwitch2, 7);
    EXPECT_EQ(Sim().CallCount(TEXT("OverviewCamera.put_Switch1")), 3); // above, off, restored

    // "Clear All Regions" clears both lists and applies.
    ASSERT_TRUE(Click(IDC_OVC_CLEAR_REGIONS));
    EXPECT_EQ(Sim().ScanRegionCount(true), 0);
    EXPECT_EQ(Sim().ScanRegionCount(false), 0);
}

TEST_F(OvcRegionsTest, AFailurePartWayLeavesTheCameraSwitchesOff) {
    OpenPage();
    ComPtr<tracker::OverviewCamera> camera;
    device->m_tracker->get_OverviewCamera(camera.Put());
    ASSERT_EQ(camera->put_Switch1(1), S_OK);
    Sim().InjectFailure(TEXT("CornerList.Add"), E_FAIL, 5, TEXT("Region full"), true);
    ASSERT_TRUE(Click(IDC_OVC_DEFINE_SIX_SIDED_REGIONS));
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("Region full"));
    EXPECT_EQ(screen.Boxes()[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Sim().CameraSwitch1(), 0);
    EXPECT_EQ(Camera().optionSwitch1, 0);
    EXPECT_EQ(Camera().optionSwitch2, 0);
    EXPECT_EQ(Sim().ScanRegionCount(true), 0);

    // A missing object is an invalid pointer, reported the same way.
    Sim().MakeNull(TEXT("ScanRegions.get_Setup"), true);
    ASSERT_TRUE(Click(IDC_OVC_DEFINE_SIX_SIDED_REGIONS));
    ASSERT_EQ(screen.Boxes().size(), 2u);
    EXPECT_EQ(screen.Boxes()[1].text, TEXT("Invalid pointer"));
    EXPECT_EQ(screen.Boxes()[1].type, static_cast<UINT>(MB_OK));
}

// Without an area scan profile the region buttons do nothing; without a scan
// target too, "Scan" still starts the measurement.
TEST_F(OvcRegionsTest, WithoutAnAreaScanProfileOrScanTargetOnlyTheScanStarts) {
    const ProfileKind kinds[] = {ProfileKind::Stationary, ProfileKind::ContinuousTime};
    Sim().SetProfileKinds(kinds, 2);
    Sim().MakeAbsent(TEXT("Target.ScanTarget"), false);
    OpenPage();
    ASSERT_TRUE(Click(IDC_OVC_DEFINE_SIX_SIDED_REGIONS));
    ASSERT_TRUE(Click(IDC_OVC_CLEAR_REGIONS));
    EXPECT_EQ(Sim().CallCount(TEXT("ScanRegions.Clear")), 0);
    EXPECT_EQ(Sim().CallCount(TEXT("OverviewCamera.put_Switch1")), 0);
    ASSERT_TRUE(Click(IDC_OVC_SCAN)); // still starts the measurement
    EXPECT_EQ(Sim().CallCount(TEXT("Target.Select")), 0);
    EXPECT_TRUE(Sim().IsContinuousRunning());
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(OvcRegionsTest, ScanSelectsTheAreaScanProfileAndTheScanTargetAndStarts) {
    OpenPage();
    ASSERT_TRUE(Click(IDC_OVC_SCAN));
    trackersim::ProfileState profile{};
    Sim().GetProfile(3, &profile);
    EXPECT_EQ(profile.kind, ProfileKind::AreaScan);
    EXPECT_TRUE(profile.active);
    ComPtr<tracker::TargetCollection> targets;
    device->m_tracker->get_TargetCollection(targets.Put());
    ComPtr<tracker::Target> selected;
    targets->get_Selected(selected.Put());
    ComBstr name;
    selected->get_Name(name.Put());
    EXPECT_EQ(name.Str(), TEXT("Surface"));
    EXPECT_TRUE(Sim().IsContinuousRunning());
}

TEST_F(OvcRegionsTest, WhileTheLiveImagesRunTheOtherButtonsDoNothingThenOpenTheDialog) {
    OpenPage();
    ASSERT_TRUE(Click(IDC_OVC_START));
    for (int id : {IDC_OVC_SHOW_DIALOG, IDC_OVC_DEFINE_BY_HAND, IDC_OVC_CLEAR_REGIONS,
                   IDC_OVC_DEFINE_SIX_SIDED_REGIONS, IDC_OVC_SCAN})
        ASSERT_TRUE(Click(id));
    EXPECT_EQ(Camera().dialogShown, 0);
    EXPECT_EQ(Sim().CallCount(TEXT("ScanRegions.Clear")), 0);
    EXPECT_EQ(Sim().CallCount(TEXT("Measurements.StartMeasurement")), 0);
    ASSERT_TRUE(Click(IDC_OVC_STOP));
    ASSERT_TRUE(Click(IDC_OVC_SHOW_DIALOG)); // the dialog opens from both buttons
    ASSERT_TRUE(Click(IDC_OVC_DEFINE_BY_HAND));
    EXPECT_EQ(Camera().dialogShown, 2);
}

TEST_F(OvcRegionsTest, AStartThatFailsStillCountsAsRunning) {
    OpenPage();
    Sim().InjectFailure(TEXT("OverviewCameraStream.Start"), E_FAIL, 8, TEXT("Camera off"), true);
    ASSERT_TRUE(Click(IDC_OVC_START));
    EXPECT_TRUE(Page().m_running);
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_EQ(screen.Boxes()[0].text, TEXT("Camera off"));
}

} // namespace
