// The session summary: what an engineer checks first, and the shapes fitted
// back to the points that lie on them.
#include "host/session_stats.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ZDEV_SCAN_DATA Record(Vec3 p, Vec3 normal, double rms) {
    ZDEV_SCAN_DATA record;
    for (double& element : record.frame)
        element = 0;
    record.frame[3] = p.x;
    record.frame[7] = p.y;
    record.frame[11] = p.z;
    record.frame[2] = normal.x;
    record.frame[6] = normal.y;
    record.frame[10] = normal.z;
    record.SetPt(p.x, p.y, p.z);
    record.meta.rms = rms;
    return record;
}

// Points on a shape, spread with a fixed pattern (no noise).
std::vector<std::pair<Vec3, Vec3>> OnShape(int kind) {
    std::vector<std::pair<Vec3, Vec3>> out;
    for (int i = 0; i < 40; ++i) {
        const double a = 0.37 * i, b = 0.21 * i + 0.3;
        if (kind == 0) { // sphere, centre (10, -20, 30), radius 5
            const Vec3 n{std::cos(a) * std::sin(b), std::sin(a) * std::sin(b), std::cos(b)};
            out.push_back({{10 + 5 * n.x, -20 + 5 * n.y, 30 + 5 * n.z}, n});
        } else if (kind == 1) { // plane z = 2 through (0, 0, 2)
            out.push_back({{std::cos(a) * i, std::sin(a) * i, 2}, {0, 0, 1}});
        } else { // cylinder along x through (0, 3, 4), radius 7
            const Vec3 n{0, std::cos(a), std::sin(a)};
            out.push_back({{i * 1.5, 3 + 7 * n.y, 4 + 7 * n.z}, n});
        }
    }
    return out;
}

} // namespace

TEST(ZuhostSummary, PressesRateRmsAndSpan) {
    SessionStats stats;
    uint64_t seq = 0;
    // Two presses of four measurements 10 ms apart, a confirm, a target position.
    for (uint64_t press = 1; press <= 2; ++press)
        for (int i = 0; i < 4; ++i) {
            const ZDEV_SCAN_DATA r = Record({1, 2, 3}, {0, 0, 1}, 0.01 * (i + 1));
            stats.Add(ZDEV_MSG_MEASUREMENT, r, ++seq, 1000 * press + 10 * i, press);
        }
    stats.Add(ZDEV_MSG_CONFIRM, Record({1, 2, 3}, {0, 0, 1}, ZDEV_NOT_AVAILABLE), ++seq, 2500, 2);
    stats.Add(ZDEV_MSG_TARGET_POSITION, Record({1, 2, 3}, {0, 0, 1}, 0.02), ++seq, 3000, 2);
    EXPECT_DOUBLE_EQ(stats.AchievedRate(), 100.0);
    EXPECT_NEAR(stats.RmsMean(), 0.025, 1e-12);
    EXPECT_DOUBLE_EQ(stats.RmsMax(), 0.04);
    EXPECT_EQ(stats.SpanMs(), 2000u);

    SessionFacts facts;
    facts.askedRate = 100;
    facts.presses = 2;
    facts.rejected = 3;
    const std::vector<std::string> lines = SummaryLines(stats, facts);
    ASSERT_EQ(lines.size(), 3u) << "no shape without a scenario";
    EXPECT_EQ(lines[0], "zuhost: records: 1 target-position (9), 8 measurement (10), 1 confirm "
                        "(11), 0 cancel (12)");
    EXPECT_EQ(lines[1], "zuhost: 2 measuring presses, 4.0 points per press; continuous rate "
                        "asked 100 Hz, achieved 100.0 Hz");
    EXPECT_EQ(lines[2], "zuhost: RMS mean 0.0250 mm, max 0.0400 mm; rejected by RMS: 3; records "
                        "span 2.000 s of virtual time");

    // A replay or another library: the presses are not known, and a rate
    // over the whole session (pauses included) would mislead.
    facts.presses = -1;
    EXPECT_EQ(SummaryLines(stats, facts)[1],
              "zuhost: presses not known; continuous rate not known");
}

