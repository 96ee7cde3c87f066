// The tool sheet's utilities: inclination sensor, power status, measurement
// profiles and scan regions, pointing the head, and the camera stream.
#include "tracker_fixture.h"

#include <cstring>

using namespace tracker;

class UtilitiesTest : public TrackerTest {
protected:
    template <class T> ComPtr<T> Facet(const ComPtr<MeasurementProfile>& profile) {
        ComPtr<T> facet;
        profile.As(facet);
        return facet;
    }
};

TEST_F(UtilitiesTest, OrientToGravityAtOnceAndInTheBackground) {
    ComPtr<InclinationSensor> sensor;
    ASSERT_EQ(tracker->get_InclinationSensor(sensor.Put()), S_OK);
    ComPtr<InclinationToGravity> last;
    ASSERT_EQ(sensor->get_InclinationToGravity(last.Put()), S_OK);
    EXPECT_FALSE(last) << "not oriented yet";

    Sim().SetInclination(0.01, -0.02);
    ComPtr<InclinationToGravity> result;
    ASSERT_EQ(sensor->OrientToGravity(result.Put()), S_OK);
    ComPtr<ScalarValue> rotY;
    ASSERT_EQ(result->get_RotY(rotY.Put()), S_OK);
    EXPECT_EQ(ValueOf(rotY), -0.02);

    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(sensor.Get(), IID_InclinationSensorEvents, &sink, cookie), S_OK);
    Sim().SetOrientDuration(1500);
    Sim().SetInclination(0.03, 0.0);
    ASSERT_EQ(sensor->BeginOrientToGravity(), S_OK);
    EXPECT_TRUE(FAILED(sensor->BeginOrientToGravity())) << "one orient at a time";
    platform::RunMessagesFor(1499);
    EXPECT_TRUE(sink.calls.empty());
    platform::RunMessagesFor(1);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].dispid, DISPID_GetInclinationToGravityFinished);
    ASSERT_EQ(sink.calls[0].args.size(), 3u);
    EXPECT_TRUE(sink.Arg<InclinationToGravity>(0, 1));
    EXPECT_EQ(sink.calls[0].args[2].pdispVal, nullptr);
    trackersim::InclinometerState state{};
    Sim().GetInclinometer(&state);
    EXPECT_TRUE(state.oriented);
    EXPECT_EQ(state.gravityX, 0.03);

    Sim().InjectFailure(TEXT("InclinationSensor.OrientToGravityFinished"), E_FAIL, 17,
                        TEXT("Tracker not level"), true);
    ASSERT_EQ(sensor->BeginOrientToGravity(), S_OK);
    platform::RunMessagesFor(1500);
    ASSERT_EQ(sink.calls.size(), 2u);
    EXPECT_EQ(sink.calls[1].args[1].pdispVal, nullptr);
    auto exception = sink.Arg<TrackerException>(1, 2);
    ASSERT_TRUE(exception);
    LONG number = 0;
    ComBstr text;
    exception->get_Number(&number);
    exception->get_Description(text.Put());
    EXPECT_EQ(number, 17);
    EXPECT_EQ(text.Str(), TEXT("Tracker not level"));
}

