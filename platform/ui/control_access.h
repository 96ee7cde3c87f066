// Which controls of a dialog its code asks for, and how. The framework reports
// each data exchange and each control looked up by id to one observer, so
// that a check can hold a dialog's code against its template. With no
// observer installed a report costs a test of a null pointer.
#pragma once

class CWnd;

namespace platform::ui {

enum class ControlAccess {
    DdxControl, // DDX_Control: `object` is the member bound to the control
    DdxText,
    DdxCheck,
    DdxRadio, // the first button of the group
    DdxSlider,
    DdxCBIndex,
    DdxCBString,
    Item,            // GetDlgItem
    SubclassItem,    // SubclassDlgItem: `object` is the object bound to the control
    SetItemText,     // SetDlgItemText
    GetItemText,     // GetDlgItemText
    CheckButton,     // CheckDlgButton
    IsButtonChecked, // IsDlgButtonChecked
};

struct ControlAccessReport {
    const CWnd* dialog; // whose control is asked for
    int id;
    ControlAccess access;
    const CWnd* object; // see ControlAccess; null otherwise
};

using ControlAccessObserver = void (*)(void* context, const ControlAccessReport& report);

// One observer at a time; null removes it.
void SetControlAccessObserver(ControlAccessObserver observer, void* context);
void ReportControlAccess(const CWnd* dialog, int id, ControlAccess access,
                         const CWnd* object = nullptr);

} // namespace platform::ui
