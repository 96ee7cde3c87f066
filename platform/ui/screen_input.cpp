#include "screen_input.h"

namespace platform {
namespace {

WideString WithoutAccelerators(WideView text) {
    WideString out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == TEXT('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
}

bool Usable(HWND control) {
    return control && IsWindowEnabled(control) && IsWindowVisible(control);
}

HWND FindIn(HWND parent, const ControlRef& ref) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == WC_DIALOGW) {
            if (!IsWindowVisible(child))
                continue; // an inactive page
            if (HWND found = FindIn(child, ref))
                return found;
            continue;
        }
        if (ref.text.empty()
                ? GetDlgCtrlID(child) == ref.id
                : WithoutAccelerators(WindowText(child)) == WithoutAccelerators(ref.text))
            return child;
    }
    return nullptr;
}

const char* TypeName(const ControlSnapshot& c) {
    const WideString& k = c.className;
    const DWORD type = c.style & BS_TYPEMASK;
    if (k == WC_BUTTONW) {
        if (type == static_cast<DWORD>(BS_GROUPBOX))
            return "group";
        if (type == static_cast<DWORD>(BS_AUTOCHECKBOX) || type == static_cast<DWORD>(BS_CHECKBOX))
            return "check";
        if (type == static_cast<DWORD>(BS_AUTORADIOBUTTON) ||
            type == static_cast<DWORD>(BS_RADIOBUTTON))
            return "radio";
        return "button";
    }
    if (k == WC_EDITW)
        return "edit";
    if (k == WC_COMBOBOXW)
        return "combo";
    if (k == WC_IPADDRESSW)
        return "ip";
    if (k == TRACKBAR_CLASSW)
        return "slider";
    if (k == WC_DIALOGW)
        return "page";
    return "label";
}

} // namespace

WideString WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    WideString text(static_cast<size_t>(length) + 1, TEXT('\0'));
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

WideString ClassName(HWND hwnd) {
    WCHAR name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

HWND FindControl(HWND root, const ControlRef& ref) {
    return FindIn(root, ref);
}

HWND FindInputControl(HWND root, const ControlRef& ref) {
    HWND found = FindIn(root, ref);
    if (found && !ref.text.empty() && ClassName(found) == WC_STATICW)
        for (HWND next = GetWindow(found, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT))
            if (ClassName(next) != WC_STATICW)
                return next;
    return found;
}

bool PerformAction(HWND root, const ScreenAction& action, std::string* failure) {
    using Kind = ScreenAction::Kind;
    if (action.kind == Kind::Close)
        return platform::CloseWindow(root);
    HWND control =
        action.kind == Kind::Type || action.kind == Kind::Choose || action.kind == Kind::Slide
            ? FindInputControl(root, action.control)
            : FindControl(root, action.control);
    const std::string name = action.control.text.empty()
                                 ? "#" + std::to_string(action.control.id)
                                 : "\"" + Utf8FromWide(action.control.text) + "\"";
    if (!control) {
        if (failure)
            *failure = "no control " + name;
        return false;
    }
    bool done = false;
    switch (action.kind) {
    case Kind::Type:
        done = TypeText(control, action.text);
        break;
    case Kind::Choose:
        done = ChooseItem(control, action.text);
        break;
    case Kind::Check:
    case Kind::Uncheck:
        done = SetChecked(control, action.kind == Kind::Check);
        break;
    case Kind::Click:
        done = Click(control);
        break;
    case Kind::Slide:
        done = MoveSlider(control, action.value);
        break;
    default:
        break;
    }
    if (!done && failure)
        *failure = "cannot act on " + name + " (disabled, hidden or no such item)";
    return done;
}

bool TypeText(HWND control, WideView text) {
    if (!Usable(control))
        return false;
    const WideString value(text);
    const WideString kind = ClassName(control);
    if (kind == WC_EDITW) {
        SetWindowTextW(control, value.c_str()); // the edit reports EN_CHANGE itself
        return true;
    }
    SetWindowTextW(control, value.c_str());
    const int id = GetDlgCtrlID(control);
    const UINT code = kind == WC_COMBOBOXW ? CBN_EDITCHANGE : EN_CHANGE;
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(control));
    return true;
}

bool ChooseItem(HWND combo, WideView itemText) {
    if (!Usable(combo))
        return false;
    const WideString item(itemText);
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(item.c_str()));
    if (index == CB_ERR)
        return false;
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    return true;
}