TEST_F(UtilitiesTest, MonitoringReportsAtItsIntervalAndRaisesTheThresholdFlagOnce) {
    ComPtr<InclinationSensor> sensor;
    ComPtr<InclinationMonitoring> monitoring;
    ComPtr<BoolSwitch> onOff, inclined;
    ComPtr<BoolState> exceeded;
    ComPtr<NumericSetting> interval, threshold;
    ASSERT_EQ(tracker->get_InclinationSensor(sensor.Put()), S_OK);
    ASSERT_EQ(sensor->get_Monitoring(monitoring.Put()), S_OK);
    ASSERT_EQ(sensor->get_InclinationSwitch(inclined.Put()), S_OK);
    ASSERT_EQ(monitoring->get_Enabled(onOff.Put()), S_OK);
    ASSERT_EQ(monitoring->get_ThresholdExceeded(exceeded.Put()), S_OK);
    ASSERT_EQ(monitoring->get_Interval(interval.Put()), S_OK);
    ASSERT_EQ(monitoring->get_Threshold(threshold.Put()), S_OK);
    ComBstr name;
    inclined->get_Name(name.Put());
    EXPECT_EQ(name.Str(), TEXT("Inclined to gravity"));
    exceeded->get_Name(name.Put());
    EXPECT_EQ(name.Str(), TEXT("Threshold Exceeded"));

    RecordingSink& reports = NewSink();
    RecordingSink& flags = NewSink();
    RecordingSink& switches = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(monitoring.Get(), IID_InclinationMonitoringEvents, &reports, cookie), S_OK);
    ASSERT_EQ(Advise(exceeded.Get(), IID_BoolChangedEvents, &flags, cookie), S_OK);
    ASSERT_EQ(Advise(inclined.Get(), IID_SwitchChangedEvents, &switches, cookie), S_OK);

    EXPECT_EQ(interval->put_Value(250), S_OK);
    EXPECT_EQ(threshold->put_Value(0.1), S_OK);
    EXPECT_EQ(onOff->put_Value(1), S_OK);
    platform::RunMessagesFor(1000);
    EXPECT_EQ(reports.calls.size(), 4u);
    EXPECT_EQ(reports.calls[0].dispid, DISPID_InclinationChanged);
    EXPECT_TRUE(flags.calls.empty());

    Sim().SetInclination(0.5, 0.0);
    platform::RunMessagesFor(1000);
    ASSERT_EQ(flags.calls.size(), 1u) << "the flag turns once";
    EXPECT_EQ(flags.calls[0].dispid, DISPID_InclinationBoolChanged);
    EXPECT_EQ(flags.calls[0].args[1].vt, VT_BOOL);
    EXPECT_EQ(flags.calls[0].args[1].boolVal, VARIANT_TRUE);
    ComPtr<Inclination> current;
    ASSERT_EQ(monitoring->get_CurrentInclination(current.Put()), S_OK);
    ComPtr<ScalarValue> rotX;
    current->get_RotX(rotX.Put());
    EXPECT_EQ(ValueOf(rotX), 0.5);

    EXPECT_EQ(monitoring->Reset(), S_OK);
    platform::PumpMessages();
    ASSERT_EQ(flags.calls.size(), 2u);
    EXPECT_EQ(flags.calls[1].args[1].boolVal, VARIANT_FALSE);

    EXPECT_EQ(onOff->put_Value(0), S_OK);
    const size_t before = reports.calls.size();
    platform::RunMessagesFor(1000);
    EXPECT_EQ(reports.calls.size(), before);

    EXPECT_EQ(inclined->put_Value(VARIANT_TRUE), S_OK);
    EXPECT_EQ(inclined->put_Value(VARIANT_TRUE), S_OK); // no change, no event
    platform::PumpMessages();
    ASSERT_EQ(switches.calls.size(), 1u);
    EXPECT_EQ(switches.calls[0].dispid, DISPID_InclinationBoolChanged);
    EXPECT_TRUE(IsSameComObject(switches.calls[0].args[0].pdispVal, inclined.Get()));
}

