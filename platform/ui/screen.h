// The screen: whatever stands where a person would look at dialogs and
// message boxes and act on them. The framework tells it what appears, and
// modal loops ask it, whenever they have nothing else to do, to act on the
// top of the modal stack.
#pragma once

#include "../base/text.h"
#include "winuser.h"

#include <cstdint>

namespace platform {

struct MessageBoxInfo {
    WideString caption;
    WideString text;
    UINT type = MB_OK;
};

// One modal loop: a modal dialog or a message box.
struct ModalFrame {
    enum class Kind { Dialog, MessageBox };
    Kind kind = Kind::Dialog;
    uint64_t serial = 0;   // unique per frame, for input posted to it
    HWND dialog = nullptr; // the dialog; a box's own window where boxes are real windows
    MessageBoxInfo box;    // Kind::MessageBox
    int result = 0;
    bool ended = false;
};

class Screen {
public:
    virtual ~Screen() = default;
    // A dialog, property sheet or page became visible.
    virtual void DialogShown(HWND) {}
    // The framework changed a control's text (for example a countdown label).
    virtual void TextChanged(HWND) {}
    virtual void MessageBoxShown(const ModalFrame&) {}
    // The modal loop on top of the stack has nothing to do. Returns true when
    // the screen posted input or moved time; false lets the loop wait for a
    // timer (and give up when there is none).
    virtual bool Idle(ModalFrame& top) = 0;
    virtual void ModalEnded(const ModalFrame&) {}
};

// A screen with nobody in front of it: dialogs are cancelled and message
// boxes answered with their default button, so nothing ever waits.
class DefaultScreen : public Screen {
public:
    bool Idle(ModalFrame& top) override;
};

// A screen with a person in front of real windows: input comes from the
// person, so an idle modal loop just waits for it.
class DesktopScreen : public Screen {
public:
    bool Idle(ModalFrame&) override { return false; }
};

// The process's screen; null restores the default screen.
void SetScreen(Screen* screen);
Screen& CurrentScreen();

// The modal stack, innermost last.
ModalFrame* TopModalFrame();
// Keeps a frame on the modal stack for the lifetime of the object (giving it
// a serial when it has none) and tells the screen when it ended. For modal
// loops that run elsewhere, such as a real message box's.
class ModalFrameScope {
public:
    explicit ModalFrameScope(ModalFrame& frame);
    ~ModalFrameScope();
    ModalFrameScope(const ModalFrameScope&) = delete;
    ModalFrameScope& operator=(const ModalFrameScope&) = delete;

private:
    ModalFrame& m_frame;
};
// Runs the thread's messages until the frame ends. A loop that can never end
// (nothing queued, no timer, nothing from the screen) ends the frame: a
// dialog with IDCANCEL, a box with its default answer. Returns false then.
bool RunModalLoop(ModalFrame& frame);

// Input to a modal frame, posted so that it arrives through the loop: ends a
// message box with an answer, or cancels a dialog as Esc does.
void PostAnswer(const ModalFrame& frame, int answer);
void PostCancel(const ModalFrame& frame);

// The button a box answers with when nobody chooses (its default button).
int DefaultMessageBoxAnswer(UINT type);

// Shows a message box through the screen and waits for its answer in a
// nested message loop, so timers and posted events are still delivered.
int RunMessageBox(LPCWSTR text, LPCWSTR caption, UINT type);

} // namespace platform
