// Every dialog and property page of the module, positions in dialog units.
#include "resources/dialog_templates.h"

using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::DialogTemplate;
using namespace platform::ui; // control and dialog flags

namespace {

constexpr ControlTemplate kConnect[] = {
    {IDC_STATIC, ControlKind::Static, u"IP : ", 10, 13, 18, 8},
    {IDC_CONNECT_ADDRESS, ControlKind::Edit, u"192.168.0.1", 30, 10, 110, 14},
    {IDC_CONNECT_REGISTER, ControlKind::PushButton, u"Register Device", 148, 9, 66, 16},
    {IDC_CONNECT_AUTO_APPLY, ControlKind::CheckBox, u"Automatically apply settings in", 10, 37, 118,
     10},
    {IDC_CONNECT_COUNTDOWN, ControlKind::Static, u"3 seconds", 132, 38, 50, 8},
    {IDOK, ControlKind::DefPushButton, u"Connect", 164, 60, 50, 16},
};

constexpr ControlTemplate kProbeSettings[] = {
    {IDC_STATIC, ControlKind::GroupBox, u"Q-Wand Buttons", 7, 7, 236, 56},
    {IDC_STATIC, ControlKind::Static, u"A", 16, 22, 10, 8},
    {IDC_BUTTON_A_LIST, ControlKind::ComboDropDown, u"", 28, 20, 90, 80},
    {IDC_STATIC, ControlKind::Static, u"B", 16, 42, 10, 8},
    {IDC_BUTTON_B_LIST, ControlKind::ComboDropDown, u"", 28, 40, 90, 80},
    {IDC_STATIC, ControlKind::Static, u"C", 128, 22, 10, 8},
    {IDC_BUTTON_C_LIST, ControlKind::ComboDropDown, u"", 140, 20, 90, 80},
    {IDC_STATIC, ControlKind::Static, u"D", 128, 42, 10, 8},
    {IDC_BUTTON_D_LIST, ControlKind::ComboDropDown, u"", 140, 40, 90, 80},
    {IDC_STATIC, ControlKind::GroupBox, u"Custom Reflector Size", 7, 68, 236, 36},
    {IDC_STATIC, ControlKind::Static, u"Diameter", 16, 84, 32, 8},
    {IDC_REFLECTOR_SIZE_LIST, ControlKind::ComboDropDown, u"", 50, 82, 80, 80, kSorted},
    {IDC_STATIC, ControlKind::Static, u"mm", 134, 84, 14, 8},
    {IDC_REFLECTOR_ADD, ControlKind::PushButton, u"Add", 154, 81, 40, 14},
    {IDC_REFLECTOR_DELETE, ControlKind::PushButton, u"Delete", 198, 81, 40, 14},
    {IDC_STATIC, ControlKind::Static, u"IP Address :", 10, 115, 42, 8},
    {IDC_IP_ADDRESS, ControlKind::IpAddress, u"", 54, 112, 100, 14},
    {IDC_TRACKER_CONNECT, ControlKind::PushButton, u"Connect", 158, 112, 42, 14},
    {IDC_TRACKER_DISCONNECT, ControlKind::PushButton, u"Disconnect", 202, 112, 42, 14},
    {IDC_STATIC, ControlKind::GroupBox, u"Stable Probing", 7, 132, 236, 36},
    {IDC_STABLE_ENABLE, ControlKind::CheckBox, u"Enable", 16, 148, 42, 10, kTextLeft},
    {IDC_STATIC, ControlKind::Static, u"Time", 70, 149, 20, 8},
    {IDC_STABLE_TIME, ControlKind::Edit, u"", 92, 146, 60, 14},
    {IDC_STATIC, ControlKind::Static, u"ms", 156, 149, 14, 8},
    {IDC_STATIC, ControlKind::GroupBox, u"RMS", 7, 174, 236, 34},
    {IDC_STATIC, ControlKind::Static, u"Distance Tolerance", 16, 190, 66, 8},
    {IDC_DISTANCE_TOLERANCE, ControlKind::Edit, u"", 84, 187, 60, 14},
    {IDC_STATIC, ControlKind::Static, u"mm", 148, 190, 14, 8},
};

constexpr ControlTemplate kReflectorSize[] = {
    {IDC_STATIC, ControlKind::Static, u"Diameter", 10, 13, 32, 8},
    {IDC_REFLECTOR_DIAMETER, ControlKind::Edit, u"", 44, 10, 60, 14},
    {IDC_STATIC, ControlKind::Static, u"mm", 108, 13, 14, 8},
    {IDOK, ControlKind::DefPushButton, u"OK", 104, 34, 50, 14},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_CONNECT, u"Connect", 222, 84, 0, kConnect},
    {IDD_PROBE_SETTINGS, u"Main", 250, 214, kChildPage, kProbeSettings},
    {IDD_REFLECTOR_SIZE, u"Add Reflector Size", 164, 56, kSystemMenu, kReflectorSize},
    {IDD_PROPPAGE_PROFILES, u"Profiles", 250, 214, kChildPage, {}},
    {IDD_PROPPAGE_POSITIONING, u"Positioning", 250, 214, kChildPage, {}},
    {IDD_PROPPAGE_OVC, u"OVC", 250, 214, kChildPage, {}},
    {IDD_PROPPAGE_INCLINATION, u"Inclination Sensor", 250, 214, kChildPage, {}},
};

// Registered for as long as the binary that holds them is loaded.
const DialogTemplateRegistration g_registration{kTemplates};

} // namespace

std::span<const DialogTemplate> ModuleDialogTemplates() {
    return kTemplates;
}
