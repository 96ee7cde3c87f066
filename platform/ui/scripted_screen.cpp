#include "scripted_screen.h"

namespace platform {

namespace {

ScreenAction Make(ScreenAction::Kind kind, ControlRef control = 0, WideString text = {},
                  int value = 0, uint64_t ms = 0) {
    ScreenAction a;
    a.kind = kind;
    a.control = std::move(control);
    a.text = std::move(text);
    a.value = value;
    a.ms = ms;
    return a;
}

} // namespace

ScreenAction Act::Type(ControlRef control, WideString text) {
    return Make(ScreenAction::Kind::Type, std::move(control), std::move(text));
}
ScreenAction Act::Choose(ControlRef combo, WideString item) {
    return Make(ScreenAction::Kind::Choose, std::move(combo), std::move(item));
}
ScreenAction Act::Check(ControlRef button, bool checked) {
    return Make(checked ? ScreenAction::Kind::Check : ScreenAction::Kind::Uncheck,
                std::move(button));
}
ScreenAction Act::Click(ControlRef button) {
    return Make(ScreenAction::Kind::Click, std::move(button));
}
ScreenAction Act::Slide(ControlRef slider, int pos) {
    return Make(ScreenAction::Kind::Slide, std::move(slider), {}, pos);
}
ScreenAction Act::Wait(uint64_t ms) {
    return Make(ScreenAction::Kind::Wait, 0, {}, 0, ms);
}
ScreenAction Act::WaitUntilClosed() {
    return Make(ScreenAction::Kind::WaitUntilClosed);
}
ScreenAction Act::Cancel() {
    return Make(ScreenAction::Kind::Cancel);
}
ScreenAction Act::Answer(int answer) {
    return Make(ScreenAction::Kind::Answer, 0, {}, answer);
}

ScriptedScreen& ScriptedScreen::OnDialog(WideString caption, std::vector<ScreenAction> actions) {
    ScriptStep step;
    step.caption = std::move(caption);
    step.actions.assign(actions.begin(), actions.end());
    m_runner.Add(std::move(step));
    return *this;
}

ScriptedScreen& ScriptedScreen::OnBox(std::vector<ScreenAction> actions) {
    ScriptStep step;
    step.forBox = true;
    step.actions.assign(actions.begin(), actions.end());
    m_runner.Add(std::move(step));
    return *this;
}

HWND ScriptedScreen::FindShown(WideView caption) const {
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it)
        if (it->shown.caption == caption && IsWindowVisible(it->shown.hwnd))
            return it->shown.hwnd;
    return nullptr;
}

void ScriptedScreen::DialogShown(HWND dialog) {
    m_dialogs.push_back({Snapshot(dialog), false});
}

void ScriptedScreen::MessageBoxShown(const ModalFrame& box) {
    m_boxes.push_back({box.box.caption, box.box.text, box.box.type, 0, false});
    m_boxSerials.push_back(box.serial);
    m_runner.BoxShown(box);
}

bool ScriptedScreen::Idle(ModalFrame& top) {
    bool defaulted = false;
    const bool acted = m_runner.Idle(top, defaulted);
    if (defaulted) {
        for (size_t i = 0; i < m_boxSerials.size(); ++i)
            if (m_boxSerials[i] == top.serial)
                m_boxes[i].defaulted = true;
        if (top.kind == ModalFrame::Kind::Dialog)
            for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it)
                if (it->shown.hwnd == top.dialog) {
                    it->defaulted = true;
                    break;
                }
    }
    return acted;
}

void ScriptedScreen::ModalEnded(const ModalFrame& frame) {
    for (size_t i = 0; i < m_boxSerials.size(); ++i)
        if (m_boxSerials[i] == frame.serial)
            m_boxes[i].answer = frame.result;
    m_runner.FrameEnded(frame);
}

} // namespace platform
