#include "script_runner.h"

#include "clock.h"
#include "message_loop.h"

namespace platform {

bool ScriptRunner::Matches(const ScriptStep& step, const ModalFrame& top) const {
    if (step.boundTo)
        return step.boundTo == top.serial;
    if (top.kind == ModalFrame::Kind::MessageBox)
        return step.forBox;
    return !step.forBox && (step.caption.empty() || step.caption == WindowText(top.dialog));
}

bool ScriptRunner::Default(ModalFrame& top, bool& defaulted) {
    // A dialog that refuses to be cancelled is left to its timers; the loop
    // gives up on it when there are none.
    if (m_lastDefaulted == top.serial && ++m_defaultCount > 3)
        return false;
    if (m_lastDefaulted != top.serial) {
        m_lastDefaulted = top.serial;
        m_defaultCount = 1;
    }
    defaulted = true;
    PostCancel(top);
    return true;
}

bool ScriptRunner::Idle(ModalFrame& top, bool& defaulted) {
    defaulted = false;
    while (!m_steps.empty() && Matches(m_steps.front(), top) && m_steps.front().actions.empty())
        m_steps.pop_front(); // used up: the next step may be for the same frame
    if (m_steps.empty() || !Matches(m_steps.front(), top))
        return Default(top, defaulted);

    ScriptStep& step = m_steps.front();
    step.boundTo = top.serial;
    const ScreenAction action = step.actions.front();
    using Kind = ScreenAction::Kind;
    switch (action.kind) {
    case Kind::Wait: {
        Clock& clock = CurrentClock();
        if (!step.waiting) {
            step.waiting = true;
            step.waitUntil = clock.NowMs() + action.ms;
        }
        uint64_t timer = 0;
        if (clock.NowMs() < step.waitUntil && NextTimerDeadline(&timer) && timer < step.waitUntil)
            return false; // the timer fires first
        clock.SleepUntil(step.waitUntil);
        step.waiting = false;
        step.actions.pop_front();
        return true;
    }
    case Kind::WaitUntilClosed:
        return false;
    case Kind::Answer:
        step.actions.pop_front();
        PostAnswer(top, action.value);
        return true;
    case Kind::Cancel:
        step.actions.pop_front();
        PostCancel(top);
        return true;
    default:
        break;
    }
    step.actions.pop_front();
    if (top.kind == ModalFrame::Kind::MessageBox) {
        m_failures.push_back("a message box has no controls");
        return true;
    }
    HWND dialog = top.dialog;
    PostTask([this, dialog, action] {
        std::string failure;
        if (!PerformAction(dialog, action, &failure))
            m_failures.push_back(Utf8FromWide(WindowText(dialog)) + ": " + failure);
    });
    return true;
}

void ScriptRunner::FrameEnded(const ModalFrame& frame) {
    if (!m_steps.empty() && m_steps.front().boundTo == frame.serial)
        m_steps.pop_front();
}

} // namespace platform