TEST(ZuhostSummary, ShapesFitBackToTheirPointsAndAreComparedWithTheScenario) {
    const struct {
        int kind;
        Vec3 centre, axis;
        double radius;
        const char* expected;
    } cases[] = {
        {0, {10, -20, 30}, {}, 5, "centre (10.0000, -20.0000, 30.0000) mm, radius 5.0000 mm"},
        {1, {0, 0, 2}, {0, 0, 1}, 0, "normal 0.0000 degrees apart, its origin 0.0000 mm off"},
        {2, {0, 3, 4}, {1, 0, 0}, 7, "radius 7.0000 mm"},
    };
    for (const auto& c : cases) {
        SessionStats stats;
        uint64_t seq = 0;
        for (const auto& [point, normal] : OnShape(c.kind)) {
            ++seq;
            stats.Add(ZDEV_MSG_MEASUREMENT, Record(point, normal, 0.01), seq, seq, 1);
        }
        SessionFacts facts;
        facts.hasShape = true;
        facts.shapeKind = c.kind;
        facts.shapeCentre = c.centre;
        facts.shapeAxis = c.axis;
        facts.shapeRadius = c.radius;
        const std::string shape = SummaryLines(stats, facts).back();
        EXPECT_NE(shape.find(c.expected), std::string::npos) << shape;
        EXPECT_NE(shape.find("residual 0.0000 mm RMS"), std::string::npos) << shape;
        EXPECT_EQ(shape.find("radius -"), std::string::npos) << shape;
    }
}

TEST(ZuhostSummary, CylinderAxisAndOffsetsAreReported) {
    std::vector<Vec3> points, normals;
    SessionStats stats;
    for (const auto& [point, normal] : OnShape(2)) {
        points.push_back(point);
        normals.push_back(normal);
        stats.Add(ZDEV_MSG_MEASUREMENT, Record(point, normal, 0.01), points.size(), 0, 1);
    }
    // The scenario's cylinder sits 0.5 mm beside the points' one, its radius 1 mm larger.
    SessionFacts facts;
    facts.hasShape = true;
    facts.shapeKind = 2;
    facts.shapeCentre = {100, 3.5, 4};
    facts.shapeAxis = {-1, 0, 0};
    facts.shapeRadius = 8;
    EXPECT_NE(SummaryLines(stats, facts)
                  .back()
                  .find("axis 0.0000 degrees apart and 0.5000 mm away, radius -1.0000 mm"),
              std::string::npos)
        << SummaryLines(stats, facts).back();
    const FittedShape fit = FitCylinder(points, normals);
    ASSERT_TRUE(fit.ok);
    EXPECT_NEAR(std::fabs(fit.axis.x), 1.0, 1e-9);
    EXPECT_NEAR(fit.radius, 7.0, 1e-9);
    // The centre lies on the axis: y and z are the axis' own.
    EXPECT_NEAR(fit.centre.y, 3.0, 1e-9);
    EXPECT_NEAR(fit.centre.z, 4.0, 1e-9);
    EXPECT_FALSE(FitSphere({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}).ok) << "three points are too few";
}

TEST(ZuhostSummary, TooFewPointsSayWhy) {
    SessionStats stats;
    stats.Add(ZDEV_MSG_MEASUREMENT, Record({1, 0, 0}, {0, 0, 1}, 0.01), 1, 0, 1);
    SessionFacts facts;
    facts.mode = 0;
    facts.hasShape = true;
    facts.presses = 1;
    const std::vector<std::string> lines = SummaryLines(stats, facts);
    EXPECT_EQ(lines[1], "zuhost: 1 measuring presses, 1.0 points per press");
    EXPECT_EQ(lines.back(), "zuhost: sphere: 1 measured points are too few to fit one");
}