TEST_F(UtilitiesTest, PowerStatusChangesFireFromSourceAndLevel) {
    ComPtr<PowerStatus> power;
    ComPtr<PowerSource> source;
    ComPtr<PowerLevel> level;
    ASSERT_EQ(tracker->get_PowerStatus(power.Put()), S_OK);
    ASSERT_EQ(power->get_Source(source.Put()), S_OK);
    ASSERT_EQ(power->get_Level(level.Put()), S_OK);
    RecordingSink& sourceSink = NewSink();
    RecordingSink& levelSink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(source.Get(), IID_PowerSourceEvents, &sourceSink, cookie), S_OK);
    ASSERT_EQ(Advise(level.Get(), IID_PowerLevelEvents, &levelSink, cookie), S_OK);
    Sim().SetPowerStatus(1, 42.5);
    platform::PumpMessages();
    ASSERT_EQ(sourceSink.calls.size(), 1u);
    EXPECT_EQ(sourceSink.calls[0].dispid, DISPID_PowerSourceChanged);
    EXPECT_EQ(sourceSink.calls[0].args[1].vt, VT_I4);
    ASSERT_EQ(levelSink.calls.size(), 1u);
    EXPECT_EQ(levelSink.calls[0].dispid, DISPID_PowerLevelChanged);
    EXPECT_EQ(levelSink.calls[0].args[1].dblVal, 42.5);
    LONG code = -1;
    double percent = 0;
    EXPECT_EQ(source->get_Value(&code), S_OK);
    EXPECT_EQ(level->get_Value(&percent), S_OK);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(percent, 42.5);
}

TEST_F(UtilitiesTest, ProfilesOfferTheirKindsSettingsAndSelection) {
    ComPtr<MeasurementProfileCollection> profiles;
    ASSERT_EQ(measurements->get_MeasurementProfileCollection(profiles.Put()), S_OK);
    LONG count = 0;
    ASSERT_EQ(profiles->get_Count(&count), S_OK);
    ASSERT_EQ(count, Sim().ProfileCount());
    int stationary = -1, time = -1, scan = -1;
    for (LONG i = 0; i < count; ++i) {
        ComPtr<MeasurementProfile> p;
        ASSERT_EQ(profiles->get_Item(i, p.Put()), S_OK);
        const int kinds = !!Facet<StationaryProfile>(p) + !!Facet<AreaScanProfile>(p) +
                          !!Facet<ContinuousTimeProfile>(p) +
                          !!Facet<ContinuousDistanceProfile>(p) + !!Facet<CustomProfile>(p);
        EXPECT_EQ(kinds, 1) << "profile " << i << " is of one kind";
        if (Facet<StationaryProfile>(p))
            stationary = i;
        if (Facet<ContinuousTimeProfile>(p))
            time = i;
        if (Facet<AreaScanProfile>(p))
            scan = i;
    }
    ASSERT_TRUE(stationary >= 0 && time >= 0 && scan >= 0);

    ComPtr<MeasurementProfile> p;
    profiles->get_Item(stationary, p.Put());
    auto accuracy = Facet<StationaryProfile>(p);
    EXPECT_EQ(accuracy->put_Accuracy(2), S_OK);
    EXPECT_EQ(accuracy->put_Accuracy(3), E_INVALIDARG);
    EXPECT_EQ(TakeErrorDescription(), TEXT("The accuracy must be 0, 1 or 2."));
    trackersim::ProfileState state{};
    Sim().GetProfile(stationary, &state);
    EXPECT_EQ(state.accuracy, 2);

    profiles->get_Item(time, p.Put());
    ComPtr<UnitValue> separation;
    ASSERT_EQ(Facet<ContinuousTimeProfile>(p)->get_TimeSeparation(separation.Put()), S_OK);
    ComBstr unit;
    separation->get_Unit(unit.Put());
    EXPECT_EQ(unit.Str(), TEXT("ms"));
    EXPECT_EQ(separation->put_Value(250.0), S_OK);
    EXPECT_EQ(p->Select(), S_OK);
    Sim().GetProfile(time, &state);
    EXPECT_EQ(state.separation, 250.0);
    EXPECT_TRUE(state.active);
    ComPtr<MeasurementProfile> active;
    ASSERT_EQ(profiles->get_Active(active.Put()), S_OK);
    EXPECT_EQ(active.Get(), p.Get());

    const trackersim::ProfileKind only[] = {trackersim::ProfileKind::Custom};
    Sim().SetProfileKinds(only, 1);
    profiles->get_Count(&count);
    EXPECT_EQ(count, 1);
}

