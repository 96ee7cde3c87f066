#include "host/session_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace {

std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Minus(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Length(Vec3 v) {
    return std::sqrt(Dot(v, v));
}
// The distance of p from the line through c along the unit vector u.
double FromLine(Vec3 p, Vec3 c, Vec3 u) {
    const Vec3 d = Minus(p, c);
    const double along = Dot(d, u);
    return std::sqrt(std::max(0.0, Dot(d, d) - along * along));
}
double AngleDegrees(Vec3 a, Vec3 b) {
    const double c = std::fabs(Dot(a, b)) / (Length(a) * Length(b));
    return std::acos(std::min(1.0, c)) * 180.0 / 3.14159265358979323846;
}

std::string Shape(const SessionStats& stats, const SessionFacts& facts) {
    std::vector<Vec3> points, normals;
    for (const SessionPoint& p : stats.Points())
        if (p.type == ZDEV_MSG_MEASUREMENT) {
            points.push_back(p.point);
            normals.push_back(p.normal);
        }
    static const char* const names[] = {"sphere", "plane", "cylinder"};
    const char* name = names[facts.shapeKind];
    const FittedShape fit = facts.shapeKind == 0   ? FitSphere(points)
                            : facts.shapeKind == 1 ? FitPlane(points)
                                                   : FitCylinder(points, normals);
    if (!fit.ok)
        return Format("zuhost: %s: %zu measured points are too few to fit one", name,
                      points.size());
    std::string line = Format("zuhost: %s fitted to %zu points%s: ", name, points.size(),
                              stats.Truncated() ? " (the first ones kept)" : "");
    const Vec3 c = fit.centre, a = fit.axis;
    if (facts.shapeKind == 0) {
        line += Format("centre (%.4f, %.4f, %.4f) mm, radius %.4f mm", c.x, c.y, c.z, fit.radius);
    } else if (facts.shapeKind == 1) {
        line += Format("through (%.4f, %.4f, %.4f) mm, normal (%.5f, %.5f, %.5f)", c.x, c.y, c.z,
                       a.x, a.y, a.z);
    } else {
        line += Format("axis through (%.4f, %.4f, %.4f) mm along (%.5f, %.5f, %.5f), radius "
                       "%.4f mm",
                       c.x, c.y, c.z, a.x, a.y, a.z, fit.radius);
    }
    line += Format("; residual %.4f mm RMS", fit.residual);
    const Vec3 sc = facts.shapeCentre, sa = facts.shapeAxis;
    line += "; against the scenario's: ";
    if (facts.shapeKind == 0)
        line += Format("centre %.4f mm away, radius %+.4f mm", Length(Minus(c, sc)),
                       fit.radius - facts.shapeRadius);
    else if (facts.shapeKind == 1)
        line += Format("normal %.4f degrees apart, its origin %.4f mm off the fitted plane",
                       AngleDegrees(a, sa), std::fabs(Dot(Minus(sc, c), a)));
    else
        line += Format("axis %.4f degrees apart and %.4f mm away, radius %+.4f mm",
                       AngleDegrees(a, sa), FromLine(sc, c, a), fit.radius - facts.shapeRadius);
    return line;
}

} // namespace

void SessionStats::Add(ZDEV_MESSAGE_TYPE type, const ZDEV_SCAN_DATA& record, uint64_t seq,
                       uint64_t ms, uint64_t press) {
    ++m_counts[type];
    if (m_total++ == 0)
        m_firstMs = ms;
    m_lastMs = ms;
    const double rms = record.meta.rms;
    if (type == ZDEV_MSG_MEASUREMENT) {
        if (std::isfinite(rms) && rms != ZDEV_NOT_AVAILABLE) {
            ++m_rmsCount;
            m_rmsSum += rms;
            m_rmsMax = m_rmsCount == 1 ? rms : std::max(m_rmsMax, rms);
        }
        if (press != m_press)
            ClosePress();
        m_press = press;
        if (m_pressCount++ == 0)
            m_pressFirstMs = ms;
        m_pressLastMs = ms;
    }
    if (m_points.size() >= m_keepAtMost) {
        m_truncated = true;
        return;
    }
    SessionPoint point;
    point.type = type;
    point.seq = seq;
    const double* p = record.GetPts();
    point.point = {p[0], p[1], p[2]};
    point.normal = {record.frame[2], record.frame[6], record.frame[10]};
    point.rms = rms;
    m_points.push_back(point);
}

void SessionStats::ClosePress() {
    if (m_pressCount > 1) {
        m_intervals += m_pressCount - 1;
        m_intervalMs += m_pressLastMs - m_pressFirstMs;
    }
    m_pressCount = 0;
}

long SessionStats::Count(int type) const {
    const auto found = m_counts.find(type);
    return found == m_counts.end() ? 0 : found->second;
}

double SessionStats::AchievedRate() const {
    uint64_t intervals = m_intervals, ms = m_intervalMs;
    if (m_pressCount > 1) {
        intervals += m_pressCount - 1;
        ms += m_pressLastMs - m_pressFirstMs;
    }
    return ms ? 1000.0 * static_cast<double>(intervals) / static_cast<double>(ms) : 0;
}

std::vector<std::string> SummaryLines(const SessionStats& stats, const SessionFacts& facts) {
    std::vector<std::string> lines;
    const long measured = stats.Count(ZDEV_MSG_MEASUREMENT);
    lines.push_back(Format("zuhost: records: %ld target-position (9), %ld measurement (10), %ld "
                           "confirm (11), %ld cancel (12)",
                           stats.Count(ZDEV_MSG_TARGET_POSITION), measured,
                           stats.Count(ZDEV_MSG_CONFIRM), stats.Count(ZDEV_MSG_CANCEL)));
    std::string presses = "zuhost: ";
    if (facts.presses < 0)
        presses += "presses not known";
    else if (facts.presses == 0)
        presses += "no measuring press";
    else
        presses += Format("%ld measuring presses, %.1f points per press", facts.presses,
                          static_cast<double>(measured) / static_cast<double>(facts.presses));
    if (facts.mode == 1 && facts.presses < 0) {
        // Without the presses a rate within them is not known either: one
        // taken over the whole session would count the pauses between them.
        presses += "; continuous rate not known";
    } else if (facts.mode == 1) {
        presses += Format("; continuous rate asked %g Hz", facts.askedRate);
        const double achieved = stats.AchievedRate();
        presses += achieved > 0 ? Format(", achieved %.1f Hz", achieved)
                                : std::string(", achieved: no press measured twice");
    }
    lines.push_back(presses);
    std::string quality = "zuhost: ";
    quality += stats.RmsCount()
                   ? Format("RMS mean %.4f mm, max %.4f mm", stats.RmsMean(), stats.RmsMax())
                   : std::string("RMS: no measurement");
    quality += facts.rejected < 0 ? std::string("; rejected by RMS: not known")
                                  : Format("; rejected by RMS: %ld", facts.rejected);
    quality += Format("; records span %.3f s%s", static_cast<double>(stats.SpanMs()) / 1000.0,
                      facts.virtualTime ? " of virtual time" : "");
    lines.push_back(quality);
    if (facts.hasShape && facts.shapeKind >= 0 && facts.shapeKind <= 2)
        lines.push_back(Shape(stats, facts));
    return lines;
}
