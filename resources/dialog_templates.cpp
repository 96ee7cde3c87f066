// Every dialog and property page of the module, positions in dialog units.
#include "resources/dialog_templates.h"

using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::DialogTemplate;
using namespace platform::ui; // control and dialog flags

namespace {

constexpr ControlTemplate kConnect[] = {
    {IDC_STATIC, ControlKind::Static, TEXT("IP : "), 10, 13, 18, 8},
    {IDC_CONNECT_ADDRESS, ControlKind::Edit, TEXT("192.168.0.1"), 30, 10, 110, 14},
    {IDC_CONNECT_REGISTER, ControlKind::PushButton, TEXT("Register Device"), 148, 9, 66, 16},
    {IDC_CONNECT_AUTO_APPLY, ControlKind::CheckBox, TEXT("Automatically apply settings in"), 10, 37,
     118, 10},
    {IDC_CONNECT_COUNTDOWN, ControlKind::Static, TEXT("3 seconds"), 132, 38, 50, 8},
    {IDOK, ControlKind::DefPushButton, TEXT("Connect"), 164, 60, 50, 16},
};

constexpr ControlTemplate kProbeSettings[] = {
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Q-Wand Buttons"), 7, 7, 236, 56},
    {IDC_STATIC, ControlKind::Static, TEXT("A"), 16, 22, 10, 8},
    {IDC_BUTTON_A_LIST, ControlKind::ComboDropDown, TEXT(""), 28, 20, 90, 80},
    {IDC_STATIC, ControlKind::Static, TEXT("B"), 16, 42, 10, 8},
    {IDC_BUTTON_B_LIST, ControlKind::ComboDropDown, TEXT(""), 28, 40, 90, 80},
    {IDC_STATIC, ControlKind::Static, TEXT("C"), 128, 22, 10, 8},
    {IDC_BUTTON_C_LIST, ControlKind::ComboDropDown, TEXT(""), 140, 20, 90, 80},
    {IDC_STATIC, ControlKind::Static, TEXT("D"), 128, 42, 10, 8},
    {IDC_BUTTON_D_LIST, ControlKind::ComboDropDown, TEXT(""), 140, 40, 90, 80},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Custom Reflector Size"), 7, 68, 236, 36},
    {IDC_STATIC, ControlKind::Static, TEXT("Diameter"), 16, 84, 32, 8},
    {IDC_REFLECTOR_SIZE_LIST, ControlKind::ComboDropDown, TEXT(""), 50, 82, 80, 80, kSorted},
    {IDC_STATIC, ControlKind::Static, TEXT("mm"), 134, 84, 14, 8},
    {IDC_REFLECTOR_ADD, ControlKind::PushButton, TEXT("Add"), 154, 81, 40, 14},
    {IDC_REFLECTOR_DELETE, ControlKind::PushButton, TEXT("Delete"), 198, 81, 40, 14},
    {IDC_STATIC, ControlKind::Static, TEXT("IP Address :"), 10, 115, 42, 8},
    {IDC_IP_ADDRESS, ControlKind::IpAddress, TEXT(""), 54, 112, 100, 14},
    {IDC_TRACKER_CONNECT, ControlKind::PushButton, TEXT("Connect"), 158, 112, 42, 14},
    {IDC_TRACKER_DISCONNECT, ControlKind::PushButton, TEXT("Disconnect"), 202, 112, 42, 14},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Stable Probing"), 7, 132, 236, 36},
    {IDC_STABLE_ENABLE, ControlKind::CheckBox, TEXT("Enable"), 16, 148, 42, 10, kTextLeft},
    {IDC_STATIC, ControlKind::Static, TEXT("Time"), 70, 149, 20, 8},
    {IDC_STABLE_TIME, ControlKind::Edit, TEXT(""), 92, 146, 60, 14},
    {IDC_STATIC, ControlKind::Static, TEXT("ms"), 156, 149, 14, 8},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("RMS"), 7, 174, 236, 34},
    {IDC_STATIC, ControlKind::Static, TEXT("Distance Tolerance"), 16, 190, 66, 8},
    {IDC_DISTANCE_TOLERANCE, ControlKind::Edit, TEXT(""), 84, 187, 60, 14},
    {IDC_STATIC, ControlKind::Static, TEXT("mm"), 148, 190, 14, 8},
};

