// The camera page's scan regions: clearing them, the two six-sided regions
// around the head's current angles, and starting the area scan.
#include "toolsheet/WCPropPageOVC.h"

#include "measurement/library_reads.h"
#include "plugin/CQWandDevice.h"
#include "toolsheet/page_support.h"

#include <cmath>

using namespace tracker;

namespace {

constexpr double kRadiusFourDegrees = 0.06981317007977318;        // radians
constexpr double kRadiusTwoAndAHalfDegrees = 0.04363323129985824; // radians
constexpr double kRegionLevel = 5.0;
constexpr double kSixthTurn = 1.0471975511965976; // pi / 3
constexpr double kFullTurn = 6.283185307179586;   // 2 pi

// The head's current angles.
void ReadAngles(Tracker* device, double& first, double& second) {
    ComPtr<TrackerAngles> angles = Require(device, &Tracker::get_TrackerAngles);
    first = ValueOf(Require(angles, &TrackerAngles::get_Angle1));
    second = ValueOf(Require(angles, &TrackerAngles::get_Angle2));
}

} // namespace

ComPtr<AreaScanProfile> WCPropPageOVC::FindAreaScanProfile() {
    ComPtr<Measurements> measurements = Read(m_device->m_tracker, &Tracker::get_Measurements);
    if (!measurements)
        return nullptr;
    ComPtr<MeasurementProfileCollection> profiles =
        Read(measurements, &Measurements::get_MeasurementProfileCollection);
    if (!profiles)
        return nullptr;
    for (LONG i = 0;; ++i) {
        LONG count = 0;
        ThrowIfFailed(profiles->get_Count(&count)); // read again at every step
        if (i >= count)
            return nullptr;
        ComPtr<MeasurementProfile> item;
        ThrowIfFailed(profiles->get_Item(i, item.Put()));
        if (ComPtr<AreaScanProfile> areaScan = QueryFacet<AreaScanProfile>(item.Get()))
            return areaScan;
    }
}

ComPtr<Target> WCPropPageOVC::FindScanTarget() {
    ComPtr<TargetCollection> targets = Read(m_device->m_tracker, &Tracker::get_TargetCollection);
    if (!targets)
        return nullptr;
    for (LONG i = 0;; ++i) {
        LONG count = 0;
        ThrowIfFailed(targets->get_Count(&count));
        if (i >= count)
            return nullptr;
        ComPtr<Target> item;
        ThrowIfFailed(targets->get_Item(i, item.Put()));
        if (QueryFacet<ScanTarget>(item.Get()))
            return item;
    }
}

void WCPropPageOVC::OnClearAllRegions() {
    try {
        if (!IsCameraAvailable() || m_running)
            return;
        ComPtr<AreaScanProfile> profile = FindAreaScanProfile();
        if (!profile)
            return;
        ThrowIfFailed(Require(profile, &AreaScanProfile::get_ScanRegions)->Clear());
        ThrowIfFailed(Require(profile, &AreaScanProfile::get_ScanRegions)->Apply());
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPageOVC::OnDefineSixSidedRegions() {
    try {
        if (!IsCameraAvailable() || m_running)
            return;
        if (ComPtr<AreaScanProfile> profile = FindAreaScanProfile())
            DefineSixSidedRegions(profile.Get());
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

// A failure part-way leaves the steps done so far as they are; the camera's
// switches are then not restored.
void WCPropPageOVC::DefineSixSidedRegions(AreaScanProfile* profile) {
    Tracker* device = m_device->m_tracker.Get();

    // The camera's switches are off while the regions are defined.
    ComPtr<OverviewCamera> camera = Require(device, &Tracker::get_OverviewCamera);
    LONG cameraSwitch = 0, optionSwitch1 = 0, optionSwitch2 = 0;
    ThrowIfFailed(camera->get_Switch1(&cameraSwitch));
    ComPtr<OverviewCameraOptions> options = Require(camera, &OverviewCamera::get_Options);
    ThrowIfFailed(options->get_Switch1(&optionSwitch1));
    ThrowIfFailed(options->get_Switch2(&optionSwitch2));
    ThrowIfFailed(camera->put_Switch1(0));
    ThrowIfFailed(options->put_Switch1(0));
    ThrowIfFailed(options->put_Switch2(0));

    ComPtr<ScanRegions> regions = Require(profile, &AreaScanProfile::get_ScanRegions);
    ThrowIfFailed(regions->Clear());
    ComPtr<ScanRegionSetup> setup = Require(regions, &ScanRegions::get_Setup);
    ThrowIfFailed(Require(setup, &ScanRegionSetup::get_Setting2)->put_Value(0.01));
    ThrowIfFailed(Require(setup, &ScanRegionSetup::get_Setting1)->put_Value(0.005));

    double angle1 = 0, angle2 = 0;
    ReadAngles(device, angle1, angle2);
    ComPtr<RegionList> list = Require(setup, &ScanRegionSetup::get_RegionList);
    ComPtr<ScanRegion> first = Require(list, &RegionList::NewRegion);
    AddSixSidedRegion(first.Get(), kRadiusFourDegrees, angle1, angle2, kRegionLevel);

    ComPtr<ScanRegion> second = Require(list, &RegionList::NewRegion);
    ReadAngles(device, angle1, angle2);
    AddSixSidedRegion(second.Get(), kRadiusTwoAndAHalfDegrees, angle1, angle2, kRegionLevel);
    ThrowIfFailed(second->put_Switch(0));

    ThrowIfFailed(camera->put_Switch1(cameraSwitch));
    ThrowIfFailed(options->put_Switch1(optionSwitch1));
    ThrowIfFailed(options->put_Switch2(optionSwitch2));

    ThrowIfFailed(Require(profile, &AreaScanProfile::get_ScanRegions)->Apply());
}

// Corners every sixth of a turn while the summed angle stays below a full
// turn. Six sums of the rounded step stay just below 2 pi, so a seventh corner
// closes the outline on the first.
void WCPropPageOVC::AddSixSidedRegion(ScanRegion* region, double radius, double centre1,
                                      double centre2, double level) {
    for (double theta = 0.0; theta < kFullTurn; theta += kSixthTurn) {
        ComPtr<CornerList> corners = Require(region, &ScanRegion::get_Corners);
        ComPtr<IDispatch> corner;
        ThrowIfFailed(corners->Add(centre1 + radius * std::cos(theta),
                                   centre2 + radius * std::sin(theta), level, corner.Put()));
    }
}

void WCPropPageOVC::OnScan() {
    try {
        if (!IsCameraAvailable() || m_running)
            return;
        ComPtr<Measurements> measurements = Read(m_device->m_tracker, &Tracker::get_Measurements);
        if (!measurements)
            return;
        if (ComPtr<AreaScanProfile> profile = FindAreaScanProfile())
            if (ComPtr<MeasurementProfile> selectable =
                    QueryFacet<MeasurementProfile>(profile.Get()))
                ThrowIfFailed(selectable->Select());
        if (ComPtr<Target> target = FindScanTarget())
            ThrowIfFailed(target->Select());
        ThrowIfFailed(measurements->StartMeasurement());
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}
