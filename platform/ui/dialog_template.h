// Dialog templates: the one description of each dialog and property page
// (caption, size, style, controls with ids, kinds, texts and positions in
// dialog units, tab order = table order). The headless window manager builds
// its windows from them; a Windows build turns the same data into real
// dialog resources.
#pragma once

#include "winuser.h"

#include <cstddef>
#include <span>

namespace platform::ui {

enum class ControlKind {
    Static,        // label
    Edit,          // single-line edit
    PushButton,    //
    DefPushButton, // the dialog's default button
    CheckBox,      // automatic check box
    RadioButton,   // automatic radio button; kGroupStart opens a group
    GroupBox,      //
    ComboDropDown, // editable drop-down combo box; kSorted sorts its list
    IpAddress,     // IP address control
    Slider,        // horizontal track bar
    Picture,       // static showing a bitmap
};

enum ControlFlag : unsigned {
    kGroupStart = 1u << 0,  // WS_GROUP: first control of a group
    kSorted = 1u << 1,      // combo box list sorted by text
    kTextLeft = 1u << 2,    // check box with its text left of the box
    kDisabled = 1u << 3,    // created disabled
    kMultiline = 1u << 4,   // button text wraps
    kNoTicks = 1u << 5,     // track bar without tick marks
    kAlignRight = 1u << 6,  // right-aligned label
    kCenterImage = 1u << 7, // picture centred in its frame
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const WCHAR* text;
    short x, y, cx, cy; // dialog units
    unsigned flags = 0;
};

enum DialogFlag : unsigned {
    kSystemMenu = 1u << 0, // caption with a system menu (close box)
    kChildPage = 1u << 1,  // property page: a child window of its sheet
};

struct DialogTemplate {
    UINT id;
    const WCHAR* caption;
    short cx, cy; // dialog units
    unsigned flags;
    std::span<const ControlTemplate> controls;
};

// Window class, styles of a control or dialog as the window manager sees them.
LPCWSTR ControlClassName(ControlKind kind);
DWORD ControlStyle(const ControlTemplate& control);
DWORD DialogStyle(const DialogTemplate& dialog);

// Templates are a module's resources: a module registers its set for as long
// as it is loaded, and dialogs find theirs by id (the newest set first).
class DialogTemplateRegistration {
public:
    explicit DialogTemplateRegistration(std::span<const DialogTemplate> templates);
    ~DialogTemplateRegistration();
    DialogTemplateRegistration(const DialogTemplateRegistration&) = delete;
    DialogTemplateRegistration& operator=(const DialogTemplateRegistration&) = delete;

private:
    std::span<const DialogTemplate> m_templates;
};

const DialogTemplate* FindDialogTemplate(UINT id);

// Creates the dialog's window and controls, hidden unless the template says
// otherwise, and sends WM_INITDIALOG with `param` to `procedure`.
HWND CreateDialogFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC procedure,
                              LPARAM param);

} // namespace platform::ui
