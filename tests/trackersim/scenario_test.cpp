// Scenarios: seeded, portable noise; points on the chosen shape; scripted
// playback on the virtual clock.
#include "tracker_fixture.h"

#include <cmath>

using namespace tracker;

namespace {

double Dot(const double* a, const double* b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Distance of the sample from the ideal shape.
double Residual(const trackersim::ShapeInfo& shape, const trackersim::SampleSpec& s) {
    const double d[3] = {s.x - shape.centre[0], s.y - shape.centre[1], s.z - shape.centre[2]};
    switch (shape.kind) {
    case 0:
        return std::sqrt(Dot(d, d)) - shape.radius;
    case 1:
        return Dot(d, shape.axis);
    default: {
        const double along = Dot(d, shape.axis);
        const double r[3] = {d[0] - along * shape.axis[0], d[1] - along * shape.axis[1],
                             d[2] - along * shape.axis[2]};
        return std::sqrt(Dot(r, r)) - shape.radius;
    }
    }
}

} // namespace

class ScenarioTest : public TrackerTest {
protected:
    // The sink's probe-button events as they come: (time, (button, state)).
    const std::vector<std::pair<uint64_t, std::pair<LONG, LONG>>>& Presses(RecordingSink& sink) {
        sink.onInvoke = [this](const RecordedCall& call) {
            ComPtr<ProbeButtonEventArgs> args;
            call.args[1].pdispVal->QueryInterface(ProbeButtonEventArgs::iid, args.PutVoid());
            LONG index = -1, state = -1;
            args->get_ButtonIndex(&index);
            args->get_ButtonState(&state);
            m_presses.push_back({Clock().NowMs(), {index, state}});
        };
        return m_presses;
    }
    std::vector<std::pair<uint64_t, std::pair<LONG, LONG>>> m_presses;
};

TEST_F(ScenarioTest, SameSeedSamePointsAndEveryShapeHoldsItsPoints) {
    for (const WCHAR* name : {TEXT("sphere"), TEXT("plane"), TEXT("cylinder")}) {
        ASSERT_EQ(Sim().SelectScenario(name, 42), S_OK);
        std::vector<trackersim::SampleSpec> first(50);
        for (auto& s : first)
            Sim().NextScenarioSample(&s);
        ASSERT_EQ(Sim().SelectScenario(name, 42), S_OK);
        trackersim::ShapeInfo shape{};
        Sim().GetScenarioShape(&shape);
        double sumSquares = 0;
        for (const auto& expected : first) {
            trackersim::SampleSpec s;
            Sim().NextScenarioSample(&s);
            EXPECT_EQ(s.x, expected.x);
            EXPECT_EQ(s.y, expected.y);
            EXPECT_EQ(s.z, expected.z);
            const double r = Residual(shape, s);
            EXPECT_LT(std::fabs(r), 5 * shape.noiseStd) << platform::Utf8FromWide(name);
            sumSquares += r * r;
            EXPECT_LE(s.rms, 0.1) << "scenario points pass the default RMS tolerance";
            EXPECT_NEAR(s.i * s.i + s.j * s.j + s.k * s.k, 1.0, 1e-9);
        }
        EXPECT_GT(sumSquares, 0.0) << "the points are noisy";
    }
    ASSERT_EQ(Sim().SelectScenario(TEXT("sphere"), 43), S_OK);
    trackersim::SampleSpec other;
    Sim().NextScenarioSample(&other);
    ASSERT_EQ(Sim().SelectScenario(TEXT("sphere"), 42), S_OK);
    trackersim::SampleSpec again;
    Sim().NextScenarioSample(&again);
    EXPECT_NE(other.x, again.x);
    EXPECT_EQ(Sim().SelectScenario(TEXT("torus"), 1), E_INVALIDARG);
}

TEST_F(ScenarioTest, SessionAndShapesPlayTheirButtonScriptsOnTheClock) {
    ComPtr<Tracker> t = tracker;
    ComPtr<TriggerCollection> triggers;
    ComPtr<TargetCollection> targets;
    t->get_TriggerCollection(triggers.Put());
    t->get_TargetCollection(targets.Put());
    RecordingSink& buttons = NewSink();
    RecordingSink& positions = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(triggers.Get(), IID_TriggerCollectionEvents, &buttons, cookie), S_OK);
    ASSERT_EQ(Advise(targets.Get(), IID_TargetCollectionEvents, &positions, cookie), S_OK);
    const auto& seen = Presses(buttons);

    Sim().SetContinuousRate(100); // presses of a tenth of a second
    ASSERT_EQ(Sim().SelectScenario(TEXT("session"), 3), S_OK);
    Sim().PlayScenario(10.0);
    EXPECT_TRUE(Sim().IsScenarioPlaying());
    platform::RunMessagesFor(999);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(positions.calls.size(), 9u);
    platform::RunMessagesFor(9001);
    // A press and a release per click: four A, one C, two A, one B.
    ASSERT_EQ(seen.size(), 16u);
    EXPECT_EQ(seen[0].first, 1000u);
    EXPECT_EQ(seen[0].second, (std::pair<LONG, LONG>{0, 2}));
    EXPECT_EQ(seen[1].first, 1100u);
    EXPECT_EQ(seen[1].second, (std::pair<LONG, LONG>{0, 1}));
    EXPECT_EQ(seen[8].second, (std::pair<LONG, LONG>{2, 2}));
    EXPECT_EQ(seen[14].first, 8000u);
    EXPECT_EQ(seen[14].second, (std::pair<LONG, LONG>{1, 2}));
    Sim().StopScenario();
    EXPECT_FALSE(Sim().IsScenarioPlaying());
    EXPECT_EQ(platform::PendingTimerCount(), 0u);

    // Every shape presses the buttons too; at a slow continuous rate a press
    // lasts long enough for five measurements (2.5 s).
    m_presses.clear();
    const uint64_t start = Clock().NowMs();
    Sim().SetContinuousRate(2);
    ASSERT_EQ(Sim().SelectScenario(TEXT("plane"), 3), S_OK);
    Sim().PlayScenario(0);
    platform::RunMessagesFor(13 * 3401 + 1000);
    Sim().StopScenario();
    // Twelve presses of A, then B; each held 2.501 s with 0.9 s between.
    ASSERT_EQ(seen.size(), 26u);
    EXPECT_EQ(seen[0].first - start, 1000u);
    EXPECT_EQ(seen[0].second, (std::pair<LONG, LONG>{0, 2}));
    EXPECT_EQ(seen[1].first - start, 3501u);
    EXPECT_EQ(seen[2].first - start, 4401u);
    EXPECT_EQ(seen[24].second, (std::pair<LONG, LONG>{1, 2}));
}
