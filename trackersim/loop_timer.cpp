#include "loop_timer.h"

#include "module_state.h"

#include "../platform/ui/winuser.h"

#include <map>

namespace trackersim {

struct LoopTimerAccess {
    static std::map<UINT_PTR, LoopTimer*>& Timers() {
        static std::map<UINT_PTR, LoopTimer*> timers;
        return timers;
    }
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) {
        auto it = Timers().find(id);
        if (it == Timers().end())
            return;
        // A copy: the tick may stop or restart its own timer.
        std::function<void()> tick = it->second->m_tick;
        if (tick)
            tick();
    }
};

void LoopTimer::Start(uint32_t periodMs, std::function<void()> tick) {
    Stop();
    m_tick = std::move(tick);
    m_id = SetTimer(nullptr, 0, periodMs, &LoopTimerAccess::Proc);
    if (m_id == 0)
        return;
    LoopTimerAccess::Timers()[m_id] = this;
    TimerStarted();
}

void LoopTimer::Stop() {
    if (m_id == 0)
        return;
    KillTimer(nullptr, m_id);
    LoopTimerAccess::Timers().erase(m_id);
    m_id = 0;
    m_tick = nullptr;
    TimerStopped();
}

} // namespace trackersim
