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

constexpr ControlTemplate kProfiles[] = {
    {IDC_STATIC, ControlKind::GroupBox, u"Selectable Targets", 7, 7, 155, 34},
    {IDC_STATIC, ControlKind::Static, u"Target", 15, 22, 30, 8},
    {IDC_PROFILE_TARGET_LIST, ControlKind::ComboDropDown, u"", 47, 20, 105, 80, kSorted},
    {IDC_STATIC, ControlKind::GroupBox, u"Measurementprofile Selection", 168, 7, 156, 34},
    {IDC_STATIC, ControlKind::Static, u"Measurmentprofile", 176, 22, 62, 8},
    {IDC_PROFILE_LIST, ControlKind::ComboDropDown, u"", 240, 20, 78, 80, kSorted},
    {IDC_STATIC, ControlKind::GroupBox, u"Continuous Time Settings", 7, 47, 155, 34},
    {IDC_STATIC, ControlKind::Static, u"Time Seperation", 15, 62, 56, 8},
    {IDC_TIME_SEPARATION, ControlKind::Edit, u"", 73, 59, 55, 14},
    {IDC_TIME_UNIT, ControlKind::Static, u"ms", 132, 62, 20, 8},
    {IDC_STATIC, ControlKind::GroupBox, u"Continuous Distance Settings", 168, 47, 156, 34},
    {IDC_STATIC, ControlKind::Static, u"Distance Seperation", 176, 62, 68, 8},
    {IDC_DISTANCE_SEPARATION, ControlKind::Edit, u"", 246, 59, 50, 14, kDisabled},
    {IDC_DISTANCE_UNIT, ControlKind::Static, u"mm", 300, 62, 18, 8},
    {IDC_STATIC, ControlKind::GroupBox, u"Stationary Settings", 7, 87, 155, 40},
    {IDC_STATIC, ControlKind::Static, u"Accuracy", 15, 103, 34, 8},
    {IDC_RB_FAST, ControlKind::RadioButton, u"Fast", 51, 102, 30, 10, kGroupStart},
    {IDC_RB_STANDARD, ControlKind::RadioButton, u"Standard", 83, 102, 40, 10},
    {IDC_RB_PRECISE, ControlKind::RadioButton, u"Precise", 125, 102, 34, 10},
    {IDC_STATIC, ControlKind::GroupBox, u"Pouwer Source", 168, 87, 156, 40, kGroupStart},
    {IDC_STATIC, ControlKind::Static, u"Runs On", 176, 100, 40, 8},
    {IDC_POWER_SOURCE, ControlKind::Static, u"Mains", 218, 100, 60, 8},
    {IDC_STATIC, ControlKind::Static, u"Power Level", 176, 113, 40, 8},
    {IDC_POWER_LEVEL, ControlKind::Static, u"0.000", 218, 113, 40, 8},
    {IDC_STATIC, ControlKind::Static, u"%", 260, 113, 10, 8},
    {IDC_STATIC, ControlKind::GroupBox, u"Area Scan Settings", 7, 133, 155, 40},
    {IDC_STATIC, ControlKind::Static, u"Accuracy", 15, 149, 34, 8},
    {IDC_RB_SCAN_FAST, ControlKind::RadioButton, u"Fast", 51, 148, 30, 10, kGroupStart},
    {IDC_RB_SCAN_STANDARD, ControlKind::RadioButton, u"Standard", 83, 148, 40, 10},
    {IDC_RB_SCAN_PRECISE, ControlKind::RadioButton, u"Precise", 125, 148, 34, 10},
};

