// Message boxes as the system shows them. The box runs the system's own modal
// loop; the runtime puts it on the modal stack for the screen, learns its
// window as it is activated, and gives the screen a turn now and then (a thread
// timer), so that a scripted screen can read and answer a real box. On a
// virtual clock the same turn fires the framework's due timers.
#include "../../clock.h"
#include "../../screen.h"
#include "native_runtime.h"
#include "native_visual_styles.h"
#include "native_unmapped.h"
#include "platform/base/text.h"
#include "platform/trace/trace.h"

namespace platform::ui {
namespace {

constexpr UINT kScreenTurnMs = 20;

struct OpenBox;
thread_local OpenBox* t_box = nullptr; // the innermost open box
LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam);
void CALLBACK ScreenTurn(HWND, UINT, UINT_PTR, DWORD);

// While a box is open: the hook that learns its window and the screen's
// turns, both gone with the box.
struct OpenBox {
    explicit OpenBox(ModalFrame& box)
        : frame(&box),
          activationHook(SetWindowsHookExW(WH_CBT, &ActivationHook, nullptr, GetCurrentThreadId())),
          turns(SetTimer(nullptr, 0, kScreenTurnMs, &ScreenTurn)), outer(t_box) {
        t_box = this;
    }
    ~OpenBox() {
        if (turns)
            KillTimer(nullptr, turns);
        if (activationHook)
            UnhookWindowsHookEx(activationHook);
        t_box = outer;
    }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;

    ModalFrame* frame;
    HHOOK activationHook;
    UINT_PTR turns;
    OpenBox* outer;
};

LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_box && !t_box->frame->dialog &&
        HasClass(reinterpret_cast<HWND>(wParam), L"#32770"))
        t_box->frame->dialog = reinterpret_cast<HWND>(wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ScreenTurn(HWND, UINT, UINT_PTR, DWORD) {
    FireDueVirtualTimers(); // tracker events go on while the box is open
    ModalFrame* top = TopModalFrame();
    if (!t_box || top != t_box->frame || !top->dialog || top->ended || !IsWindow(top->dialog))
        return;
    if (CurrentScreen().Idle(*top) || UsingRealClock())
        return;
    // On virtual time with nobody acting: time moves to the next timer, and
    // when there is none the box could never be answered, so it gets its
    // default answer, as a headless box does.
    if (!AdvanceToNextVirtualTimer())
        PostAnswer(*top, DefaultMessageBoxAnswer(top->box.type));
}

} // namespace
} // namespace platform::ui

using namespace platform;
using namespace platform::ui;

extern "C" int QnMessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    ModalFrame frame;
    frame.kind = ModalFrame::Kind::MessageBox;
    frame.box.text = text ? text : L"";
    frame.box.caption = caption ? caption : L"Error";
    frame.box.type = type;
    ModalFrameScope onStack(frame);
    QNTRACE("message box shown: \"%s\" \"%s\" (type 0x%X)", Utf8FromWide(frame.box.caption).c_str(),
            Utf8FromWide(frame.box.text).c_str(), type);
    CurrentScreen().MessageBoxShown(frame);

    int answer = 0;
    {
        OpenBox open(frame);
        ActivationScope visualStyles; // the box's buttons are the common controls' own
        answer = MessageBoxExW(owner, frame.box.text.c_str(), frame.box.caption.c_str(), type, 0);
    }

    frame.result = answer > 0 ? answer : DefaultMessageBoxAnswer(type);
    frame.ended = true;
    QNTRACE("message box closed with %d", frame.result);
    return frame.result;
}