TEST_F(UtilitiesTest, ScanRegionsAreDefinedThenApplied) {
    ComPtr<MeasurementProfileCollection> profiles;
    ASSERT_EQ(measurements->get_MeasurementProfileCollection(profiles.Put()), S_OK);
    ComPtr<AreaScanProfile> scan;
    LONG count = 0;
    profiles->get_Count(&count);
    for (LONG i = 0; i < count && !scan; ++i) {
        ComPtr<MeasurementProfile> p;
        profiles->get_Item(i, p.Put());
        scan = Facet<AreaScanProfile>(p);
    }
    ASSERT_TRUE(scan);
    ComPtr<ScanRegions> regions;
    ComPtr<ScanRegionSetup> setup;
    ComPtr<RegionList> list;
    ASSERT_EQ(scan->get_ScanRegions(regions.Put()), S_OK);
    ASSERT_EQ(regions->get_Setup(setup.Put()), S_OK);
    ASSERT_EQ(setup->get_RegionList(list.Put()), S_OK);
    ComPtr<UnitValue> setting1;
    ASSERT_EQ(setup->get_Setting1(setting1.Put()), S_OK);
    EXPECT_EQ(setting1->put_Value(0.005), S_OK);

    ComPtr<ScanRegion> region;
    ASSERT_EQ(list->NewRegion(region.Put()), S_OK);
    ComPtr<CornerList> corners;
    ASSERT_EQ(region->get_Corners(corners.Put()), S_OK);
    for (int i = 0; i < 3; ++i) {
        ComPtr<IDispatch> corner;
        EXPECT_EQ(corners->Add(i, 2.0 * i, 5.0, corner.Put()), S_OK);
    }
    EXPECT_EQ(region->put_Switch(0), S_OK);
    EXPECT_EQ(Sim().ScanRegionCount(true), 0) << "nothing applied yet";
    EXPECT_EQ(regions->Apply(), S_OK);
    ASSERT_EQ(Sim().ScanRegionCount(true), 1);
    double xyz[9] = {};
    EXPECT_EQ(Sim().ScanRegionCorners(true, 0, xyz, 3), 3);
    EXPECT_EQ(xyz[7], 4.0);
    EXPECT_EQ(Sim().ScanRegionFlag(true, 0), 0);
    double s1 = 0, s2 = 0;
    Sim().ScanSettings(&s1, &s2);
    EXPECT_EQ(s1, 0.005);

    EXPECT_EQ(regions->Clear(), S_OK);
    EXPECT_EQ(Sim().ScanRegionCount(false), 0);
    ComPtr<IDispatch> corner;
    EXPECT_TRUE(FAILED(corners->Add(0, 0, 0, corner.Put()))) << "the region was cleared";
}