constexpr ControlTemplate kPositioning[] = {
    {IDC_MOVE_GROUP, ControlKind::GroupBox, u"Move", 7, 7, 150, 95},
    {IDC_MOVE_UP, ControlKind::PushButton, u"Up", 57, 20, 40, 14},
    {IDC_MOVE_DOWN, ControlKind::PushButton, u"Down", 57, 56, 40, 14},
    {IDC_MOVE_LEFT, ControlKind::PushButton, u"Left", 15, 38, 40, 14},
    {IDC_MOVE_RIGHT, ControlKind::PushButton, u"Right", 99, 38, 40, 14},
    {IDC_MOVE_STOP, ControlKind::PushButton, u"Stop", 57, 38, 40, 14},
    {IDC_STATIC, ControlKind::Static, u"Slow", 15, 82, 18, 8},
    {IDC_SLIDER_SPEED, ControlKind::Slider, u"", 35, 78, 90, 15, kNoTicks},
    {IDC_STATIC, ControlKind::Static, u"Fast", 129, 82, 18, 8},
    {IDC_GOPOSITION_GROUP, ControlKind::GroupBox, u"GoPosition", 163, 7, 161, 95},
    {IDC_POSITION_TO, ControlKind::PushButton, u"Position To", 171, 20, 60, 14},
    {IDC_POSITION_VALUE1, ControlKind::Edit, u"", 171, 38, 45, 14},
    {IDC_POSITION_VALUE2, ControlKind::Edit, u"", 220, 38, 45, 14},
    {IDC_POSITION_VALUE3, ControlKind::Edit, u"", 269, 38, 45, 14},
    {IDC_POSITION_RELATIVE, ControlKind::CheckBox, u"Relative", 171, 58, 50, 10},
    {IDC_POSITION_SEARCH, ControlKind::CheckBox, u"Search", 225, 58, 50, 10},
    {IDC_FIND_REFLECTOR, ControlKind::PushButton, u"Find Reflector", 171, 76, 70, 14},
    {IDC_POSITION_TARGET_LIST, ControlKind::ComboDropDown, u"", 7, 126, 150, 80},
    {IDC_POSITION_TARGET_LABEL, ControlKind::Static,
     u"Target for Position To Target and Go And Measure", 7, 114, 200, 8},
    {IDC_POSITION_TO_TARGET, ControlKind::PushButton, u"Position To Target", 163, 125, 78, 14},
    {IDC_GO_AND_MEASURE, ControlKind::PushButton, u"Go And Measure", 245, 125, 79, 14},
    {IDC_GO_AND_MEASURE_KSR15, ControlKind::PushButton, u"Go And Measure KSR15", 245, 143, 79, 14},
    {IDC_STATIC, ControlKind::GroupBox, u"Results of \"Go And Measure\" and \"Position To Target\"",
     7, 162, 317, 80},
    {IDC_RESULT_TARGET, ControlKind::Static, u"Measured Target", 15, 176, 140, 8},
    {IDC_RESULT_TIMESTAMP, ControlKind::Static, u"Measurement Timestamp", 163, 176, 150, 8},
    {IDC_RESULT_X, ControlKind::Static, u"X:", 15, 192, 140, 8},
    {IDC_RESULT_Y, ControlKind::Static, u"Y:", 15, 206, 140, 8},
    {IDC_RESULT_Z, ControlKind::Static, u"Z:", 15, 220, 140, 8},
    {IDC_RESULT_RX, ControlKind::Static, u"Rx:", 163, 192, 150, 8},
    {IDC_RESULT_RY, ControlKind::Static, u"Ry:", 163, 206, 150, 8},
    {IDC_RESULT_RZ, ControlKind::Static, u"Rz:", 163, 220, 150, 8},
};

constexpr ControlTemplate kOvc[] = {
    {IDC_OVC_IMAGE, ControlKind::Picture, u"", 7, 7, 317, 222, kCenterImage},
    {IDC_OVC_START, ControlKind::PushButton, u"Start OVC", 7, 236, 60, 14},
    {IDC_OVC_STOP, ControlKind::PushButton, u"Stop OVC", 71, 236, 60, 14},
    {IDC_OVC_SHOW_DIALOG, ControlKind::PushButton, u"Show Dialog", 135, 236, 60, 14},
    {IDC_OVC_CLEAR_REGIONS, ControlKind::PushButton, u"Clear All Regions", 199, 236, 70, 14},
    {IDC_OVC_SCAN, ControlKind::PushButton, u"SCAN", 273, 236, 51, 14},
    {IDC_OVC_DEFINE_HEXAGONS, ControlKind::PushButton, u"Define hexagonal regions programmatically",
     7, 256, 150, 24, kMultiline},
    {IDC_OVC_DEFINE_BY_HAND, ControlKind::PushButton, u"Define region by hand (OVC dialog)", 163,
     256, 161, 24, kMultiline},
};

