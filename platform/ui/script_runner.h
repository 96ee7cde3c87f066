// The queue of steps behind the scripted and console screens. A step is
// meant for one modal frame: a message box step for the next box that
// appears, a dialog step for the next modal dialog (with the given caption,
// or any). When the loop on top is idle, the step of that frame acts on it,
// one action per idle turn; input is posted so that it arrives through the
// loop like real input. A frame without a step, or still open when its step
// is used up, gets the default: a dialog is cancelled, a box gets its
// default answer.
#pragma once

#include "screen.h"
#include "screen_input.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

struct ScriptStep {
    bool forBox = false;
    bool anyFrame = false; // for whichever frame is on top
    WideString caption;    // dialogs: the caption it waits for; empty: any dialog
    std::deque<ScreenAction> actions;
    uint64_t boundTo = 0; // serial of the frame the step started on
    uint64_t waitUntil = 0;
    bool waiting = false;
};

class ScriptRunner {
public:
    void Add(ScriptStep step) { m_steps.push_back(std::move(step)); }
    size_t PendingSteps() const { return m_steps.size(); }
    // Message box steps that no box has taken yet.
    size_t UnusedBoxSteps() const {
        size_t count = 0;
        for (const ScriptStep& step : m_steps)
            count += step.forBox && !step.boundTo;
        return count;
    }

    // A box appeared: it takes the first box step not yet taken.
    void BoxShown(const ModalFrame& box);
    // Acts on the top frame; `defaulted` is set when it got the default.
    bool Idle(ModalFrame& top, bool& defaulted);
    // Drops the step that worked on a frame that has ended.
    void FrameEnded(const ModalFrame& frame);
    const std::vector<std::string>& Failures() const { return m_failures; }
    // A box answer the box does not offer becomes a failure (and the box gets
    // its default) instead of being passed on as it is.
    void CheckAnswersOffered(bool check) { m_checkOffered = check; }

private:
    bool Default(ModalFrame& top, bool& defaulted);
    ScriptStep* StepFor(const ModalFrame& top);

    std::deque<ScriptStep> m_steps;
    std::vector<std::string> m_failures;
    uint64_t m_lastDefaulted = 0;
    int m_defaultCount = 0;
    bool m_checkOffered = false;
};

} // namespace platform
