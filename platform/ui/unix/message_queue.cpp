// The thread's message queue and timers. Timers are not queued: a due timer
// becomes a WM_TIMER message when the queue is read, as on Windows.
#include "../clock.h"
#include "../message_loop.h"
#include "../timer_list.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {
namespace {

constexpr UINT kTaskMessage = WM_APP + 0x3FF0;

struct ThreadQueue {
    std::deque<MSG> messages;
    ui::TimerList timers;
    IdleHandler idle;
    ~ThreadQueue() {
        for (const MSG& m : messages)
            if (!m.hwnd && m.message == kTaskMessage)
                delete reinterpret_cast<std::function<void()>*>(m.lParam);
    }
};

thread_local ThreadQueue t_queue;

struct WindowEntry {
    WNDPROC procedure;
    void* data;
};
std::mutex g_windowsMutex;
std::map<HWND, WindowEntry>& Windows() {
    static auto* windows = new std::map<HWND, WindowEntry>; // lives to process exit
    return *windows;
}
uintptr_t g_nextWindow = 0x10000;

bool FindWindow(HWND hwnd, WindowEntry& out) {
    std::lock_guard<std::mutex> lock(g_windowsMutex);
    auto it = Windows().find(hwnd);
    if (it == Windows().end())
        return false;
    out = it->second;
    return true;
}

// Pops the next queued message or turns the earliest due timer into WM_TIMER.
bool TakeMessage(MSG* msg, bool remove) {
    ThreadQueue& q = t_queue;
    if (!q.messages.empty()) {
        *msg = q.messages.front();
        if (remove)
            q.messages.pop_front();
        return true;
    }
    return q.timers.TakeDue(CurrentClock().NowMs(), remove, msg);
}

const ui::TimerEntry* EarliestTimer() {
    return t_queue.timers.Earliest();
}

} // namespace

int PumpMessages() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

void RunMessagesFor(uint64_t milliseconds) {
    Clock& clock = CurrentClock();
    const uint64_t end = clock.NowMs() + milliseconds;
    for (;;) {
        PumpMessages();
        const ui::TimerEntry* next = EarliestTimer();
        if (!next || next->deadline > end) {
            clock.SleepUntil(end);
            PumpMessages();
            return;
        }
        clock.SleepUntil(next->deadline);
    }
}

void SetIdleHandler(IdleHandler handler) {
    t_queue.idle = std::move(handler);
}

IdleHandler SwapIdleHandler(IdleHandler handler) {
    IdleHandler old = std::move(t_queue.idle);
    t_queue.idle = std::move(handler);
    return old;
}

bool NextTimerDeadline(uint64_t* deadline) {
    const ui::TimerEntry* next = EarliestTimer();
    if (next && deadline)
        *deadline = next->deadline;
    return next != nullptr;
}

HWND CreateHeadlessWindow(WNDPROC procedure, void* userData) {
    std::lock_guard<std::mutex> lock(g_windowsMutex);
    HWND hwnd = reinterpret_cast<HWND>(g_nextWindow);
    g_nextWindow += 0x10;
    Windows()[hwnd] = WindowEntry{procedure, userData};
    return hwnd;
}

void DestroyHeadlessWindow(HWND hwnd) {
    {
        std::lock_guard<std::mutex> lock(g_windowsMutex);
        Windows().erase(hwnd);
    }
    // A destroyed window's timers and queued messages die with it.
    t_queue.timers.DropWindows([hwnd](HWND timerWindow) { return timerWindow == hwnd; });
    auto& messages = t_queue.messages;
    messages.erase(std::remove_if(messages.begin(), messages.end(),
                                  [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                   messages.end());
}

void* GetHeadlessWindowData(HWND hwnd) {
    WindowEntry entry{};
    return FindWindow(hwnd, entry) ? entry.data : nullptr;
}

void PostTask(std::function<void()> task) {
    auto* boxed = new std::function<void()>(std::move(task));
    PostMessageW(nullptr, kTaskMessage, 0, reinterpret_cast<LPARAM>(boxed));
}

size_t PendingTimerCount() {
    return t_queue.timers.Count();
}

} // namespace platform

using namespace platform;

extern "C" BOOL PeekMessageW(LPMSG msg, HWND, UINT, UINT, UINT removeMsg) {
    if (!msg)
        return FALSE;
    return TakeMessage(msg, (removeMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

extern "C" BOOL GetMessageW(LPMSG msg, HWND, UINT, UINT) {
    if (!msg)
        return -1;
    for (;;) {
        if (TakeMessage(msg, true))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        if (t_queue.idle && t_queue.idle())
            continue;
        const ui::TimerEntry* next = EarliestTimer();
        if (!next)
            return -1; // nothing queued, no timer, nobody to act: the loop would hang
        CurrentClock().SleepUntil(next->deadline);
    }
}

extern "C" BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

extern "C" LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    if (!msg->hwnd) {
        if (msg->message == kTaskMessage && msg->lParam) {
            std::unique_ptr<std::function<void()>> task(
                reinterpret_cast<std::function<void()>*>(msg->lParam));
            (*task)();
        }
        return 0;
    }
    WindowEntry entry{};
    if (!FindWindow(msg->hwnd, entry) || !entry.procedure)
        return 0;
    return entry.procedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

extern "C" BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd) {
        WindowEntry entry{};
        if (!FindWindow(hwnd, entry))
            return FALSE;
    }
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    t_queue.messages.push_back(msg);
    return TRUE;
}

extern "C" BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    if (threadId != GetCurrentThreadId())
        return FALSE; // one thread carries everything here
    return PostMessageW(nullptr, message, wParam, lParam);
}

extern "C" LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEntry entry{};
    if (!FindWindow(hwnd, entry) || !entry.procedure)
        return 0;
    return entry.procedure(hwnd, message, wParam, lParam);
}

extern "C" void PostQuitMessage(int exitCode) {
    MSG msg{};
    msg.message = WM_QUIT;
    msg.wParam = static_cast<WPARAM>(exitCode);
    t_queue.messages.push_back(msg);
}

extern "C" UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hwnd) {
        WindowEntry entry{};
        if (!FindWindow(hwnd, entry))
            return 0;
    }
    return t_queue.timers.Set(hwnd, id, elapse, proc, CurrentClock().NowMs());
}

extern "C" BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    return t_queue.timers.Kill(hwnd, id) ? TRUE : FALSE;
}

extern "C" BOOL IsWindow(HWND hwnd) {
    WindowEntry entry{};
    return FindWindow(hwnd, entry) ? TRUE : FALSE;
}