bool SetChecked(HWND button, bool checked) {
    if (!Usable(button))
        return false;
    const bool now = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return now == checked || Click(button);
}

bool Click(HWND button) {
    if (!Usable(button))
        return false;
    SendMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool MoveSlider(HWND slider, int pos) {
    if (!Usable(slider))
        return false;
    SendMessageW(slider, TBM_SETPOS, TRUE, pos);
    const auto now = static_cast<WORD>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    SendMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, now),
                 reinterpret_cast<LPARAM>(slider));
    SendMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                 reinterpret_cast<LPARAM>(slider));
    return true;
}

bool CloseWindow(HWND window) {
    if (!IsWindow(window))
        return false;
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

const ControlSnapshot* DialogSnapshot::Find(int id) const {
    for (const ControlSnapshot& c : controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

DialogSnapshot Snapshot(HWND dialog) {
    DialogSnapshot snap;
    snap.hwnd = dialog;
    snap.caption = WindowText(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ControlSnapshot c;
        c.hwnd = child;
        c.id = GetDlgCtrlID(child);
        c.className = ClassName(child);
        c.text = WindowText(child);
        c.style = StyleOf(child);
        c.enabled = IsWindowEnabled(child) != FALSE;
        c.visible = IsWindowVisible(child) != FALSE;
        if (c.className == WC_BUTTONW)
            c.check = static_cast<int>(SendMessageW(child, BM_GETCHECK, 0, 0));
        if (c.className == WC_COMBOBOXW) {
            const int count = static_cast<int>(SendMessageW(child, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                WideString item(static_cast<size_t>(SendMessageW(child, CB_GETLBTEXTLEN, i, 0)) + 1,
                                TEXT('\0'));
                item.resize(static_cast<size_t>(
                    SendMessageW(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
                c.items.push_back(item);
            }
            c.curSel = static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0));
        }
        if (c.className == TRACKBAR_CLASSW)
            c.pos = static_cast<int>(SendMessageW(child, TBM_GETPOS, 0, 0));
        snap.controls.push_back(std::move(c));
    }
    return snap;
}

namespace {

std::string DescribeControls(const DialogSnapshot& dialog, const std::string& indent) {
    std::string out;
    for (const ControlSnapshot& c : dialog.controls) {
        out += indent + std::string(TypeName(c));
        if (c.id > 0)
            out += " #" + std::to_string(c.id);
        out += " \"" + Utf8FromWide(c.text) + "\"";
        if (c.className == WC_BUTTONW &&
            (std::string(TypeName(c)) == "check" || std::string(TypeName(c)) == "radio"))
            out += c.check == BST_CHECKED ? " [x]" : " [ ]";
        if (!c.items.empty()) {
            out += " items:";
            for (size_t i = 0; i < c.items.size(); ++i)
                out += std::string(static_cast<int>(i) == c.curSel ? " *" : " ") + "\"" +
                       Utf8FromWide(c.items[i]) + "\"";
        }
        if (c.className == TRACKBAR_CLASSW)
            out += " pos " + std::to_string(c.pos);
        if (!c.enabled)
            out += " (disabled)";
        if (!c.visible)
            out += " (hidden)";
        out += "\n";
        if (c.className == WC_DIALOGW && c.visible)
            out += DescribeControls(Snapshot(c.hwnd), indent + "  ");
    }
    return out;
}

} // namespace

std::string Describe(const DialogSnapshot& dialog) {
    return "dialog \"" + Utf8FromWide(dialog.caption) + "\"\n" + DescribeControls(dialog, "  ");
}

std::string DescribeMessageBox(WideView caption, WideView text, UINT type) {
    static const char* const buttons[] = {
        "OK", "OK Cancel", "Abort Retry Ignore", "Yes No Cancel", "Yes No", "Retry Cancel"};
    const UINT kind = type & MB_TYPEMASK;
    std::string icon;
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        icon = "error";
        break;
    case MB_ICONQUESTION:
        icon = "question";
        break;
    case MB_ICONEXCLAMATION:
        icon = "warning";
        break;
    case MB_ICONASTERISK:
        icon = "information";
        break;
    default:
        icon = "none";
        break;
    }
    return "message box \"" + Utf8FromWide(caption) + "\" [" + (kind < 6 ? buttons[kind] : "OK") +
           "] icon " + icon + ": " + Utf8FromWide(text) + "\n";
}

} // namespace platform
