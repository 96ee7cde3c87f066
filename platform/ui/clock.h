// The clock behind timers, GetTickCount64, Sleep and _time64. The real clock
// by default; tests install a VirtualClock so that waiting costs no wall time.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint64_t NowMs() = 0;          // monotonic milliseconds
    virtual int64_t UnixTimeSeconds() = 0; // calendar time
    virtual void SleepUntil(uint64_t ms) = 0;
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(int64_t unixStartSeconds = 1767225600) // 2026-01-01
        : m_unixStart(unixStartSeconds) {}
    uint64_t NowMs() override { return m_now; }
    int64_t UnixTimeSeconds() override { return m_unixStart + static_cast<int64_t>(m_now / 1000); }
    void SleepUntil(uint64_t ms) override {
        if (ms > m_now)
            m_now = ms;
    }
    void Advance(uint64_t ms) { m_now += ms; }

private:
    int64_t m_unixStart;
    uint64_t m_now = 0;
};

Clock& CurrentClock();
// Installs a clock for this process; null restores the real clock.
void SetClock(Clock* clock);
// False while another clock (a test's virtual clock) is installed.
bool UsingRealClock();

// Installs a virtual clock for the lifetime of the object.
class ScopedVirtualClock {
public:
    explicit ScopedVirtualClock(int64_t unixStartSeconds = 1767225600) : m_clock(unixStartSeconds) {
        SetClock(&m_clock);
    }
    ~ScopedVirtualClock() { SetClock(nullptr); }
    ScopedVirtualClock(const ScopedVirtualClock&) = delete;
    ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
    VirtualClock& clock() { return m_clock; }

private:
    VirtualClock m_clock;
};

} // namespace platform