TEST_F(UtilitiesTest, PointingAndGoAndMeasureNameTheirTarget) {
    EXPECT_EQ(tracker->Move(-20, 0), S_OK);
    trackersim::HeadState head{};
    Sim().GetHead(&head);
    EXPECT_EQ(head.horizontalSpeed, -20);

    ComPtr<IDispatch> result;
    EXPECT_EQ(tracker->PositionTo(VARIANT_TRUE, VARIANT_FALSE, 1, 2, 3, result.Put()), S_OK);
    Sim().GetHead(&head);
    EXPECT_EQ(head.lastPositionTo.count, 1);
    EXPECT_TRUE(head.lastPositionTo.search);
    EXPECT_EQ(head.lastPositionTo.values[2], 3.0);

    ComPtr<TargetCollection> targets;
    ASSERT_EQ(tracker->get_TargetCollection(targets.Put()), S_OK);
    ComPtr<Target> probe, made;
    ASSERT_EQ(targets->get_Item(0, probe.Put()), S_OK);
    ComPtr<IDispatch> handle;
    ASSERT_EQ(probe->get_Handle(handle.Put()), S_OK);
    ComPtr<Target> found;
    ASSERT_EQ(tracker->PositionToTarget(handle.Get(), VARIANT_TRUE, 0, 0, 0, found.Put()), S_OK);
    EXPECT_TRUE(IsSameComObject(found.Get(), probe.Get()));

    ComBstr product(TEXT("KSR 1.5in")), empty(TEXT(""));
    ASSERT_EQ(targets->MakeTarget(product.Get(), empty.Get(), made.Put()), S_OK);
    EXPECT_EQ(Sim().TargetCount(), 7);
    ComPtr<Measurement> m;
    ASSERT_EQ(measurements->GoAndMeasure(made.Get(), VARIANT_FALSE, 0, 0, 0, m.Put()), S_OK);
    ComPtr<IDispatch> infoDispatch;
    ASSERT_EQ(m->get_MeasuredTargetInfo(infoDispatch.Put()), S_OK);
    ComPtr<MeasuredTargetInfo> info;
    ASSERT_EQ(infoDispatch.As(info), S_OK);
    ComBstr a, b;
    info->get_TargetIdentity(a.Put());
    made->get_Identity(b.Put());
    EXPECT_EQ(a.Str(), b.Str());

    // The probe target's measurements name its probe.
    ASSERT_EQ(measurements->GoAndMeasure(handle.Get(), VARIANT_FALSE, 0, 0, 0, m.Put()), S_OK);
    m->get_MeasuredTargetInfo(infoDispatch.Put());
    infoDispatch.As(info);
    ComPtr<ProbeTarget> probeTarget;
    ComPtr<Probe> theProbe;
    ASSERT_EQ(probe.As(probeTarget), S_OK);
    probeTarget->get_Probe(theProbe.Put());
    info->get_ProbeIdentity(a.Put());
    theProbe->get_Identity(b.Put());
    EXPECT_FALSE(a.Empty());
    EXPECT_EQ(a.Str(), b.Str());

    EXPECT_EQ(measurements->GoAndMeasure(nullptr, VARIANT_FALSE, 0, 0, 0, m.Put()), E_INVALIDARG);

    ComPtr<TrackerAngles> angles;
    ASSERT_EQ(tracker->get_TrackerAngles(angles.Put()), S_OK);
    Sim().SetTrackerAngles(0.25, 1.25);
    ComPtr<ScalarValue> a1;
    angles->get_Angle1(a1.Put());
    EXPECT_EQ(ValueOf(a1), 0.25) << "angles are read when asked";
}

