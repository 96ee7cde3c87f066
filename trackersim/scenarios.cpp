#include "scenarios.h"

#include "hardware.h"

#include <algorithm>
#include <cmath>

namespace trackersim {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator*(double s, Vec v) {
    return {s * v.x, s * v.y, s * v.z};
}
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec Normalized(Vec v) {
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return (1.0 / n) * v;
}
Vec FromArray(const double (&a)[3]) {
    return {a[0], a[1], a[2]};
}

// Two unit vectors perpendicular to n and to each other.
void Basis(Vec n, Vec& e1, Vec& e2) {
    const Vec helper = std::fabs(n.x) < 0.9 ? Vec{1, 0, 0} : Vec{0, 1, 0};
    e1 = Normalized(Cross(n, helper));
    e2 = Cross(n, e1);
}

enum ShapeKind { kSphere = 0, kPlane = 1, kCylinder = 2 };

ShapeInfo SphereShape() {
    return {kSphere, {2000, 500, 300}, {0, 0, 1}, 25.0, 0.01};
}
ShapeInfo PlaneShape() {
    const Vec n = Normalized({0.1, -0.2, 1.0});
    return {kPlane, {1500, -300, 0}, {n.x, n.y, n.z}, 0.0, 0.01};
}
ShapeInfo CylinderShape() {
    return {kCylinder, {1800, 200, -100}, {0, 0, 1}, 40.0, 0.01};
}

// How long a scripted press is held: a tenth of a second, or long enough for
// five measurements at the continuous rate when that is slower (the fifth
// comes a millisecond before the release).
uint32_t HoldMs() {
    const double hz = TheHardware().continuousHz;
    const double forFive = hz > 0 ? std::ceil(5000.0 / hz) + 1 : 100.0;
    return static_cast<uint32_t>(std::clamp(forFive, 100.0, 3600000.0));
}

// Presses of the probe's buttons, each held for HoldMs() and followed by 0.9 s
// with no button down. Button A (0) measures, B (1) confirms, C (2) cancels.
class PressScript {
public:
    void Click(int32_t button) {
        const uint32_t hold = HoldMs();
        m_steps.push_back({m_t, ScriptAction::PressButton, button});
        m_steps.push_back({m_t + hold, ScriptAction::ReleaseButton, button});
        m_t += hold + 900;
    }
    std::vector<ScriptStep> Steps() && { return std::move(m_steps); }

private:
    uint32_t m_t = 1000;
    std::vector<ScriptStep> m_steps;
};

// Four points with button A, a cancel, two more points, then confirm.
std::vector<ScriptStep> SessionScript() {
    PressScript script;
    for (int i = 0; i < 4; ++i)
        script.Click(0);
    script.Click(2);
    for (int i = 0; i < 2; ++i)
        script.Click(0);
    script.Click(1);
    return std::move(script).Steps();
}

// The shape scenarios: twelve points with button A, then confirm.
std::vector<ScriptStep> ShapeScript() {
    PressScript script;
    for (int i = 0; i < 12; ++i)
        script.Click(0);
    script.Click(1);
    return std::move(script).Steps();
}

Scenario& Active() {
    static Scenario scenario = [] {
        Scenario s;
        Scenario::Make(TEXT("sphere"), 1, s);
        s.SetScript({});
        return s;
    }();
    return scenario;
}

} // namespace

double NormalSource::Uniform() {
    return (static_cast<double>(m_rng()) + 0.5) / 4294967296.0;
}

double NormalSource::Next() {
    if (m_hasSpare) {
        m_hasSpare = false;
        return m_spare;
    }
    double u, v, s;
    do {
        u = 2.0 * Uniform() - 1.0;
        v = 2.0 * Uniform() - 1.0;
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    m_spare = v * f;
    m_hasSpare = true;
    return u * f;
}

bool Scenario::Make(platform::WideView name, uint32_t seed, Scenario& out) {
    Scenario s;
    if (name == TEXT("sphere") || name == TEXT("session"))
        s.m_shape = SphereShape();
    else if (name == TEXT("plane"))
        s.m_shape = PlaneShape();
    else if (name == TEXT("cylinder"))
        s.m_shape = CylinderShape();
    else
        return false;
    s.m_script = name == TEXT("session") ? SessionScript() : ShapeScript();
    s.m_noise = NormalSource(seed);
    out = std::move(s);
    return true;
}

SampleSpec Scenario::NextSample() {
    const Vec c = FromArray(m_shape.centre);
    const Vec axis = FromArray(m_shape.axis);
    Vec e1, e2;
    Basis(axis, e1, e2);
    Vec normal{0, 0, 1};
    Vec onSurface = c;
    switch (m_shape.kind) {
    case kSphere: {
        // A direction on the upper half, where the probe can reach.
        const double a = m_noise.Next(), b = m_noise.Next(), h = std::fabs(m_noise.Next());
        normal = Normalized({a, b, h + 0.1});
        onSurface = c + m_shape.radius * normal;
        break;
    }
    case kPlane: {
        const double u = 200.0 * m_noise.Uniform() - 100.0;
        const double v = 200.0 * m_noise.Uniform() - 100.0;
        normal = axis;
        onSurface = c + u * e1 + v * e2;
        break;
    }
    default: {
        const double angle = 2.0 * kPi * m_noise.Uniform();
        const double along = 120.0 * m_noise.Uniform();
        normal = std::cos(angle) * e1 + std::sin(angle) * e2;
        onSurface = c + along * axis + m_shape.radius * normal;
        break;
    }
    }
    const Vec p = onSurface + (m_shape.noiseStd * m_noise.Next()) * normal;
    SampleSpec sample;
    sample.x = p.x;
    sample.y = p.y;
    sample.z = p.z;
    sample.rms = m_shape.noiseStd * (0.5 + 0.5 * std::fabs(m_noise.Next()));
    // The probe points into the surface.
    sample.i = -normal.x;
    sample.j = -normal.y;
    sample.k = -normal.z;
    sample.hasSixDof = true;
    sample.rx = std::atan2(normal.y, normal.z) * 180.0 / kPi;
    sample.ry = std::atan2(normal.x, normal.z) * 180.0 / kPi;
    sample.rz = 0.0;
    return sample;
}

Scenario& ActiveScenario() {
    return Active();
}

void ResetScenario() {
    Scenario::Make(TEXT("sphere"), 1, Active());
    Active().SetScript({}); // after a reset nothing plays until a scenario is chosen
}

SampleSpec NextSample() {
    auto& queued = TheHardware().queuedSamples;
    if (!queued.empty()) {
        SampleSpec sample = queued.front();
        queued.pop_front();
        return sample;
    }
    return Active().NextSample();
}

} // namespace trackersim
