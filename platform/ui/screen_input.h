// What a person does to a dialog and sees in it, through the window
// functions, shared by the screens. Controls are found by id or by their text
// (accelerator ampersands ignored), in the window and its child dialogs
// (property pages). Each action sends the notification the real control
// sends, synchronously.
#pragma once

#include "../base/text.h"
#include "winuser.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ControlRef {
    int id = 0;
    WideString text; // used when not empty
    ControlRef(int controlId) : id(controlId) {}
    ControlRef(const WCHAR* controlText) : text(controlText) {}
    ControlRef(WideString controlText) : text(std::move(controlText)) {}
};

HWND FindControl(HWND root, const ControlRef& ref);
// As FindControl, but a label found by its text stands for the control after
// it (the edit or combo box it names), as a person reads a form.
HWND FindInputControl(HWND root, const ControlRef& ref);

// Each returns false when the control is missing, disabled or hidden (a
// person could not do it) or the item does not exist.
bool TypeText(HWND control, WideView text);
bool ChooseItem(HWND combo, WideView itemText);
bool SetChecked(HWND button, bool checked);
bool Click(HWND button);
bool MoveSlider(HWND slider, int pos);
// The close box of a window.
bool CloseWindow(HWND window);

// One thing a person does in a dialog or to a message box.
struct ScreenAction {
    enum class Kind {
        Type,
        Choose,
        Check,
        Uncheck,
        Click,
        Slide,
        Close,
        Cancel,
        Answer,
        Wait,
        WaitUntilClosed
    };
    Kind kind = Kind::Click;
    ControlRef control = 0;
    WideString text;
    int value = 0;   // slider position or message box answer
    uint64_t ms = 0; // Wait
};
// Performs an input action (Type ... Close) on the dialog `root`; false with
// a reason when it cannot be done.
bool PerformAction(HWND root, const ScreenAction& action, std::string* failure);

// What the window shows, for records and printing.
struct ControlSnapshot {
    HWND hwnd = nullptr;
    int id = 0;
    WideString className;
    WideString text;
    DWORD style = 0;
    bool enabled = true;
    bool visible = true;
    int check = 0;
    std::vector<WideString> items;
    int curSel = -1;
    int pos = 0;
};
struct DialogSnapshot {
    HWND hwnd = nullptr;
    WideString caption;
    std::vector<ControlSnapshot> controls;
    const ControlSnapshot* Find(int id) const;
};
DialogSnapshot Snapshot(HWND dialog);
WideString WindowText(HWND hwnd);
WideString ClassName(HWND hwnd);
// One line per control: kind, id, text and state; the controls of a visible
// page follow the page, indented.
std::string Describe(const DialogSnapshot& dialog);
std::string DescribeMessageBox(WideView caption, WideView text, UINT type);

} // namespace platform
