// What a dialog's code does with its controls, observed while it runs: the
// controls it asks the window framework for, and the notifications its
// message map handles.
#pragma once

#include "platform/ui/afxwin.h"
#include "tests/templates/template_check.h"

#include <map>
#include <vector>

namespace templatecheck {

// Records, by dialog template, every control access the framework reports
// while the recorder exists. Only one recorder may exist at a time.
class AccessRecorder {
public:
    AccessRecorder();
    ~AccessRecorder();
    AccessRecorder(const AccessRecorder&) = delete;
    AccessRecorder& operator=(const AccessRecorder&) = delete;

    // Adds the notifications of the dialog's message map to its template's uses.
    void AddMessageMap(const CDialog& dialog);
    const std::vector<CodeUse>& UsesOf(UINT templateId) const;

private:
    static void Observe(void* context, const platform::ui::ControlAccessReport& report);
    std::map<UINT, std::vector<CodeUse>> m_uses;
};

// The control notifications that a window's message map (its class's and
// its bases') handles.
std::vector<CodeUse> MessageMapUses(const CWnd& window);

// Sends each notification of the window's message map as its control would
// send it, letting the message loop run for a while after each so that what
// a handler starts (timers, events, images) comes in.
void FireHandlers(CWnd& window);

} // namespace templatecheck