constexpr ControlTemplate kInclination[] = {
    {IDC_MONITORING_GROUP, ControlKind::GroupBox, u"Monitoring", 7, 7, 317, 92},
    {IDC_MONITOR_NOTE, ControlKind::Static, u"Only possible if orient to gravity is done.", 15, 19,
     200, 8},
    {IDC_INTERVAL_LABEL, ControlKind::Static, u"Interval", 15, 34, 40, 8},
    {IDC_INTERVAL, ControlKind::Edit, u"", 57, 31, 50, 14},
    {IDC_THRESHOLD_LABEL, ControlKind::Static, u"Threshold", 15, 52, 40, 8},
    {IDC_THRESHOLD, ControlKind::Edit, u"", 57, 49, 50, 14},
    {IDC_CURRENT_ROTX_LABEL, ControlKind::Static, u"Current Rot X", 120, 34, 52, 8},
    {IDC_CURRENT_ROTX, ControlKind::Static, u"", 174, 34, 50, 8},
    {IDC_CURRENT_ROTX_UNIT, ControlKind::Static, u"[deg]", 228, 34, 30, 8},
    {IDC_CURRENT_ROTY_LABEL, ControlKind::Static, u"Current Rot Y", 120, 52, 52, 8},
    {IDC_CURRENT_ROTY, ControlKind::Static, u"", 174, 52, 50, 8},
    {IDC_CURRENT_ROTY_UNIT, ControlKind::Static, u"[deg]", 228, 52, 30, 8},
    {IDC_MONITOR_START, ControlKind::PushButton, u"Start", 15, 72, 50, 14},
    {IDC_MONITOR_STOP, ControlKind::PushButton, u"Stop", 69, 72, 50, 14},
    {IDC_MONITOR_RESET, ControlKind::PushButton, u"Reset", 123, 72, 50, 14},
    {IDC_ORIENT_GROUP, ControlKind::GroupBox, u"Orient To Gravity", 7, 105, 155, 70},
    {IDC_ORIENT_LABEL, ControlKind::Static, u"Orient to Gravity", 15, 119, 80, 8},
    {IDC_ORIENT_SYNCHRON, ControlKind::PushButton, u"Synchron", 15, 132, 60, 14},
    {IDC_ORIENT_ASYNCHRON, ControlKind::PushButton, u"Asynchron", 79, 132, 60, 14},
    {IDC_USE_INCLINATION_LABEL, ControlKind::Static, u"Use Inclination Angles", 15, 156, 90, 8},
    {IDC_USE_INCLINATION, ControlKind::CheckBox, u"", 107, 155, 12, 10},
    {IDC_GRAVITY_GROUP, ControlKind::GroupBox, u"Current Inclination To Gravity", 168, 105, 156,
     70},
    {IDC_GRAVITY_ROTX_LABEL, ControlKind::Static, u"Rot X", 176, 122, 30, 8},
    {IDC_GRAVITY_ROTX, ControlKind::Static, u"", 208, 122, 60, 8},
    {IDC_GRAVITY_ROTX_UNIT, ControlKind::Static, u"[deg]", 272, 122, 30, 8},
    {IDC_GRAVITY_ROTY_LABEL, ControlKind::Static, u"Rot Y", 176, 140, 30, 8},
    {IDC_GRAVITY_ROTY, ControlKind::Static, u"", 208, 140, 60, 8},
    {IDC_GRAVITY_ROTY_UNIT, ControlKind::Static, u"[deg]", 272, 140, 30, 8},
    {IDC_MEASUREMENT_GROUP, ControlKind::GroupBox, u"Inclination Measurement", 7, 181, 317, 70},
    {IDC_MEASUREMENT_NOTE, ControlKind::Static, u"Only possible if orient to gravity is done.", 15,
     193, 200, 8},
    {IDC_MEASUREMENT_LABEL, ControlKind::Static, u"Inclination Measurement", 15, 208, 90, 8},
    {IDC_INCLINATION_MEASURE, ControlKind::PushButton, u"Measure", 15, 222, 50, 14},
    {IDC_MEASURED_ROTX_LABEL, ControlKind::Static, u"Rot X", 120, 208, 30, 8},
    {IDC_MEASURED_ROTX, ControlKind::Static, u"", 152, 208, 60, 8},
    {IDC_MEASURED_ROTX_UNIT, ControlKind::Static, u"[deg]", 216, 208, 30, 8},
    {IDC_MEASURED_ROTY_LABEL, ControlKind::Static, u"Rot Y", 120, 224, 30, 8},
    {IDC_MEASURED_ROTY, ControlKind::Static, u"", 152, 224, 60, 8},
    {IDC_MEASURED_ROTY_UNIT, ControlKind::Static, u"[deg]", 216, 224, 30, 8},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_CONNECT, u"Connect", 222, 84, 0, kConnect},
    {IDD_PROBE_SETTINGS, u"Main", 250, 214, kChildPage, kProbeSettings},
    {IDD_REFLECTOR_SIZE, u"Add Reflector Size", 164, 56, kSystemMenu, kReflectorSize},
    {IDD_PROPPAGE_PROFILES, u"Profiles", 331, 180, kChildPage, kProfiles},
    {IDD_PROPPAGE_POSITIONING, u"Positioning", 331, 249, kChildPage, kPositioning},
    {IDD_PROPPAGE_OVC, u"OVC", 331, 287, kChildPage, kOvc},
    {IDD_PROPPAGE_INCLINATION, u"Inclination Sensor", 331, 258, kChildPage, kInclination},
};

// Registered for as long as the binary that holds them is loaded.
const DialogTemplateRegistration g_registration{kTemplates};

} // namespace

std::span<const DialogTemplate> ModuleDialogTemplates() {
    return kTemplates;
}
