// Templates of the test dialogs.
#include "ui_fixture.h"

#include "platform/ui/dialog_template.h"

using namespace platform::ui;

namespace {

constexpr ControlTemplate kForm[] = {
    {IDC_STATIC, ControlKind::Static, TEXT("Value"), 7, 9, 30, 8},
    {IDC_TEST_EDIT, ControlKind::Edit, TEXT(""), 40, 7, 60, 14},
    {IDC_TEST_SORTED, ControlKind::ComboDropDown, TEXT(""), 7, 25, 60, 80, kSorted},
    {IDC_TEST_UNSORTED, ControlKind::ComboDropDown, TEXT(""), 70, 25, 60, 80},
    {IDC_TEST_CHECK, ControlKind::CheckBox, TEXT("Check"), 7, 43, 50, 10},
    {IDC_TEST_RADIO1, ControlKind::RadioButton, TEXT("One"), 7, 57, 30, 10, kGroupStart},
    {IDC_TEST_RADIO2, ControlKind::RadioButton, TEXT("Two"), 40, 57, 30, 10},
    {IDC_TEST_RADIO3, ControlKind::RadioButton, TEXT("Three"), 73, 57, 30, 10},
    {IDC_TEST_SLIDER, ControlKind::Slider, TEXT(""), 7, 71, 100, 15, kGroupStart},
    {IDC_TEST_IP, ControlKind::IpAddress, TEXT(""), 7, 90, 100, 14},
    {IDC_TEST_BUTTON, ControlKind::PushButton, TEXT("&Press"), 7, 108, 50, 14},
    {IDOK, ControlKind::DefPushButton, TEXT("OK"), 60, 108, 50, 14},
    {IDCANCEL, ControlKind::PushButton, TEXT("Cancel"), 113, 108, 50, 14},
};

constexpr ControlTemplate kPage[] = {
    {IDC_TEST_EDIT, ControlKind::Edit, TEXT(""), 7, 7, 60, 14},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_TEST_FORM, TEXT("Form"), 170, 130, kSystemMenu, kForm},
    {IDD_TEST_PAGE_ONE, TEXT("One"), 120, 60, kChildPage, kPage},
    {IDD_TEST_PAGE_TWO, TEXT("Two"), 140, 80, kChildPage, kPage},
};

const DialogTemplateRegistration g_registration{kTemplates};

} // namespace
