// The screen of tests: a script of what to do in each modal dialog and
// message box, and a record of everything that was shown.
//
//   platform::ScriptedScreen screen;
//   platform::ScopedScreen use(screen);
//   screen.OnDialog(TEXT("Connect"), {Act::Type(IDC_X, TEXT("10.0.0.2")), Act::Click(IDOK)})
//         .AnswerBox(IDOK);
#pragma once

#include "script_runner.h"

namespace platform {

// Builders of script actions.
struct Act {
    static ScreenAction Type(ControlRef control, WideString text);
    static ScreenAction Choose(ControlRef combo, WideString item);
    static ScreenAction Check(ControlRef button, bool checked = true);
    static ScreenAction Click(ControlRef button);
    static ScreenAction Slide(ControlRef slider, int pos);
    // Lets the loop run (timers, posted events) for this much time.
    static ScreenAction Wait(uint64_t ms);
    // Leaves the dialog to its own timers until it ends.
    static ScreenAction WaitUntilClosed();
    static ScreenAction Cancel();
    static ScreenAction Answer(int answer);
};

class ScriptedScreen : public Screen {
public:
    struct BoxRecord {
        WideString caption;
        WideString text;
        UINT type = 0;
        int answer = 0;
        bool defaulted = false; // answered by the screen for want of a step
    };
    struct DialogRecord {
        DialogSnapshot shown;   // as it looked when it appeared
        bool defaulted = false; // cancelled by the screen for want of a step
    };

    // The next modal dialog titled `caption` (empty: any) gets these actions.
    ScriptedScreen& OnDialog(WideString caption, std::vector<ScreenAction> actions);
    // The next message box gets these actions (Wait, then Answer).
    ScriptedScreen& OnBox(std::vector<ScreenAction> actions);
    ScriptedScreen& AnswerBox(int answer) { return OnBox({Act::Answer(answer)}); }
    // The next message box stays open for `ms` of loop time, then is answered.
    ScriptedScreen& AnswerBoxAfter(uint64_t ms, int answer) {
        return OnBox({Act::Wait(ms), Act::Answer(answer)});
    }

    const std::vector<BoxRecord>& Boxes() const { return m_boxes; }
    const std::vector<DialogRecord>& Dialogs() const { return m_dialogs; }
    // Actions that could not be done (missing or disabled control, ...).
    const std::vector<std::string>& Failures() const { return m_runner.Failures(); }
    size_t PendingSteps() const { return m_runner.PendingSteps(); }
    // The most recently shown dialog with this caption that is still visible.
    HWND FindShown(WideView caption) const;

    void DialogShown(HWND dialog) override;
    void MessageBoxShown(const ModalFrame& box) override;
    bool Idle(ModalFrame& top) override;
    void ModalEnded(const ModalFrame& frame) override;

private:
    ScriptRunner m_runner;
    std::vector<BoxRecord> m_boxes;
    std::vector<uint64_t> m_boxSerials;
    std::vector<DialogRecord> m_dialogs;
};

// Installs a screen for the lifetime of the object.
class ScopedScreen {
public:
    explicit ScopedScreen(Screen& screen) { SetScreen(&screen); }
    ~ScopedScreen() { SetScreen(nullptr); }
    ScopedScreen(const ScopedScreen&) = delete;
    ScopedScreen& operator=(const ScopedScreen&) = delete;
};

} // namespace platform
