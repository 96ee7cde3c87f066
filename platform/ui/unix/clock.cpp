#include "../clock.h"
#include "../winuser.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {
namespace {

class RealClock final : public Clock {
public:
    uint64_t NowMs() override {
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now().time_since_epoch())
                                         .count());
    }
    int64_t UnixTimeSeconds() override { return static_cast<int64_t>(std::time(nullptr)); }
    void SleepUntil(uint64_t ms) override {
        const uint64_t now = NowMs();
        if (ms > now)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms - now));
    }
};

RealClock g_realClock;
Clock* g_clock = &g_realClock;

} // namespace

Clock& CurrentClock() {
    return *g_clock;
}
void SetClock(Clock* clock) {
    g_clock = clock ? clock : &g_realClock;
}
bool UsingRealClock() {
    return g_clock == &g_realClock;
}

} // namespace platform

extern "C" ULONGLONG GetTickCount64() {
    return platform::CurrentClock().NowMs();
}
extern "C" DWORD GetTickCount() {
    return static_cast<DWORD>(platform::CurrentClock().NowMs());
}
extern "C" void Sleep(DWORD milliseconds) {
    platform::Clock& clock = platform::CurrentClock();
    clock.SleepUntil(clock.NowMs() + milliseconds);
}
extern "C" int64_t _time64(int64_t* out) {
    const int64_t now = platform::CurrentClock().UnixTimeSeconds();
    if (out)
        *out = now;
    return now;
}
