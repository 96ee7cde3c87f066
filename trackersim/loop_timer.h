// A repeating timer of the thread's message loop that calls a function: the
// way the simulator paces continuous measuring and scenario playback.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>

namespace trackersim {

class LoopTimer {
public:
    LoopTimer() = default;
    LoopTimer(const LoopTimer&) = delete;
    LoopTimer& operator=(const LoopTimer&) = delete;
    // Not stopped here: the library unloads only with every timer stopped, and
    // at process exit the loop is gone already.
    ~LoopTimer() = default;

    // (Re)starts with the period; tick runs from the loop each time it is due.
    void Start(uint32_t periodMs, std::function<void()> tick);
    void Stop();
    bool Running() const { return m_id != 0; }

private:
    friend struct LoopTimerAccess;
    uintptr_t m_id = 0;
    std::function<void()> m_tick;
};

// Events at an exact rate on a millisecond timer: event k is due k/hertz
// seconds after the start, and happens at the first whole millisecond from
// then. Each tick asks how many events are due and re-arms the timer for the
// next one.
class RatePacer {
public:
    void Start(double hertz, uint64_t nowMs) {
        m_hz = hertz > 0 ? hertz : 1.0;
        m_startMs = nowMs;
        m_fired = 0;
    }
    uint64_t Due(uint64_t nowMs) {
        const double elapsed = static_cast<double>(nowMs - m_startMs);
        const auto due = static_cast<uint64_t>(std::floor(elapsed * m_hz / 1000.0 + 1e-9));
        const uint64_t count = due > m_fired ? due - m_fired : 0;
        m_fired += count;
        return count;
    }
    // Milliseconds from nowMs until the next event is due (at least 1).
    uint32_t WaitMs(uint64_t nowMs) const {
        const double at = std::ceil(static_cast<double>(m_fired + 1) * 1000.0 / m_hz - 1e-6);
        const double wait = at - static_cast<double>(nowMs - m_startMs);
        return wait < 1 ? 1u : wait > 4e9 ? 4000000000u : static_cast<uint32_t>(wait);
    }

private:
    double m_hz = 1.0;
    uint64_t m_startMs = 0;
    uint64_t m_fired = 0;
};

} // namespace trackersim