constexpr ControlTemplate kReflectorSize[] = {
    {IDC_STATIC, ControlKind::Static, TEXT("Diameter"), 10, 13, 32, 8},
    {IDC_REFLECTOR_DIAMETER, ControlKind::Edit, TEXT(""), 44, 10, 60, 14},
    {IDC_STATIC, ControlKind::Static, TEXT("mm"), 108, 13, 14, 8},
    {IDOK, ControlKind::DefPushButton, TEXT("OK"), 104, 34, 50, 14},
};

constexpr ControlTemplate kProfiles[] = {
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Selectable Targets"), 7, 7, 155, 34},
    {IDC_STATIC, ControlKind::Static, TEXT("Target"), 15, 22, 30, 8},
    {IDC_PROFILE_TARGET_LIST, ControlKind::ComboDropDown, TEXT(""), 47, 20, 105, 80, kSorted},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Measurementprofile Selection"), 168, 7, 156, 34},
    {IDC_STATIC, ControlKind::Static, TEXT("Measurmentprofile"), 176, 22, 62, 8},
    {IDC_PROFILE_LIST, ControlKind::ComboDropDown, TEXT(""), 240, 20, 78, 80, kSorted},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Continuous Time Settings"), 7, 47, 155, 34},
    {IDC_STATIC, ControlKind::Static, TEXT("Time Seperation"), 15, 62, 56, 8},
    {IDC_TIME_SEPARATION, ControlKind::Edit, TEXT(""), 73, 59, 55, 14},
    {IDC_TIME_UNIT, ControlKind::Static, TEXT("ms"), 132, 62, 20, 8},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Continuous Distance Settings"), 168, 47, 156, 34},
    {IDC_STATIC, ControlKind::Static, TEXT("Distance Seperation"), 176, 62, 68, 8},
    {IDC_DISTANCE_SEPARATION, ControlKind::Edit, TEXT(""), 246, 59, 50, 14, kDisabled},
    {IDC_DISTANCE_UNIT, ControlKind::Static, TEXT("mm"), 300, 62, 22, 8},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Stationary Settings"), 7, 87, 155, 40},
    {IDC_STATIC, ControlKind::Static, TEXT("Accuracy"), 13, 103, 32, 8},
    {IDC_RB_FAST, ControlKind::RadioButton, TEXT("Fast"), 46, 102, 27, 10, kGroupStart},
    {IDC_RB_STANDARD, ControlKind::RadioButton, TEXT("Standard"), 74, 102, 45, 10},
    {IDC_RB_PRECISE, ControlKind::RadioButton, TEXT("Precise"), 120, 102, 40, 10},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Pouwer Source"), 168, 87, 156, 40, kGroupStart},
    {IDC_STATIC, ControlKind::Static, TEXT("Runs On"), 176, 100, 40, 8},
    {IDC_POWER_SOURCE, ControlKind::Static, TEXT("Mains"), 224, 100, 60, 8},
    {IDC_STATIC, ControlKind::Static, TEXT("Power Level"), 176, 113, 46, 8},
    {IDC_POWER_LEVEL, ControlKind::Static, TEXT("0.000"), 224, 113, 36, 8},
    {IDC_STATIC, ControlKind::Static, TEXT("%"), 262, 113, 10, 8},
    {IDC_STATIC, ControlKind::GroupBox, TEXT("Area Scan Settings"), 7, 133, 155, 40},
    {IDC_STATIC, ControlKind::Static, TEXT("Accuracy"), 13, 149, 32, 8},
    {IDC_RB_SCAN_FAST, ControlKind::RadioButton, TEXT("Fast"), 46, 148, 27, 10, kGroupStart},
    {IDC_RB_SCAN_STANDARD, ControlKind::RadioButton, TEXT("Standard"), 74, 148, 45, 10},
    {IDC_RB_SCAN_PRECISE, ControlKind::RadioButton, TEXT("Precise"), 120, 148, 40, 10},
};

