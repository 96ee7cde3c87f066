// Scenarios: the probe traces a known shape (sphere, plane, cylinder) with
// seeded Gaussian noise, identical on every platform, and the probe's buttons
// take points on it: twelve presses of A and a confirm on a shape; the
// "session" scenario presses A, cancels with C and confirms with B. A press
// lasts long enough for five measurements at the continuous rate set when the
// scenario is chosen. Measurements take their points from the
// active scenario once the queued samples are used up.
#pragma once

#include "sim_control.h"

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

namespace trackersim {

// Standard normal deviates from mt19937 by Marsaglia's polar method: the
// same sequence everywhere (std::normal_distribution is not portable).
class NormalSource {
public:
    explicit NormalSource(uint32_t seed) : m_rng(seed) {}
    double Uniform(); // in (0, 1)
    double Next();

private:
    std::mt19937 m_rng;
    bool m_hasSpare = false;
    double m_spare = 0;
};

class Scenario {
public:
    // False for an unknown name.
    static bool Make(platform::WideView name, uint32_t seed, Scenario& out);

    SampleSpec NextSample();
    const ShapeInfo& Shape() const { return m_shape; }
    const std::vector<ScriptStep>& Script() const { return m_script; }
    void SetScript(std::vector<ScriptStep> script) { m_script = std::move(script); }

private:
    ShapeInfo m_shape{};
    std::vector<ScriptStep> m_script;
    NormalSource m_noise{1};
};

Scenario& ActiveScenario();
void ResetScenario();

// The next point a measurement carries: a queued sample, else the scenario's.
SampleSpec NextSample();

} // namespace trackersim
