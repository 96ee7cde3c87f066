#include "playback.h"

#include "connection.h"
#include "loop_timer.h"
#include "scenarios.h"
#include "status_messages.h"
#include "targets.h"
#include "triggers.h"

#include "../platform/ui/clock.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace trackersim {
namespace {

struct Playback {
    LoopTimer script;
    LoopTimer positions;
    RatePacer positionPacer;
    uint64_t startMs = 0;
    size_t nextStep = 0;
};

Playback& State() {
    static Playback playback;
    return playback;
}

platform::WideString NumberText(int32_t n) {
    const std::string digits = std::to_string(n);
    return platform::WideString(digits.begin(), digits.end());
}

void Run(const ScriptStep& step) {
    switch (step.action) {
    case ScriptAction::PressButton:
        FireProbeButton(step.arg, true);
        break;
    case ScriptAction::ReleaseButton:
        FireProbeButton(step.arg, false);
        break;
    case ScriptAction::StableProbing:
        FireStableProbing();
        break;
    case ScriptAction::Error:
        FireTrackerMessage(MessageKind::Error, TEXT("Tracker error"), NumberText(step.arg),
                           step.arg);
        break;
    case ScriptAction::Warning:
        FireTrackerMessage(MessageKind::Warning, TEXT("Tracker warning"), NumberText(step.arg),
                           step.arg);
        break;
    case ScriptAction::Information:
        FireTrackerMessage(MessageKind::Information, TEXT("Tracker information"),
                           NumberText(step.arg), step.arg);
        break;
    case ScriptAction::MovePosition:
        FireTargetPosition(ActiveScenario().NextSample());
        break;
    case ScriptAction::QuickRelease:
        SetQuickReleaseClosed(step.arg != 0);
        break;
    }
}

// Runs the steps that are due and sets the timer for the next one.
void ScriptTick() {
    Playback& p = State();
    const auto& script = ActiveScenario().Script();
    const uint64_t elapsed = platform::CurrentClock().NowMs() - p.startMs;
    while (p.nextStep < script.size() && script[p.nextStep].atMs <= elapsed)
        Run(script[p.nextStep++]);
    if (p.nextStep >= script.size()) {
        p.script.Stop();
        return;
    }
    const uint64_t wait = script[p.nextStep].atMs - elapsed;
    p.script.Start(static_cast<uint32_t>(std::max<uint64_t>(wait, 1)), ScriptTick);
}

// The target-position samples that are due, then the timer for the next.
void PositionTick() {
    Playback& p = State();
    const uint64_t now = platform::CurrentClock().NowMs();
    for (uint64_t due = p.positionPacer.Due(now); due > 0; --due)
        FireTargetPosition(ActiveScenario().NextSample());
    if (p.positions.Running())
        p.positions.Start(p.positionPacer.WaitMs(now), PositionTick);
}

} // namespace

void PlayScenario(double positionHz) {
    StopPlayback();
    Playback& p = State();
    p.startMs = platform::CurrentClock().NowMs();
    p.nextStep = 0;
    // Steps are taken in time order.
    auto script = ActiveScenario().Script();
    std::stable_sort(script.begin(), script.end(),
                     [](const ScriptStep& a, const ScriptStep& b) { return a.atMs < b.atMs; });
    ActiveScenario().SetScript(std::move(script));
    if (!ActiveScenario().Script().empty()) {
        const uint32_t first = ActiveScenario().Script().front().atMs;
        p.script.Start(std::max<uint32_t>(first, 1), ScriptTick);
    }
    if (positionHz > 0) {
        p.positionPacer.Start(positionHz, p.startMs);
        p.positions.Start(p.positionPacer.WaitMs(p.startMs), PositionTick);
    }
}

void StopPlayback() {
    State().script.Stop();
    State().positions.Stop();
}

bool PlaybackRunning() {
    return State().script.Running() || State().positions.Running();
}

} // namespace trackersim
