#include "timer_list.h"

#include <algorithm>

namespace platform::ui {

UINT_PTR TimerList::Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, uint64_t now) {
    if (!hwnd && (id == 0 || !Has(nullptr, id)))
        id = m_nextThreadTimerId++;
    const TimerEntry entry{hwnd, id, elapse, proc, now + std::max<UINT>(elapse, 1)};
    const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                 [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
    if (it != m_timers.end())
        *it = entry;
    else
        m_timers.push_back(entry);
    return hwnd ? (id ? id : 1) : id;
}

bool TimerList::Kill(HWND hwnd, UINT_PTR id) {
    const auto it = std::find_if(m_timers.begin(), m_timers.end(),
                                 [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

bool TimerList::Has(HWND hwnd, UINT_PTR id) const {
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const TimerEntry& t) { return t.hwnd == hwnd && t.id == id; });
}

const TimerEntry* TimerList::Earliest() const {
    const TimerEntry* earliest = nullptr;
    for (const TimerEntry& t : m_timers)
        if (!earliest || t.deadline < earliest->deadline)
            earliest = &t;
    return earliest;
}

bool TimerList::TakeDue(uint64_t now, bool remove, MSG* msg) {
    TimerEntry* due = nullptr;
    for (TimerEntry& t : m_timers)
        if (t.deadline <= now && (!due || t.deadline < due->deadline))
            due = &t;
    if (!due)
        return false;
    *msg = MSG{};
    msg->hwnd = due->hwnd;
    msg->message = WM_TIMER;
    msg->wParam = due->id;
    msg->lParam = reinterpret_cast<LPARAM>(due->proc);
    msg->time = static_cast<DWORD>(now);
    if (remove)
        due->deadline = now + std::max<UINT>(due->elapse, 1);
    return true;
}

} // namespace platform::ui
