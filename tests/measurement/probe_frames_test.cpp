#include "measurement/probe_frames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

namespace {

struct Axes {
    double x[3], y[3], z[3], origin[3];
};

Axes AxesOf(const ZDEV_SCAN_DATA& record) {
    Axes a{};
    for (int r = 0; r < 3; ++r) {
        a.x[r] = record.frame[4 * r + 0];
        a.y[r] = record.frame[4 * r + 1];
        a.z[r] = record.frame[4 * r + 2];
        a.origin[r] = record.frame[4 * r + 3];
    }
    return a;
}

void ExpectVector(const double* v, double x, double y, double z) {
    EXPECT_EQ(v[0], x);
    EXPECT_EQ(v[1], y);
    EXPECT_EQ(v[2], z);
}

void ExpectLastRow(const ZDEV_SCAN_DATA& record) {
    EXPECT_EQ(record.frame[12], 0);
    EXPECT_EQ(record.frame[13], 0);
    EXPECT_EQ(record.frame[14], 0);
    EXPECT_EQ(record.frame[15], 1);
}

void ExpectRightHandedOrthonormal(const Axes& a) {
    double c[3];
    Cross(a.x, a.y, c);
    for (const double* v : {a.x, a.y, a.z})
        EXPECT_NEAR(Dot(v, v), 1.0, 1e-12);
    EXPECT_NEAR(Dot(a.x, a.y), 0.0, 1e-12);
    EXPECT_NEAR(Dot(a.y, a.z), 0.0, 1e-12);
    EXPECT_NEAR(Dot(a.x, a.z), 0.0, 1e-12);
    EXPECT_NEAR(Dot(c, a.z), 1.0, 1e-12);
}

TEST(VectorHelpers, NormalizeLeavesShortVectorsAlone) {
    double tiny[3] = {1e-10, 0, 0};
    EXPECT_FALSE(Normalize(tiny));
    EXPECT_EQ(tiny[0], 1e-10);
    double v[3] = {3, 0, 4};
    EXPECT_TRUE(Normalize(v));
    ExpectVector(v, 0.6, 0, 0.8);
    double src[3] = {0, 2, 0}, dst[3];
    EXPECT_EQ(CopyNormalized(dst, src), dst);
    ExpectVector(dst, 0, 1, 0);
    ExpectVector(src, 0, 2, 0);
}

TEST(FrameFromPoint, WorkedExamples) {
    ZDEV_SCAN_DATA record;
    const double alongX[3] = {1000, 0, 0};
    BuildFrameFromPoint(alongX, &record);
    Axes a = AxesOf(record);
    ExpectVector(a.x, 0, 1, 0);
    ExpectVector(a.y, 0, 0, 1);
    ExpectVector(a.z, 1, 0, 0);
    ExpectVector(a.origin, 1000, 0, 0);
    ExpectLastRow(record);
    EXPECT_EQ(record.type, 6);

    const double up[3] = {0, 0, 2000};
    BuildFrameFromPoint(up, &record);
    a = AxesOf(record);
    ExpectVector(a.x, 1, 0, 0);
    ExpectVector(a.y, 0, 1, 0);
    ExpectVector(a.z, 0, 0, 1);
    ExpectVector(a.origin, 0, 0, 2000);
    ExpectVector(record.GetPts(), 0, 0, 2000);
}

TEST(FrameFromPoint, AuxiliaryAxisSwitchesOnSignedX) {
    ZDEV_SCAN_DATA record;
    // d.x = 0.9 exactly keeps (1, 0, 0) as auxiliary axis: Y then points down.
    const double atLimit[3] = {0.9, std::sqrt(1 - 0.81), 0};
    ASSERT_EQ(atLimit[0] / std::sqrt(atLimit[0] * atLimit[0] + atLimit[1] * atLimit[1]), 0.9);
    BuildFrameFromPoint(atLimit, &record);
    EXPECT_LT(AxesOf(record).y[2], 0);
    // Far along +X it is (0, 1, 0): Y points up.
    const double beyond[3] = {0.95, std::sqrt(1 - 0.95 * 0.95), 0};
    BuildFrameFromPoint(beyond, &record);
    EXPECT_GT(AxesOf(record).y[2], 0);
}

TEST(FrameFromPoint, UndefinedLinesOfSightFallBackToValidFrames) {
    ZDEV_SCAN_DATA record;
    const double origin[3] = {0, 0, 0};
    BuildFrameFromPoint(origin, &record);
    Axes a = AxesOf(record);
    ExpectVector(a.x, 1, 0, 0);
    ExpectVector(a.y, 0, 1, 0);
    ExpectVector(a.z, 0, 0, 1);

    const double negativeX[3] = {-500, 0, 0};
    BuildFrameFromPoint(negativeX, &record);
    a = AxesOf(record);
    ExpectVector(a.z, -1, 0, 0);
    ExpectRightHandedOrthonormal(a);
    ExpectVector(a.origin, -500, 0, 0);
}

TEST(FrameFromPoint, AnyPointGivesAnOrthonormalFrame) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coordinate(-5000, 5000);
    ZDEV_SCAN_DATA record;
    for (int i = 0; i < 200; ++i) {
        const double p[3] = {coordinate(rng), coordinate(rng), coordinate(rng)};
        BuildFrameFromPoint(p, &record);
        const Axes a = AxesOf(record);
        ExpectRightHandedOrthonormal(a);
        const double length = std::sqrt(Dot(p, p));
        EXPECT_NEAR(a.z[0], p[0] / length, 1e-12);
    }
}

TEST(FrameFromDirection, WorkedExamples) {
    ZDEV_SCAN_DATA record;
    record.type = 0;
    const double down[6] = {1, 2, 3, 0, 0, -1};
    BuildFrameFromDirection(down, &record);
    Axes a = AxesOf(record);
    ExpectVector(a.x, -1, 0, 0);
    ExpectVector(a.y, 0, -1, 0);
    ExpectVector(a.z, 0, 0, 1);
    ExpectVector(a.origin, 1, 2, 3);
    ExpectVector(record.GetPts(), 1, 2, 3);
    ExpectLastRow(record);
    EXPECT_EQ(record.type, 0); // the direction builder leaves the type alone

    // Along -Y: Z is nearly the starting Y, so Y is rebuilt first.
    const double minusY[6] = {0, 0, 0, 0, -1, 0};
    BuildFrameFromDirection(minusY, &record);
    a = AxesOf(record);
    ExpectVector(a.z, -0.0, 1, -0.0);
    ExpectVector(a.y, 0, 0, 1);
    ExpectVector(a.x, -1, 0, 0);
}

TEST(FrameFromDirection, ZeroDirectionGivesZeroAxes) {
    ZDEV_SCAN_DATA record;
    const double none[6] = {4, 5, 6, 0, 0, 0};
    BuildFrameFromDirection(none, &record);
    const Axes a = AxesOf(record);
    for (const double* v : {a.x, a.y, a.z})
        EXPECT_EQ(Dot(v, v), 0);
    ExpectVector(a.origin, 4, 5, 6);
    ExpectLastRow(record);
}

#ifndef _WIN32
// Given no record, the builders return without touching memory: the child
// that calls them must come to its own end.
TEST(FrameBuildersDeathTest, IgnoreMissingRecord) {
    const double sample[6] = {1, 2, 3, 0, 0, 1};
    EXPECT_EXIT(
        {
            BuildFrameFromDirection(sample, nullptr);
            BuildFrameFromPoint(sample, nullptr);
            std::exit(7);
        },
        testing::ExitedWithCode(7), "");
}
#endif

} // namespace
