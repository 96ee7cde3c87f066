// Targets: the selected target's kind and size facets, live changes of the
// selection, and selecting through the collection.
#include "tracker_fixture.h"

using namespace tracker;

class TargetsTest : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        ASSERT_EQ(tracker->get_TargetCollection(targets.Put()), S_OK);
    }
    void TearDown() override {
        targets = nullptr;
        TrackerTest::TearDown();
    }
    ComPtr<Target> Selected() {
        ComPtr<Target> target;
        EXPECT_EQ(targets->get_Selected(target.Put()), S_OK);
        return target;
    }

    ComPtr<TargetCollection> targets;
};

TEST_F(TargetsTest, ProbeTargetSizeComesThroughTheTipChain) {
    Sim().SetSelectedTarget(trackersim::TargetKind::Probe, 3.0);
    ComPtr<Target> target = Selected();
    ComPtr<ProbeTarget> probeTarget;
    ASSERT_EQ(target.As(probeTarget), S_OK);
    ComPtr<Reflector> reflector;
    EXPECT_EQ(target.As(reflector), E_NOINTERFACE);
    ComPtr<Probe> probe;
    ComPtr<TipContainer> tips;
    ComPtr<Tip> tip;
    ComPtr<SizeValue> size;
    ASSERT_EQ(probeTarget->get_Probe(probe.Put()), S_OK);
    ASSERT_EQ(probe->get_TipContainer(tips.Put()), S_OK);
    ASSERT_EQ(tips->get_CurrentTip(tip.Put()), S_OK);
    ASSERT_EQ(tip->get_Size(size.Put()), S_OK);
    EXPECT_EQ(ValueOf(size), 3.0);
    Sim().SetSelectedTarget(trackersim::TargetKind::Probe, 4.5);
    EXPECT_EQ(ValueOf(size), 4.5) << "a tip change needs no new object";

    Sim().MakeNull(TEXT("TipContainer.get_CurrentTip"), true);
    EXPECT_EQ(tips->get_CurrentTip(tip.Put()), S_OK);
    EXPECT_FALSE(tip);
}

TEST_F(TargetsTest, EachKindOffersItsOwnFacets) {
    struct Case {
        trackersim::TargetKind kind;
        bool probe, reflector, custom, radius;
    };
    const Case cases[] = {
        {trackersim::TargetKind::Reflector, false, true, false, false},
        {trackersim::TargetKind::CustomReflector, false, true, true, false},
        {trackersim::TargetKind::RadiusTarget, false, false, false, true},
        {trackersim::TargetKind::Other, false, false, false, false},
    };
    for (const Case& c : cases) {
        Sim().SetSelectedTarget(c.kind, 0.75);
        ComPtr<Target> target = Selected();
        ASSERT_TRUE(target);
        ComPtr<ProbeTarget> probe;
        ComPtr<Reflector> reflector;
        ComPtr<CustomReflector> custom;
        ComPtr<RadiusTarget> radius;
        ComPtr<RadiusTargetInfo> info;
        const int k = static_cast<int>(c.kind);
        EXPECT_EQ(SUCCEEDED(target.As(probe)), c.probe) << k;
        EXPECT_EQ(SUCCEEDED(target.As(reflector)), c.reflector) << k;
        EXPECT_EQ(SUCCEEDED(target.As(custom)), c.custom) << k;
        EXPECT_EQ(SUCCEEDED(target.As(radius)), c.radius) << k;
        EXPECT_EQ(SUCCEEDED(target.As(info)), c.radius) << k;
        ComPtr<SizeValue> size;
        if (reflector) {
            ASSERT_EQ(reflector->get_Size(size.Put()), S_OK);
            EXPECT_EQ(ValueOf(size), 0.75);
        }
        if (info) {
            ComPtr<TargetGeometry> geometry;
            ASSERT_EQ(info->get_Geometry(geometry.Put()), S_OK);
            ASSERT_EQ(geometry->get_Size(size.Put()), S_OK);
            EXPECT_EQ(ValueOf(size), 0.75);
        }
    }
}

TEST_F(TargetsTest, SelectingThroughTheCollectionFiresSelectedChanged) {
    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(targets.Get(), IID_TargetCollectionEvents, &sink, cookie), S_OK);
    LONG count = 0;
    ASSERT_EQ(targets->get_Count(&count), S_OK);
    ASSERT_GE(count, 2);
    ComPtr<Target> second;
    ASSERT_EQ(targets->get_Item(1, second.Put()), S_OK);
    EXPECT_EQ(targets->put_Selected(second.Get()), S_OK);
    EXPECT_TRUE(IsSameComObject(Selected().Get(), second.Get()));
    platform::PumpMessages();
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0].dispid, DISPID_SelectedChanged);
    EXPECT_TRUE(IsSameComObject(sink.calls[0].args[1].pdispVal, second.Get()));

    EXPECT_EQ(targets->put_Selected(nullptr), E_INVALIDARG);
    Sim().MakeNull(TEXT("TargetCollection.get_Selected"), true);
    EXPECT_FALSE(Selected());
}