constexpr ControlTemplate kPositioning[] = {
    {IDC_MOVE_GROUP, ControlKind::GroupBox, TEXT("Move"), 7, 7, 150, 95},
    {IDC_MOVE_UP, ControlKind::PushButton, TEXT("Up"), 57, 20, 40, 14},
    {IDC_MOVE_DOWN, ControlKind::PushButton, TEXT("Down"), 57, 56, 40, 14},
    {IDC_MOVE_LEFT, ControlKind::PushButton, TEXT("Left"), 15, 38, 40, 14},
    {IDC_MOVE_RIGHT, ControlKind::PushButton, TEXT("Right"), 99, 38, 40, 14},
    {IDC_MOVE_STOP, ControlKind::PushButton, TEXT("Stop"), 57, 38, 40, 14},
    {IDC_STATIC, ControlKind::Static, TEXT("Slow"), 15, 82, 18, 8},
    {IDC_SLIDER_SPEED, ControlKind::Slider, TEXT(""), 35, 78, 90, 15, kNoTicks},
    {IDC_STATIC, ControlKind::Static, TEXT("Fast"), 129, 82, 18, 8},
    {IDC_GOPOSITION_GROUP, ControlKind::GroupBox, TEXT("GoPosition"), 163, 7, 161, 95},
    {IDC_POSITION_TO, ControlKind::PushButton, TEXT("Position To"), 171, 20, 60, 14},
    {IDC_POSITION_VALUE1, ControlKind::Edit, TEXT(""), 171, 38, 45, 14},
    {IDC_POSITION_VALUE2, ControlKind::Edit, TEXT(""), 220, 38, 45, 14},
    {IDC_POSITION_VALUE3, ControlKind::Edit, TEXT(""), 269, 38, 45, 14},
    {IDC_POSITION_RELATIVE, ControlKind::CheckBox, TEXT("Relative"), 171, 58, 50, 10},
    {IDC_POSITION_SEARCH, ControlKind::CheckBox, TEXT("Search"), 225, 58, 50, 10},
    {IDC_FIND_REFLECTOR, ControlKind::PushButton, TEXT("Find Reflector"), 171, 76, 70, 14},
    {IDC_POSITION_TARGET_LIST, ControlKind::ComboDropDown, TEXT(""), 7, 126, 150, 80},
    {IDC_POSITION_TARGET_LABEL, ControlKind::Static,
     TEXT("Target for Position To Target and Go And Measure"), 7, 114, 200, 8},
    {IDC_POSITION_TO_TARGET, ControlKind::PushButton, TEXT("Position To Target"), 163, 125, 78, 14},
    {IDC_GO_AND_MEASURE, ControlKind::PushButton, TEXT("Go And Measure"), 245, 125, 79, 14},
    {IDC_GO_AND_MEASURE_KSR15, ControlKind::PushButton, TEXT("Go And Measure KSR15"), 231, 143, 93,
     14},
    {IDC_STATIC, ControlKind::GroupBox,
     TEXT("Results of \"Go And Measure\" and \"Position To Target\""), 7, 162, 317, 80},
    {IDC_RESULT_TARGET, ControlKind::Static, TEXT("Measured Target"), 15, 176, 140, 8},
    {IDC_RESULT_TIMESTAMP, ControlKind::Static, TEXT("Measurement Timestamp"), 163, 176, 150, 8},
    {IDC_RESULT_X, ControlKind::Static, TEXT("X:"), 15, 192, 140, 8},
    {IDC_RESULT_Y, ControlKind::Static, TEXT("Y:"), 15, 206, 140, 8},
    {IDC_RESULT_Z, ControlKind::Static, TEXT("Z:"), 15, 220, 140, 8},
    {IDC_RESULT_RX, ControlKind::Static, TEXT("Rx:"), 163, 192, 150, 8},
    {IDC_RESULT_RY, ControlKind::Static, TEXT("Ry:"), 163, 206, 150, 8},
    {IDC_RESULT_RZ, ControlKind::Static, TEXT("Rz:"), 163, 220, 150, 8},
};

