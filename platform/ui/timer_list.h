// The timers of one thread, kept by the framework itself: the headless window
// manager's, and those of real windows while a virtual clock is installed. A
// due timer becomes a WM_TIMER message when the queue is read, as on Windows.
#pragma once

#include "winuser.h"

#include <cstdint>
#include <vector>

namespace platform::ui {

struct TimerEntry {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    uint64_t deadline;
};

class TimerList {
public:
    // Thread timers get ids from `firstThreadTimerId` on.
    explicit TimerList(UINT_PTR firstThreadTimerId = 1) : m_nextThreadTimerId(firstThreadTimerId) {}
    // Sets or replaces a timer (first due at now + elapse) and returns what
    // SetTimer returns. A thread timer (no window) gets a new id unless `id`
    // is one this list handed out.
    UINT_PTR Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, uint64_t now);
    bool Kill(HWND hwnd, UINT_PTR id);
    bool Has(HWND hwnd, UINT_PTR id) const;
    // The timer due first; null when there is none.
    const TimerEntry* Earliest() const;
    // The earliest timer due at `now` as a WM_TIMER message; with `remove`
    // its next deadline is set.
    bool TakeDue(uint64_t now, bool remove, MSG* msg);
    // Drops the timers of windows for which `gone` is true.
    template <class Predicate> void DropWindows(Predicate gone) {
        std::erase_if(m_timers, [&](const TimerEntry& t) { return t.hwnd && gone(t.hwnd); });
    }
    size_t Count() const { return m_timers.size(); }

private:
    std::vector<TimerEntry> m_timers;
    UINT_PTR m_nextThreadTimerId;
};

} // namespace platform::ui
