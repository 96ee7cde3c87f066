// A repeating timer of the thread's message loop that calls a function: the
// way the simulator paces continuous measuring and scenario playback.
#pragma once

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

} // namespace trackersim
