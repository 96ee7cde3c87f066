// The thread's message queue on real windows: the system's queue, timers and
// windows. The runtime adds what the framework needs on top: an idle turn for
// the screen while a modal loop waits, tasks posted to the thread, and the
// count of live timers that leak checks read.
#include "../../message_loop.h"
#include "native_runtime.h"
#include "native_unmapped.h"

#include <memory>
#include <set>
#include <utility>

namespace platform {
namespace {

constexpr UINT kTaskMessage = WM_APP + 0x3FF0;
// How often a screen that is waiting (for time to pass) gets another turn.
constexpr DWORD kIdlePollMs = 15;

struct ThreadState {
    IdleHandler idle;
    HWND taskWindow = nullptr;
    std::set<std::pair<HWND, UINT_PTR>> timers;
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
    for (auto it = t_state.timers.begin(); it != t_state.timers.end();)
        it = it->first && !IsWindow(it->first) ? t_state.timers.erase(it) : std::next(it);
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
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

void RunMessagesFor(uint64_t milliseconds) {
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

// The system keeps real timers' deadlines to itself: a live timer is reported
// as due now.
bool NextTimerDeadline(uint64_t* deadline) {
    ForgetTimersOfDeadWindows();
    if (t_state.timers.empty())
        return false;
    if (deadline)
        *deadline = GetTickCount64();
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
    return t_state.timers.size();
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
        if (!t_state.idle)
            return GetMessageW(msg, hwnd, filterMin, filterMax);
        if (PeekMessageW(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        if (t_state.idle())
            continue;
        MsgWaitForMultipleObjectsEx(0, nullptr, kIdlePollMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

extern "C" BOOL QnPeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax,
                               UINT removeMsg) {
    return msg ? PeekMessageW(msg, hwnd, filterMin, filterMax, removeMsg) : FALSE;
}

extern "C" BOOL QnTranslateMessage(const MSG* msg) {
    return msg ? TranslateMessage(msg) : FALSE;
}

extern "C" LRESULT QnDispatchMessageW(const MSG* msg) {
    return msg ? DispatchMessageW(msg) : 0;
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
    const UINT_PTR result = SetTimer(hwnd, id, elapse, proc);
    if (result)
        t_state.timers.emplace(hwnd, hwnd ? id : result);
    return result;
}

extern "C" BOOL QnKillTimer(HWND hwnd, UINT_PTR id) {
    t_state.timers.erase({hwnd, id});
    return KillTimer(hwnd, id);
}

extern "C" BOOL QnIsWindow(HWND hwnd) {
    return IsWindow(hwnd);
}

extern "C" BOOL QnIsDialogMessageW(HWND dialog, LPMSG msg) {
    return dialog && msg && IsWindow(dialog) ? IsDialogMessageW(dialog, msg) : FALSE;
}
