// What a session posted, gathered for the summary and the picture: counts,
// RMS, the time span, points per press and the continuous rate achieved, and
// the points themselves (up to a limit) for shape fits and the plot.
#pragma once

#include "host/shape_fit.h"
#include "interfaces/zdevice.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct SessionPoint {
    int type = 0; // message type
    uint64_t seq = 0;
    Vec3 point;
    Vec3 normal; // the frame's Z axis: against the probe's direction
    double rms = 0;
};

class SessionStats {
public:
    explicit SessionStats(size_t keepAtMost = 1000000) : m_keepAtMost(keepAtMost) {}

    // A record as it was posted, at clock time ms, during the press'th
    // measuring press (0: none known).
    void Add(ZDEV_MESSAGE_TYPE type, const ZDEV_SCAN_DATA& record, uint64_t seq, uint64_t ms,
             uint64_t press);

    long Count(int type) const;
    uint64_t Total() const { return m_total; }
    const std::vector<SessionPoint>& Points() const { return m_points; }
    bool Truncated() const { return m_truncated; }

    // Measurements with a finite RMS: mean and maximum.
    long RmsCount() const { return m_rmsCount; }
    double RmsMean() const { return m_rmsCount ? m_rmsSum / static_cast<double>(m_rmsCount) : 0; }
    double RmsMax() const { return m_rmsMax; }
    // From the first record to the last, in milliseconds.
    uint64_t SpanMs() const { return m_total ? m_lastMs - m_firstMs : 0; }
    // Measurements per second within presses (the first measurement of a
    // press starts its clock); 0 when no press has two.
    double AchievedRate() const;

private:
    void ClosePress();

    size_t m_keepAtMost;
    std::map<int, long> m_counts;
    uint64_t m_total = 0;
    std::vector<SessionPoint> m_points;
    bool m_truncated = false;
    long m_rmsCount = 0;
    double m_rmsSum = 0, m_rmsMax = 0;
    uint64_t m_firstMs = 0, m_lastMs = 0;
    // The press being measured, and the totals of those before it.
    uint64_t m_press = 0, m_pressCount = 0, m_pressFirstMs = 0, m_pressLastMs = 0;
    uint64_t m_intervals = 0, m_intervalMs = 0;
};

// The figures of a session that the summary needs besides the records.
struct SessionFacts {
    uint32_t mode = 1;
    double askedRate = 0; // continuous measurements per second asked for
    long presses = -1;    // measuring presses (-1: not known, nor the rate within them)
    long rejected = -1;   // measurements the RMS filter dropped (-1: not known)
    bool virtualTime = true;
    bool hasShape = false; // the scenario's shape below is known
    int shapeKind = 0;     // 0 sphere, 1 plane, 2 cylinder
    Vec3 shapeCentre, shapeAxis;
    double shapeRadius = 0;
};

// The summary lines (without a trailing newline), for standard error.
std::vector<std::string> SummaryLines(const SessionStats& stats, const SessionFacts& facts);
