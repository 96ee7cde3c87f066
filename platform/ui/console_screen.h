// The screen of the stand-in host: prints every dialog (title and controls
// with their values), every message box (caption, text, buttons, icon) and
// label changes such as a countdown to an output stream (standard error by
// default), and acts from a queue of answers, one per dialog or message box
// in the order they appear. Without an answer, a dialog is cancelled and a
// box gets its default button.
//
// Answers:
//   ok | cancel | yes | no | abort | retry | ignore   a message box's button (any case;
//                                                      one the box does not offer fails)
//   default                                            whatever is on top gets the default
//   action;action;...                                  for the next dialog, with actions
//     type:<control>=<text>   choose:<control>=<item>   slide:<control>=<pos>
//     check:<control>   uncheck:<control>   click:<control>   wait:<ms>   close   cancel
//   where <control> is #<id> or the control's text (a label stands for the
//   control after it).
#pragma once

#include "script_runner.h"

#include <iosfwd>
#include <map>

namespace platform {

class ConsoleScreen : public Screen {
public:
    explicit ConsoleScreen(std::ostream& out);
    ConsoleScreen();

    // False, with the reason, when the answer cannot be understood.
    bool AddAnswer(const std::string& answer, std::string* error = nullptr);
    // Answers and actions that could not be carried out, in order.
    const std::vector<std::string>& Failures() const { return m_runner.Failures(); }
    // Box answers that no box has taken.
    size_t UnusedAnswers() const { return m_runner.UnusedBoxSteps(); }

    void DialogShown(HWND dialog) override;
    void TextChanged(HWND control) override;
    void MessageBoxShown(const ModalFrame& box) override;
    bool Idle(ModalFrame& top) override;
    void ModalEnded(const ModalFrame& frame) override;

private:
    std::ostream& m_out;
    ScriptRunner m_runner;
    size_t m_failuresPrinted = 0;
    std::map<HWND, WideString> m_labels; // last text printed per label
};

} // namespace platform