TEST_F(UtilitiesTest, CameraStreamSendsBitmapsWhileStarted) {
    ComPtr<OverviewCameraStream> stream;
    ASSERT_EQ(tracker->get_OverviewCameraStream(stream.Put()), S_OK);
    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(stream.Get(), IID_OverviewCameraEvents, &sink, cookie), S_OK);
    std::vector<std::vector<BYTE>> images;
    sink.onInvoke = [&](const RecordedCall& call) {
        const VARIANT& v = call.args[1];
        ASSERT_EQ(v.vt, VT_BYREF | VT_ARRAY | VT_UI1);
        SAFEARRAY* array = *reinterpret_cast<SAFEARRAY**>(v.byref);
        LONG upper = -1;
        SafeArrayGetUBound(array, 1, &upper);
        void* data = nullptr;
        ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
        const BYTE* bytes = static_cast<const BYTE*>(data);
        images.emplace_back(bytes, bytes + upper + 1);
        SafeArrayUnaccessData(array);
    };
    Sim().SetImageRate(4.0);
    ASSERT_EQ(stream->Start(), S_OK);
    platform::RunMessagesFor(1000);
    ASSERT_EQ(images.size(), 4u);
    const std::vector<BYTE>& bmp = images[0];
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    uint32_t offset = 0, width = 0;
    std::memcpy(&offset, &bmp[10], 4);
    std::memcpy(&width, &bmp[18], 4);
    EXPECT_EQ(offset, 54u);
    EXPECT_EQ(width, 640u);
    ASSERT_EQ(bmp.size(), 54u + 640 * 480 * 3);
    EXPECT_NE(images[0], images[1]) << "frames differ";
    std::vector<BYTE> last(Sim().LastCameraImage(nullptr, 0));
    Sim().LastCameraImage(last.data(), static_cast<uint32_t>(last.size()));
    EXPECT_EQ(last, images.back());

    ASSERT_EQ(stream->Stop(), S_OK);
    platform::RunMessagesFor(1000);
    EXPECT_EQ(images.size(), 4u);

    ComPtr<OverviewCameraDialog> dialog;
    ASSERT_EQ(stream->get_Dialog(dialog.Put()), S_OK);
    EXPECT_EQ(dialog->Show(), S_OK);
    ComPtr<OverviewCamera> camera;
    ComPtr<OverviewCameraOptions> options;
    ASSERT_EQ(tracker->get_OverviewCamera(camera.Put()), S_OK);
    ASSERT_EQ(camera->get_Options(options.Put()), S_OK);
    EXPECT_EQ(options->put_Switch2(0), S_OK);
    trackersim::CameraState state{};
    Sim().GetCamera(&state);
    EXPECT_FALSE(state.streaming);
    EXPECT_EQ(state.dialogShown, 1);
    EXPECT_EQ(state.optionSwitch2, 0);
}

// The reflector's spot sits where the head points and follows its moves:
// left and up move it left and up in the picture, until it leaves the picture.
TEST_F(UtilitiesTest, CameraSpotFollowsTheHead) {
    ComPtr<OverviewCameraStream> stream;
    ASSERT_EQ(tracker->get_OverviewCameraStream(stream.Put()), S_OK);
    ASSERT_EQ(stream->Start(), S_OK);
    platform::RunMessagesFor(200);
    trackersim::CameraState camera{};
    Sim().GetCamera(&camera);
    EXPECT_EQ(camera.spotX, 320);
    EXPECT_EQ(camera.spotY, 240);
    auto pixel = [&](int x, int y) {
        std::vector<BYTE> bmp(Sim().LastCameraImage(nullptr, 0));
        Sim().LastCameraImage(bmp.data(), static_cast<uint32_t>(bmp.size()));
        const BYTE* p = &bmp[54 + (479 - y) * 640 * 3 + x * 3];
        return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    };
    EXPECT_EQ(pixel(320, 240), 0xFFFFFFu);
    EXPECT_NE(pixel(100, 100), 0xFFFFFFu);

    ASSERT_EQ(tracker->Move(20, -20), S_OK); // left and up, 0.1 rad/s each
    platform::RunMessagesFor(1000);
    ASSERT_EQ(tracker->Move(0, 0), S_OK);
    platform::RunMessagesFor(200);
    trackersim::HeadState head{};
    Sim().GetHead(&head);
    EXPECT_NEAR(head.angle1, 0.7853981633974483 + 0.1, 1e-9);
    EXPECT_NEAR(head.angle2, 1.5707963267948966 - 0.1, 1e-9);
    Sim().GetCamera(&camera);
    EXPECT_EQ(camera.spotX, 258); // 0.1 rad of a 60 degree field over 640 pixels: 61.1
    EXPECT_EQ(camera.spotY, 178); // 0.1 rad of 45 degrees over 480 pixels: 61.1
    EXPECT_EQ(pixel(camera.spotX, camera.spotY), 0xFFFFFFu);
    EXPECT_NE(pixel(320, 240), 0xFFFFFFu);

    Sim().SetTrackerAngles(2.0, 1.5707963267948966);
    platform::RunMessagesFor(200);
    Sim().GetCamera(&camera);
    EXPECT_EQ(camera.spotX, -1);
    ASSERT_EQ(stream->Stop(), S_OK);
}
