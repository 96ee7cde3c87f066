// Templates of the test dialogs.
#include "ui_fixture.h"

#include "platform/ui/dialog_template.h"

using namespace platform::ui;

namespace {

constexpr ControlTemplate kForm[] = {
    {IDC_STATIC, ControlKind::Static, u"Value", 7, 9, 30, 8},
    {IDC_TEST_EDIT, ControlKind::Edit, u"", 40, 7, 60, 14},
    {IDC_TEST_SORTED, ControlKind::ComboDropDown, u"", 7, 25, 60, 80, kSorted},
    {IDC_TEST_UNSORTED, ControlKind::ComboDropDown, u"", 70, 25, 60, 80},
    {IDC_TEST_CHECK, ControlKind::CheckBox, u"Check", 7, 43, 50, 10},
    {IDC_TEST_RADIO1, ControlKind::RadioButton, u"One", 7, 57, 30, 10, kGroupStart},
    {IDC_TEST_RADIO2, ControlKind::RadioButton, u"Two", 40, 57, 30, 10},
    {IDC_TEST_RADIO3, ControlKind::RadioButton, u"Three", 73, 57, 30, 10},
    {IDC_TEST_SLIDER, ControlKind::Slider, u"", 7, 71, 100, 15, kGroupStart},
    {IDC_TEST_IP, ControlKind::IpAddress, u"", 7, 90, 100, 14},
    {IDC_TEST_BUTTON, ControlKind::PushButton, u"&Press", 7, 108, 50, 14},
    {IDOK, ControlKind::DefPushButton, u"OK", 60, 108, 50, 14},
    {IDCANCEL, ControlKind::PushButton, u"Cancel", 113, 108, 50, 14},
};

constexpr ControlTemplate kPage[] = {
    {IDC_TEST_EDIT, ControlKind::Edit, u"", 7, 7, 60, 14},
};

constexpr DialogTemplate kTemplates[] = {
    {IDD_TEST_FORM, u"Form", 170, 130, kSystemMenu, kForm},
    {IDD_TEST_TIMER, u"Timer", 100, 40, 0, {}},
    {IDD_TEST_PAGE_ONE, u"One", 120, 60, kChildPage, kPage},
    {IDD_TEST_PAGE_TWO, u"Two", 140, 80, kChildPage, kPage},
};

const DialogTemplateRegistration g_registration{kTemplates};

} // namespace
