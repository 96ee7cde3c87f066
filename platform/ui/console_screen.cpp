#include "console_screen.h"

#include <cctype>
#include <iostream>
#include <map>

namespace platform {
namespace {

const std::map<std::string, int>& BoxAnswers() {
    static const std::map<std::string, int> answers = {
        {"ok", IDOK},       {"cancel", IDCANCEL}, {"yes", IDYES},       {"no", IDNO},
        {"abort", IDABORT}, {"retry", IDRETRY},   {"ignore", IDIGNORE},
    };
    return answers;
}

const char* AnswerName(int answer) {
    for (const auto& [name, value] : BoxAnswers())
        if (value == answer)
            return name.c_str();
    return "?";
}

ControlRef ParseControl(const std::string& text) {
    if (text.size() > 1 && text[0] == '#' &&
        text.find_first_not_of("0123456789", 1) == std::string::npos)
        return ControlRef(std::stoi(text.substr(1)));
    return ControlRef(WideFromUtf8(text));
}

bool ParseAction(const std::string& text, ScreenAction& action, std::string& error) {
    using Kind = ScreenAction::Kind;
    if (text == "close" || text == "cancel") {
        action.kind = text == "close" ? Kind::Close : Kind::Cancel;
        return true;
    }
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
        error = "not an action: " + text;
        return false;
    }
    const std::string verb = text.substr(0, colon);
    std::string rest = text.substr(colon + 1);
    if (verb == "wait") {
        action.kind = Kind::Wait;
        action.ms = std::stoull(rest.empty() ? "0" : rest);
        return true;
    }
    static const std::map<std::string, Kind> verbs = {
        {"type", Kind::Type},   {"choose", Kind::Choose},   {"slide", Kind::Slide},
        {"check", Kind::Check}, {"uncheck", Kind::Uncheck}, {"click", Kind::Click},
    };
    const auto found = verbs.find(verb);
    if (found == verbs.end()) {
        error = "unknown action: " + verb;
        return false;
    }
    action.kind = found->second;
    if (action.kind == Kind::Type || action.kind == Kind::Choose || action.kind == Kind::Slide) {
        const size_t equals = rest.rfind('=');
        if (equals == std::string::npos) {
            error = verb + " needs <control>=<value>";
            return false;
        }
        action.text = WideFromUtf8(rest.substr(equals + 1));
        if (action.kind == Kind::Slide)
            action.value = std::atoi(rest.substr(equals + 1).c_str());
        rest.resize(equals);
    }
    action.control = ParseControl(rest);
    return true;
}

} // namespace

ConsoleScreen::ConsoleScreen(std::ostream& out) : m_out(out) {
    m_runner.CheckAnswersOffered(true);
}
ConsoleScreen::ConsoleScreen() : ConsoleScreen(std::cerr) {}

bool ConsoleScreen::AddAnswer(const std::string& answer, std::string* error) {
    ScriptStep step;
    std::string lower = answer;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (const auto box = BoxAnswers().find(lower); box != BoxAnswers().end()) {
        step.forBox = true;
        step.actions.push_back({ScreenAction::Kind::Answer, 0, {}, box->second, 0});
    } else if (lower == "default") {
        step.anyFrame = true;
        step.actions.push_back({ScreenAction::Kind::Cancel, 0, {}, 0, 0});
    } else {
        size_t start = 0;
        while (start <= answer.size()) {
            const size_t end = std::min(answer.find(';', start), answer.size());
            const std::string part = answer.substr(start, end - start);
            start = end + 1;
            if (part.empty())
                continue;
            ScreenAction action;
            std::string reason;
            if (!ParseAction(part, action, reason)) {
                if (error)
                    *error = reason;
                return false;
            }
            step.actions.push_back(std::move(action));
        }
    }
    m_runner.Add(std::move(step));
    return true;
}

void ConsoleScreen::DialogShown(HWND dialog) {
    m_out << Describe(Snapshot(dialog)) << std::flush;
}

void ConsoleScreen::TextChanged(HWND control) {
    if (ClassName(control) != WC_STATICW || !IsWindowVisible(control))
        return;
    const WideString text = WindowText(control);
    auto [last, added] = m_labels.try_emplace(control, text);
    if (!added && last->second == text)
        return;
    last->second = text;
    m_out << "  label #" << GetDlgCtrlID(control) << " \"" << Utf8FromWide(text) << "\"\n"
          << std::flush;
}

void ConsoleScreen::MessageBoxShown(const ModalFrame& box) {
    m_out << DescribeMessageBox(box.box.caption, box.box.text, box.box.type) << std::flush;
    m_runner.BoxShown(box);
}

bool ConsoleScreen::Idle(ModalFrame& top) {
    bool defaulted = false;
    const bool acted = m_runner.Idle(top, defaulted);
    if (defaulted && top.kind == ModalFrame::Kind::Dialog)
        m_out << "  (no answer: cancelled)\n";
    for (; m_failuresPrinted < m_runner.Failures().size(); ++m_failuresPrinted)
        m_out << "  (" << m_runner.Failures()[m_failuresPrinted] << ")\n";
    m_out << std::flush;
    return acted;
}

void ConsoleScreen::ModalEnded(const ModalFrame& frame) {
    if (frame.kind == ModalFrame::Kind::MessageBox)
        m_out << "  answered " << AnswerName(frame.result) << "\n";
    else
        m_out << "  dialog ended: " << (frame.result == IDOK ? "OK" : AnswerName(frame.result))
              << "\n";
    m_out << std::flush;
    m_runner.FrameEnded(frame);
}

} // namespace platform
