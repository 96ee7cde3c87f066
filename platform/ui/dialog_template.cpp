#include "dialog_template.h"

#include <algorithm>
#include <vector>

namespace platform::ui {
namespace {

std::vector<std::span<const DialogTemplate>>& Sets() {
    static auto* sets = new std::vector<std::span<const DialogTemplate>>; // to process exit
    return *sets;
}

} // namespace

LPCWSTR ControlClassName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
    case ControlKind::Picture:
        return WC_STATICW;
    case ControlKind::Edit:
        return WC_EDITW;
    case ControlKind::ComboDropDown:
        return WC_COMBOBOXW;
    case ControlKind::IpAddress:
        return WC_IPADDRESSW;
    case ControlKind::Slider:
        return TRACKBAR_CLASSW;
    default:
        return WC_BUTTONW;
    }
}

DWORD ControlStyle(const ControlTemplate& c) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (c.flags & kGroupStart)
        style |= WS_GROUP;
    if (c.flags & kDisabled)
        style |= WS_DISABLED;
    switch (c.kind) {
    case ControlKind::Static:
        style |= (c.flags & kAlignRight) ? SS_RIGHT : SS_LEFT;
        break;
    case ControlKind::Picture:
        style |= SS_BITMAP | ((c.flags & kCenterImage) ? SS_CENTERIMAGE : 0);
        break;
    case ControlKind::Edit:
        style |= ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
        break;
    case ControlKind::PushButton:
        style |= BS_PUSHBUTTON | WS_TABSTOP | ((c.flags & kMultiline) ? BS_MULTILINE : 0);
        break;
    case ControlKind::DefPushButton:
        style |= BS_DEFPUSHBUTTON | WS_TABSTOP;
        break;
    case ControlKind::CheckBox:
        style |= BS_AUTOCHECKBOX | WS_TABSTOP | ((c.flags & kTextLeft) ? BS_LEFTTEXT : 0);
        break;
    case ControlKind::RadioButton:
        style |= BS_AUTORADIOBUTTON | ((c.flags & kGroupStart) ? WS_TABSTOP : 0);
        break;
    case ControlKind::GroupBox:
        style |= BS_GROUPBOX;
        break;
    case ControlKind::ComboDropDown:
        style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP |
                 ((c.flags & kSorted) ? CBS_SORT : 0);
        break;
    case ControlKind::IpAddress:
        style |= WS_TABSTOP;
        break;
    case ControlKind::Slider:
        style |= TBS_HORZ | WS_TABSTOP | ((c.flags & kNoTicks) ? TBS_NOTICKS : 0);
        break;
    }
    return style;
}

DWORD DialogStyle(const DialogTemplate& d) {
    if (d.flags & kChildPage)
        return WS_CHILD | DS_CONTROL | DS_SETFONT | WS_CAPTION;
    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
    if (d.flags & kSystemMenu)
        style |= WS_SYSMENU;
    return style;
}

DialogTemplateRegistration::DialogTemplateRegistration(std::span<const DialogTemplate> templates)
    : m_templates(templates) {
    Sets().push_back(templates);
}

DialogTemplateRegistration::~DialogTemplateRegistration() {
    auto& sets = Sets();
    for (auto it = sets.rbegin(); it != sets.rend(); ++it) {
        if (it->data() == m_templates.data()) {
            sets.erase(std::next(it).base());
            break;
        }
    }
}

const DialogTemplate* FindDialogTemplate(UINT id) {
    const auto& sets = Sets();
    for (auto set = sets.rbegin(); set != sets.rend(); ++set)
        for (const DialogTemplate& t : *set)
            if (t.id == id)
                return &t;
    return nullptr;
}

} // namespace platform::ui
