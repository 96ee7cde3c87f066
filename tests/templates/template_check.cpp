#include "tests/templates/template_check.h"

#include "platform/ui/afxres.h"

#include <algorithm>
#include <map>
#include <set>

namespace templatecheck {
namespace {

using platform::ui::ControlAccess;
using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::DialogTemplate;
using Kinds = std::vector<ControlKind>;

const Kinds kAnyKind = {
    ControlKind::Static,        ControlKind::Edit,          ControlKind::PushButton,
    ControlKind::DefPushButton, ControlKind::CheckBox,      ControlKind::RadioButton,
    ControlKind::GroupBox,      ControlKind::ComboDropDown, ControlKind::IpAddress,
    ControlKind::Slider,        ControlKind::Picture};
const Kinds kClickable = {ControlKind::PushButton, ControlKind::DefPushButton,
                          ControlKind::CheckBox, ControlKind::RadioButton};
const Kinds kCheckable = {ControlKind::CheckBox, ControlKind::RadioButton};
const Kinds kWithText = {
    ControlKind::Static,        ControlKind::Edit,          ControlKind::PushButton,
    ControlKind::DefPushButton, ControlKind::CheckBox,      ControlKind::RadioButton,
    ControlKind::GroupBox,      ControlKind::ComboDropDown, ControlKind::IpAddress};
// What a person works with; labels and group boxes need no code.
const Kinds kInteractive = {
    ControlKind::Edit,        ControlKind::ComboDropDown, ControlKind::CheckBox,
    ControlKind::RadioButton, ControlKind::PushButton,    ControlKind::DefPushButton,
    ControlKind::Slider,      ControlKind::IpAddress,     ControlKind::Picture};

bool Contains(const Kinds& kinds, ControlKind kind) {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

std::string Narrow(const WCHAR* text) {
    std::string out;
    for (; text && *text; ++text)
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

// In the order of ControlKind and BoundClass.
constexpr const char* kKindNames[] = {
    "label",        "edit",      "push button", "default push button", "check box",
    "radio button", "group box", "combo box",   "IP address control",  "slider",
    "picture"};
constexpr const char* kBoundNames[] = {"CWnd",      "CButton",        "CEdit",      "CStatic",
                                       "CComboBox", "CIPAddressCtrl", "CSliderCtrl"};

const char* KindName(ControlKind kind) {
    return kKindNames[static_cast<int>(kind)];
}
const char* BoundName(BoundClass bound) {
    return kBoundNames[static_cast<int>(bound)];
}

std::string UseName(const CodeUse& use) {
    if (use.via == CodeUse::Via::Notification) {
        switch (use.code) {
        case BN_CLICKED:
            return "ON_BN_CLICKED";
        case EN_CHANGE:
            return "ON_EN_CHANGE";
        case CBN_SELCHANGE:
            return "ON_CBN_SELCHANGE";
        case CBN_EDITCHANGE:
            return "ON_CBN_EDITCHANGE";
        default:
            return "a message-map entry for notification " + std::to_string(use.code);
        }
    }
    switch (use.access) {
    case ControlAccess::DdxControl:
        return std::string("DDX_Control of a ") + BoundName(use.bound);
    case ControlAccess::DdxText:
        return "DDX_Text";
    case ControlAccess::DdxCheck:
        return "DDX_Check";
    case ControlAccess::DdxRadio:
        return "DDX_Radio";
    case ControlAccess::DdxSlider:
        return "DDX_Slider";
    case ControlAccess::DdxCBIndex:
        return "DDX_CBIndex";
    case ControlAccess::DdxCBString:
        return "DDX_CBString";
    case ControlAccess::Item:
        return "GetDlgItem";
    case ControlAccess::SubclassItem:
        return std::string("SubclassDlgItem of a ") + BoundName(use.bound);
    case ControlAccess::SetItemText:
        return "SetDlgItemText";
    case ControlAccess::GetItemText:
        return "GetDlgItemText";
    case ControlAccess::CheckButton:
        return "CheckDlgButton";
    case ControlAccess::IsButtonChecked:
        return "IsDlgButtonChecked";
    }
    return "a use";
}

const Kinds& KindsOfClass(BoundClass bound) {
    static const Kinds button = {ControlKind::PushButton, ControlKind::DefPushButton,
                                 ControlKind::CheckBox, ControlKind::RadioButton,
                                 ControlKind::GroupBox};
    static const Kinds edit = {ControlKind::Edit};
    static const Kinds label = {ControlKind::Static, ControlKind::Picture};
    static const Kinds combo = {ControlKind::ComboDropDown};
    static const Kinds address = {ControlKind::IpAddress};
    static const Kinds slider = {ControlKind::Slider};
    switch (bound) {
    case BoundClass::Button:
        return button;
    case BoundClass::Edit:
        return edit;
    case BoundClass::Static:
        return label;
    case BoundClass::ComboBox:
        return combo;
    case BoundClass::IpAddress:
        return address;
    case BoundClass::Slider:
        return slider;
    case BoundClass::Window:
        break;
    }
    return kAnyKind;
}

// The kinds of control a use makes sense on.
const Kinds& FittingKinds(const CodeUse& use) {
    static const Kinds none;
    static const Kinds edit = {ControlKind::Edit};
    static const Kinds combo = {ControlKind::ComboDropDown};
    static const Kinds text = {ControlKind::Edit, ControlKind::ComboDropDown, ControlKind::Static};
    static const Kinds radio = {ControlKind::RadioButton};
    static const Kinds slider = {ControlKind::Slider};
    if (use.via == CodeUse::Via::Notification) {
        switch (use.code) {
        case BN_CLICKED:
            return kClickable;
        case EN_CHANGE:
            return edit;
        case CBN_SELCHANGE:
        case CBN_EDITCHANGE:
            return combo;
        default:
            return none; // no control of a template sends it
        }
    }
    switch (use.access) {
    case ControlAccess::DdxControl:
    case ControlAccess::SubclassItem:
        return KindsOfClass(use.bound);
    case ControlAccess::DdxText:
        return text;
    case ControlAccess::DdxCheck:
    case ControlAccess::CheckButton:
    case ControlAccess::IsButtonChecked:
        return kCheckable;
    case ControlAccess::DdxRadio:
        return radio;
    case ControlAccess::DdxSlider:
        return slider;
    case ControlAccess::DdxCBIndex:
    case ControlAccess::DdxCBString:
        return combo;
    case ControlAccess::SetItemText:
    case ControlAccess::GetItemText:
        return kWithText;
    case ControlAccess::Item:
        break;
    }
    return kAnyKind;
}

std::string KindList(const Kinds& kinds) {
    if (kinds.empty())
        return "no control of a template";
    std::string list;
    for (size_t i = 0; i < kinds.size(); ++i) {
        if (i > 0)
            list += i + 1 == kinds.size() ? " or " : ", ";
        list += KindName(kinds[i]);
    }
    return list;
}

std::string ControlName(const ControlTemplate& control) {
    return std::string(KindName(control.kind)) + " " + std::to_string(control.id) + " \"" +
           Narrow(control.text) + "\"";
}

// The radio buttons DDX_Radio counts from `start`: up to the next group start.
std::vector<int> RadioGroup(std::span<const ControlTemplate> controls, size_t start) {
    std::vector<int> group;
    for (size_t i = start; i < controls.size(); ++i) {
        if (i > start && (controls[i].flags & platform::ui::kGroupStart))
            break;
        if (controls[i].kind == ControlKind::RadioButton)
            group.push_back(controls[i].id);
    }
    return group;
}

} // namespace

std::vector<std::string> Disagreements(const DialogTemplate& dialog,
                                       const std::vector<CodeUse>& uses) {
    const std::string name =
        "\"" + Narrow(dialog.caption) + "\" (dialog " + std::to_string(dialog.id) + "): ";
    const auto controls = dialog.controls;
    std::vector<std::string> found;

    std::map<int, int> counts;
    for (const ControlTemplate& control : controls)
        if (control.id != IDC_STATIC && ++counts[control.id] == 2)
            found.push_back(name + "control id " + std::to_string(control.id) +
                            " is given to more than one control; the code reaches only the first");

    std::vector<CodeUse> distinct;
    for (const CodeUse& use : uses)
        if (std::find(distinct.begin(), distinct.end(), use) == distinct.end())
            distinct.push_back(use);

    std::set<int> used;
    for (const CodeUse& use : distinct) {
        used.insert(use.id);
        if (use.id == IDC_STATIC) {
            found.push_back(name + UseName(use) +
                            " uses IDC_STATIC (-1), which names no single control");
            continue;
        }
        const auto it =
            std::find_if(controls.begin(), controls.end(),
                         [&](const ControlTemplate& control) { return control.id == use.id; });
        if (it == controls.end()) {
            found.push_back(name + UseName(use) + " uses control " + std::to_string(use.id) +
                            ", which the template does not have");
            continue;
        }
        const Kinds& fitting = FittingKinds(use);
        if (!Contains(fitting, it->kind)) {
            found.push_back(name + UseName(use) + " on " + ControlName(*it) + ": needs " +
                            KindList(fitting));
            continue;
        }
        if (use.via == CodeUse::Via::Access && use.access == ControlAccess::DdxRadio) {
            if (!(it->flags & platform::ui::kGroupStart))
                found.push_back(name + "DDX_Radio on " + ControlName(*it) +
                                ", which does not start a group: the exchange counts the "
                                "buttons up to the next group start");
            for (int member : RadioGroup(controls, static_cast<size_t>(it - controls.begin())))
                used.insert(member);
        }
    }

    // A dialog (not a page) ends itself with OK and Cancel.
    if (!(dialog.flags & platform::ui::kChildPage)) {
        used.insert(IDOK);
        used.insert(IDCANCEL);
    }
    for (const ControlTemplate& control : controls)
        if (Contains(kInteractive, control.kind) && !used.count(control.id))
            found.push_back(name + ControlName(control) + " is not used by the code");
    return found;
}

} // namespace templatecheck