constexpr ControlTemplate kOvc[] = {
    {IDC_OVC_IMAGE, ControlKind::Picture, TEXT(""), 7, 7, 317, 222, kCenterImage},
    {IDC_OVC_START, ControlKind::PushButton, TEXT("Start OVC"), 7, 236, 60, 14},
    {IDC_OVC_STOP, ControlKind::PushButton, TEXT("Stop OVC"), 71, 236, 60, 14},
    {IDC_OVC_SHOW_DIALOG, ControlKind::PushButton, TEXT("Show Dialog"), 135, 236, 60, 14},
    {IDC_OVC_CLEAR_REGIONS, ControlKind::PushButton, TEXT("Clear All Regions"), 199, 236, 70, 14},
    {IDC_OVC_SCAN, ControlKind::PushButton, TEXT("SCAN"), 273, 236, 51, 14},
    {IDC_OVC_DEFINE_SIX_SIDED_REGIONS, ControlKind::PushButton,
     TEXT("Define six-sided regions programmatically"), 7, 256, 150, 24, kMultiline},
    {IDC_OVC_DEFINE_BY_HAND, ControlKind::PushButton, TEXT("Define region by hand (OVC dialog)"),
     163, 256, 161, 24, kMultiline},
};

constexpr ControlTemplate kInclination[] = {
    {IDC_MONITORING_GROUP, ControlKind::GroupBox, TEXT("Monitoring"), 7, 7, 317, 92},
    {IDC_MONITOR_NOTE, ControlKind::Static, TEXT("Only possible if orient to gravity is done."), 15,
     19, 200, 8},
    {IDC_INTERVAL_LABEL, ControlKind::Static, TEXT("Interval"), 15, 34, 40, 8},
    {IDC_INTERVAL, ControlKind::Edit, TEXT(""), 57, 31, 50, 14},
    {IDC_THRESHOLD_LABEL, ControlKind::Static, TEXT("Threshold"), 15, 52, 40, 8},
    {IDC_THRESHOLD, ControlKind::Edit, TEXT(""), 57, 49, 50, 14},
    {IDC_CURRENT_ROTX_LABEL, ControlKind::Static, TEXT("Current Rot X"), 120, 34, 52, 8},
    {IDC_CURRENT_ROTX, ControlKind::Static, TEXT(""), 174, 34, 50, 8},
    {IDC_CURRENT_ROTX_UNIT, ControlKind::Static, TEXT("[deg]"), 228, 34, 30, 8},
    {IDC_CURRENT_ROTY_LABEL, ControlKind::Static, TEXT("Current Rot Y"), 120, 52, 52, 8},
    {IDC_CURRENT_ROTY, ControlKind::Static, TEXT(""), 174, 52, 50, 8},
    {IDC_CURRENT_ROTY_UNIT, ControlKind::Static, TEXT("[deg]"), 228, 52, 30, 8},
    {IDC_MONITOR_START, ControlKind::PushButton, TEXT("Start"), 15, 72, 50, 14},
    {IDC_MONITOR_STOP, ControlKind::PushButton, TEXT("Stop"), 69, 72, 50, 14},
    {IDC_MONITOR_RESET, ControlKind::PushButton, TEXT("Reset"), 123, 72, 50, 14},
    {IDC_ORIENT_GROUP, ControlKind::GroupBox, TEXT("Orient To Gravity"), 7, 105, 155, 70},
    {IDC_ORIENT_LABEL, ControlKind::Static, TEXT("Orient to Gravity"), 15, 119, 80, 8},
    {IDC_ORIENT_SYNCHRON, ControlKind::PushButton, TEXT("Synchron"), 15, 132, 60, 14},
    {IDC_ORIENT_ASYNCHRON, ControlKind::PushButton, TEXT("Asynchron"), 79, 132, 60, 14},
    {IDC_USE_INCLINATION_LABEL, ControlKind::Static, TEXT("Use Inclination Angles"), 15, 156, 90,
     8},
    {IDC_USE_INCLINATION, ControlKind::CheckBox, TEXT(""), 107, 155, 12, 10},
    {IDC_GRAVITY_GROUP, ControlKind::GroupBox, TEXT("Current Inclination To Gravity"), 168, 105,
     156, 70},
    {IDC_GRAVITY_ROTX_LABEL, ControlKind::Static, TEXT("Rot X"), 176, 122, 30, 8},
    {IDC_GRAVITY_ROTX, ControlKind::Static, TEXT(""), 208, 122, 60, 8},
    {IDC_GRAVITY_ROTX_UNIT, ControlKind::Static, TEXT("[deg]"), 272, 122, 30, 8},
    {IDC_GRAVITY_ROTY_LABEL, ControlKind::Static, TEXT("Rot Y"), 176, 140, 30, 8},
    {IDC_GRAVITY_ROTY, ControlKind::Static, TEXT(""), 208, 140, 60, 8},
    {IDC_GRAVITY_ROTY_UNIT, ControlKind::Static, TEXT("[deg]"), 272, 140, 30, 8},
    {IDC_MEASUREMENT_GROUP, ControlKind::GroupBox, TEXT("Inclination Measurement"), 7, 181, 317,
     70},
    {IDC_MEASUREMENT_NOTE, ControlKind::Static, TEXT("Only possible if orient to gravity is done."),
     15, 193, 200, 8},
    {IDC_MEASUREMENT_LABEL, ControlKind::Static, TEXT("Inclination Measurement"), 15, 208, 90, 8},
    {IDC_INCLINATION_MEASURE, ControlKind::PushButton, TEXT("Measure"), 15, 222, 50, 14},
    {IDC_MEASURED_ROTX_LABEL, ControlKind::Static, TEXT("Rot X"), 120, 208, 30, 8},
    {IDC_MEASURED_ROTX, ControlKind::Static, TEXT(""), 152, 208, 60, 8},
    {IDC_MEASURED_ROTX_UNIT, ControlKind::Static, TEXT("[deg]"), 216, 208, 30, 8},
    {IDC_MEASURED_ROTY_LABEL, ControlKind::Static, TEXT("Rot Y"), 120, 224, 30, 8},
    {IDC_MEASURED_ROTY, ControlKind::Static, TEXT(""), 152, 224, 60, 8},
    {IDC_MEASURED_ROTY_UNIT, ControlKind::Static, TEXT("[deg]"), 216, 224, 30, 8},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_CONNECT, TEXT("Connect"), 222, 84, 0, kConnect},
    {IDD_PROBE_SETTINGS, TEXT("Main"), 250, 214, kChildPage, kProbeSettings},
    {IDD_REFLECTOR_SIZE, TEXT("Add Reflector Size"), 164, 56, kSystemMenu, kReflectorSize},
    {IDD_PROPPAGE_PROFILES, TEXT("Profiles"), 331, 180, kChildPage, kProfiles},
    {IDD_PROPPAGE_POSITIONING, TEXT("Positioning"), 331, 249, kChildPage, kPositioning},
    {IDD_PROPPAGE_OVC, TEXT("OVC"), 331, 287, kChildPage, kOvc},
    {IDD_PROPPAGE_INCLINATION, TEXT("Inclination Sensor"), 331, 258, kChildPage, kInclination},
};

// Registered for as long as the binary that holds them is loaded.
const DialogTemplateRegistration g_registration{kTemplates};

} // namespace

std::span<const DialogTemplate> ModuleDialogTemplates() {
    return kTemplates;
}
