#include "script_runner.h"

#include "clock.h"
#include "message_loop.h"

#include <iterator>
#include <string>

namespace platform {
namespace {

// The buttons of a message box of this type.
const int* BoxButtons(UINT type) {
    static const int buttons[][4] = {
        {IDOK, 0},
        {IDOK, IDCANCEL, 0},
        {IDABORT, IDRETRY, IDIGNORE, 0},
        {IDYES, IDNO, IDCANCEL, 0},
        {IDYES, IDNO, 0},
        {IDRETRY, IDCANCEL, 0},
    };
    const UINT kind = type & MB_TYPEMASK;
    return buttons[kind < std::size(buttons) ? kind : 0];
}

const char* ButtonName(int button) {
    switch (button) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDABORT:
        return "Abort";
    case IDRETRY:
        return "Retry";
    case IDIGNORE:
        return "Ignore";
    case IDYES:
        return "Yes";
    case IDNO:
        return "No";
    }
    return "?";
}

// Empty when the box offers the answer; otherwise what it does offer.
std::string Unoffered(UINT type, int answer) {
    std::string offered;
    for (const int* button = BoxButtons(type); *button; ++button) {
        if (*button == answer)
            return {};
        offered += (offered.empty() ? "" : ", ") + std::string(ButtonName(*button));
    }
    return std::string("no ") + ButtonName(answer) + " button (it offers " + offered + ")";
}

} // namespace

void ScriptRunner::BoxShown(const ModalFrame& box) {
    for (ScriptStep& step : m_steps)
        if (!step.boundTo && (step.forBox || step.anyFrame)) {
            step.boundTo = box.serial;
            return;
        }
}

ScriptStep* ScriptRunner::StepFor(const ModalFrame& top) {
    for (ScriptStep& step : m_steps)
        if (step.boundTo == top.serial)
            return &step;
    if (top.kind == ModalFrame::Kind::MessageBox)
        return nullptr;
    for (ScriptStep& step : m_steps) {
        if (step.boundTo || step.forBox)
            continue;
        if (!step.anyFrame && !step.caption.empty() && step.caption != WindowText(top.dialog))
            return nullptr; // the next dialog step is for another dialog
        step.boundTo = top.serial;
        return &step;
    }
    return nullptr;
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
    ScriptStep* found = StepFor(top);
    if (!found || found->actions.empty())
        return Default(top, defaulted);
    ScriptStep& step = *found;
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
        if (clock.NowMs() < step.waitUntil && NextTimerDeadline(&timer) && timer <= step.waitUntil)
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
        if (m_checkOffered && top.kind == ModalFrame::Kind::MessageBox) {
            if (const std::string missing = Unoffered(top.box.type, action.value);
                !missing.empty()) {
                m_failures.push_back("the message box \"" + Utf8FromWide(top.box.text) + "\" has " +
                                     missing + "; it took its default");
                PostAnswer(top, DefaultMessageBoxAnswer(top.box.type));
                return true;
            }
        }
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
    std::erase_if(m_steps, [&](const ScriptStep& s) { return s.boundTo == frame.serial; });
}

} // namespace platform
