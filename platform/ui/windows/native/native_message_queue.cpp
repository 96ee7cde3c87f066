// The thread's message queue on real windows: the system's queue, timers and
// windows. The runtime adds what the framework needs on top: an idle turn for
// the screen while a modal loop waits, tasks posted to the thread, and the
// count of live timers that leak checks read.
//
// While a test's virtual clock is installed, the framework's timers are kept
// here instead of by the system and fire on virtual time, as on the headless
// window manager (the windows and their messages stay real): a wait of
// minutes costs nothing and every run sees the same order of events.
#include "../../clock.h"
#include "../../message_loop.h"
#include "../../timer_list.h"
#include "native_runtime.h"
#include "native_unmapped.h"

#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace platform {
namespace {

constexpr UINT kTaskMessage = WM_APP + 0x3FF0;
// How often a screen that is waiting (for time to pass) gets another turn.
constexpr DWORD kIdlePollMs = 15;

struct ThreadState {
    IdleHandler idle;
    HWND taskWindow = nullptr;
    std::set<std::pair<HWND, UINT_PTR>> realTimers;
    ui::TimerList virtualTimers{0x7F000000}; // thread timer ids apart from the system's
};
thread_local ThreadState t_state;

LRESULT CALLBACK TaskWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTaskMessage && lParam) {
        std::unique_ptr<std::function<void()>> task(
            reinterpret_cast<std::function<void()>*>(lParam));
        (*task)();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Tasks go to a message-only window of the thread rather than to the thread
// itself: a modal loop that is not ours (a message box) dispatches window
// messages but drops thread messages.
HWND TaskWindow() {
    if (!t_state.taskWindow || !IsWindow(t_state.taskWindow))
        t_state.taskWindow = ui::CreateMessageWindow(&TaskWindowProc, nullptr);
    return t_state.taskWindow;
}

void ForgetTimersOfDeadWindows() {
    auto& real = t_state.realTimers;
    for (auto it = real.begin(); it != real.end();)
        it = it->first && !IsWindow(it->first) ? real.erase(it) : std::next(it);
    t_state.virtualTimers.DropWindows([](HWND hwnd) { return !IsWindow(hwnd); });
}

bool TakeDueVirtualTimer(MSG* msg, bool remove) {
    return t_state.virtualTimers.TakeDue(CurrentClock().NowMs(), remove, msg);
}

} // namespace

bool FireDueVirtualTimers() {
    bool fired = false;
    MSG msg;
    while (TakeDueVirtualTimer(&msg, true)) {
        QnDispatchMessageW(&msg);
        fired = true;
    }
    return fired;
}

bool AdvanceToNextVirtualTimer() {
    const ui::TimerEntry* next = t_state.virtualTimers.Earliest();
    if (UsingRealClock() || !next)
        return false;
    CurrentClock().SleepUntil(next->deadline);
    return true;
}

int PumpMessages() {
    int count = 0;
    MSG msg;
    while (QnPeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        QnDispatchMessageW(&msg);
        ++count;
    }
    return count;
}

void RunMessagesFor(uint64_t milliseconds) {
    if (!UsingRealClock()) {
        Clock& clock = CurrentClock();
        const uint64_t end = clock.NowMs() + milliseconds;
        for (;;) {
            PumpMessages();
            const ui::TimerEntry* next = t_state.virtualTimers.Earliest();
            if (!next || next->deadline > end) {
                clock.SleepUntil(end);
                PumpMessages();
                return;
            }
            clock.SleepUntil(next->deadline);
        }
    }
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        PumpMessages();
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

void SetIdleHandler(IdleHandler handler) {
    t_state.idle = std::move(handler);
}

IdleHandler SwapIdleHandler(IdleHandler handler) {
    IdleHandler old = std::move(t_state.idle);
    t_state.idle = std::move(handler);
    return old;
}

// The system keeps real timers' deadlines to itself: a live real timer is
// reported as due now.
bool NextTimerDeadline(uint64_t* deadline) {
    ForgetTimersOfDeadWindows();
    if (const ui::TimerEntry* next = t_state.virtualTimers.Earliest()) {
        if (deadline)
            *deadline = next->deadline;
        return true;
    }
    if (t_state.realTimers.empty())
        return false;
    if (deadline)
        *deadline = CurrentClock().NowMs();
    return true;
}

HWND CreateHeadlessWindow(WNDPROC procedure, void* userData) {
    return ui::CreateMessageWindow(procedure, userData);
}

void DestroyHeadlessWindow(HWND hwnd) {
    DestroyWindow(hwnd);
    ForgetTimersOfDeadWindows();
}

void* GetHeadlessWindowData(HWND hwnd) {
    return IsWindow(hwnd) ? reinterpret_cast<void*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))
                          : nullptr;
}

