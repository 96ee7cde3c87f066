#include "screen.h"

#include "message_loop.h"
#include "platform/base/text.h"
#include "platform/trace/trace.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

DefaultScreen g_defaultScreen;
Screen* g_screen = &g_defaultScreen;
std::vector<ModalFrame*> g_modalStack;
uint64_t g_nextSerial = 1;

ModalFrame* FindFrame(uint64_t serial) {
    for (ModalFrame* f : g_modalStack)
        if (f->serial == serial)
            return f;
    return nullptr;
}

// Puts the screen in charge of idle time for the duration of a modal loop.
class ScreenIdle {
public:
    ScreenIdle()
        : m_previous(SwapIdleHandler([] {
              ModalFrame* top = TopModalFrame();
              return top && !top->ended && CurrentScreen().Idle(*top);
          })) {}
    ~ScreenIdle() { SwapIdleHandler(std::move(m_previous)); }
    ScreenIdle(const ScreenIdle&) = delete;
    ScreenIdle& operator=(const ScreenIdle&) = delete;

private:
    IdleHandler m_previous;
};

} // namespace

bool DefaultScreen::Idle(ModalFrame& top) {
    if (top.kind == ModalFrame::Kind::MessageBox)
        PostAnswer(top, DefaultMessageBoxAnswer(top.box.type));
    else
        PostCancel(top);
    return true;
}

void SetScreen(Screen* screen) {
    g_screen = screen ? screen : &g_defaultScreen;
}
Screen& CurrentScreen() {
    return *g_screen;
}

ModalFrame* TopModalFrame() {
    return g_modalStack.empty() ? nullptr : g_modalStack.back();
}

ModalFrameScope::ModalFrameScope(ModalFrame& frame) : m_frame(frame) {
    if (!frame.serial)
        frame.serial = g_nextSerial++;
    g_modalStack.push_back(&frame);
}

ModalFrameScope::~ModalFrameScope() {
    g_modalStack.erase(std::find(g_modalStack.begin(), g_modalStack.end(), &m_frame));
    CurrentScreen().ModalEnded(m_frame);
}

bool RunModalLoop(ModalFrame& frame) {
    ModalFrameScope onStack(frame);
    bool completed = true;
    {
        ScreenIdle idle;
        MSG msg;
        while (!frame.ended) {
            const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
            if (got == -1) {
                completed = false;
                break;
            }
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam)); // for the outer loop
                completed = false;
                break;
            }
            // Tab, arrows, Enter and Esc of the dialog, as the dialog manager
            // handles them in its own modal loop.
            if (frame.kind == ModalFrame::Kind::Dialog && frame.dialog &&
                IsDialogMessageW(frame.dialog, &msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (!completed && !frame.ended) {
        frame.ended = true;
        frame.result = frame.kind == ModalFrame::Kind::MessageBox
                           ? DefaultMessageBoxAnswer(frame.box.type)
                           : IDCANCEL;
    }
    return completed;
}

void PostAnswer(const ModalFrame& frame, int answer) {
    if (frame.kind == ModalFrame::Kind::MessageBox && frame.dialog) {
        // A real message box: its button is pressed.
        PostMessageW(frame.dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
        return;
    }
    const uint64_t serial = frame.serial;
    PostTask([serial, answer] {
        if (ModalFrame* f = FindFrame(serial); f && !f->ended) {
            f->result = answer;
            f->ended = true;
        }
    });
}

void PostCancel(const ModalFrame& frame) {
    if (frame.kind == ModalFrame::Kind::MessageBox) {
        PostAnswer(frame, DefaultMessageBoxAnswer(frame.box.type));
        return;
    }
    PostMessageW(frame.dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

int DefaultMessageBoxAnswer(UINT type) {
    static const int buttons[][3] = {
        {IDOK, IDOK, IDOK},      {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    const UINT kind = type & MB_TYPEMASK;
    const UINT def = (type & MB_DEFMASK) >> 8;
    if (kind >= 6)
        return IDOK;
    return buttons[kind][std::min<UINT>(def, 2)];
}

int RunMessageBox(LPCWSTR text, LPCWSTR caption, UINT type) {
    ModalFrame frame;
    frame.kind = ModalFrame::Kind::MessageBox;
    frame.box.text = text ? text : TEXT("");
    frame.box.caption = caption ? caption : TEXT("Error");
    frame.box.type = type;
    frame.serial = g_nextSerial++;
    QNTRACE("message box shown: \"%s\" \"%s\" (type 0x%X)", Utf8FromWide(frame.box.caption).c_str(),
            Utf8FromWide(frame.box.text).c_str(), type);
    CurrentScreen().MessageBoxShown(frame);
    RunModalLoop(frame);
    QNTRACE("message box closed with %d", frame.result);
    return frame.result;
}

} // namespace platform