void PostTask(std::function<void()> task) {
    auto boxed = std::make_unique<std::function<void()>>(std::move(task));
    if (PostMessageW(TaskWindow(), kTaskMessage, 0, reinterpret_cast<LPARAM>(boxed.get())))
        boxed.release(); // the task window's procedure owns it now
}

size_t PendingTimerCount() {
    ForgetTimersOfDeadWindows();
    return t_state.realTimers.size() + t_state.virtualTimers.Count();
}

namespace ui {
void ForgetDeadWindowTimers() {
    ForgetTimersOfDeadWindows();
}
} // namespace ui

} // namespace platform

using namespace platform;

extern "C" BOOL QnGetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
    if (!msg)
        return -1;
    for (;;) {
        if (!t_state.idle && UsingRealClock())
            return GetMessageW(msg, hwnd, filterMin, filterMax);
        if (QnPeekMessageW(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        if (t_state.idle && t_state.idle())
            continue;
        if (!UsingRealClock()) {
            if (!AdvanceToNextVirtualTimer())
                return -1; // nothing queued, no timer, nobody to act: the loop would hang
            continue;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, kIdlePollMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

extern "C" BOOL QnPeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
                               UINT removeMsg) {
    if (!msg)
        return FALSE;
    if (PeekMessageW(msg, hwnd, filterMin, filterMax, removeMsg))
        return TRUE;
    return TakeDueVirtualTimer(msg, (removeMsg & PM_REMOVE) != 0) ? TRUE : FALSE;
}

extern "C" BOOL QnTranslateMessage(const MSG* msg) {
    return msg ? TranslateMessage(msg) : FALSE;
}

extern "C" LRESULT QnDispatchMessageW(const MSG* msg) {
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && t_state.virtualTimers.Has(msg->hwnd, msg->wParam)) {
        if (msg->lParam)
            reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        else if (msg->hwnd)
            SendMessageW(msg->hwnd, WM_TIMER, msg->wParam, 0);
        return 0;
    }
    return DispatchMessageW(msg);
}

extern "C" BOOL QnPostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessageW(hwnd, message, wParam, lParam);
}

extern "C" BOOL QnPostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostThreadMessageW(threadId, message, wParam, lParam);
}

extern "C" void QnPostQuitMessage(int exitCode) {
    PostQuitMessage(exitCode);
}

extern "C" UINT_PTR QnSetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (UsingRealClock()) {
        const UINT_PTR result = SetTimer(hwnd, id, elapse, proc);
        if (result)
            t_state.realTimers.emplace(hwnd, hwnd ? id : result);
        return result;
    }
    if (hwnd && !IsWindow(hwnd))
        return 0;
    return t_state.virtualTimers.Set(hwnd, id, elapse, proc, CurrentClock().NowMs());
}

extern "C" BOOL QnKillTimer(HWND hwnd, UINT_PTR id) {
    if (t_state.virtualTimers.Kill(hwnd, id))
        return TRUE;
    t_state.realTimers.erase({hwnd, id});
    return KillTimer(hwnd, id);
}

extern "C" BOOL QnIsWindow(HWND hwnd) {
    return IsWindow(hwnd);
}

extern "C" BOOL QnIsDialogMessageW(HWND dialog, LPMSG msg) {
    return dialog && msg && IsWindow(dialog) ? IsDialogMessageW(dialog, msg) : FALSE;
}
