// Templates spoilt the ways an edit goes wrong are caught, with the dialog,
// the control and the fault named.
#include "settings/CQNZUDeviceLTConnectDlg.h"
#include "settings/CQNZUDeviceOrlanReflectorSizeDlg.h"
#include "tests/templates/templates_fixture.h"

namespace {

using platform::ui::ControlKind;
using Found = std::set<std::string>;

TEST_F(TemplatesTest, ControlMissingFromTheTemplate) {
    SpoiltTemplate spoilt(IDD_REFLECTOR_SIZE);
    spoilt.Remove(IDC_REFLECTOR_DIAMETER);
    spoilt.Register();
    CQNZUDeviceOrlanReflectorSizeDlg dialog;
    Exercise(dialog);
    EXPECT_EQ(Disagreements(IDD_REFLECTOR_SIZE),
              (Found{"\"Add Reflector Size\" (dialog 132): DDX_Text uses control 1230, which the "
                     "template does not have"}));
}

// A label copied with the address edit's id: the code's label id is gone and
// the id it finds first is the other control's.
TEST_F(TemplatesTest, IdGivenTwice) {
    SpoiltTemplate spoilt(IDD_CONNECT);
    spoilt.Control(IDC_CONNECT_COUNTDOWN).id = IDC_CONNECT_ADDRESS;
    spoilt.Register();
    CQNZUDeviceLTConnectDlg dialog;
    Exercise(dialog);
    EXPECT_EQ(Disagreements(IDD_CONNECT),
              (Found{"\"Connect\" (dialog 130): control id 1200 is given to more than one "
                     "control; the code reaches only the first",
                     "\"Connect\" (dialog 130): DDX_Text uses control 1203, which the template "
                     "does not have"}));
}

TEST_F(TemplatesTest, PageEditMadeAComboBox) {
    SpoiltTemplate spoilt(IDD_PROBE_SETTINGS);
    spoilt.Control(IDC_STABLE_TIME).kind = ControlKind::ComboDropDown;
    spoilt.Register();
    ExerciseSheet();
    EXPECT_EQ(Disagreements(IDD_PROBE_SETTINGS),
              (Found{"\"Main\" (dialog 131): ON_EN_CHANGE on combo box 1221 \"\": needs edit",
                     "\"Main\" (dialog 131): DDX_Control of a CEdit on combo box 1221 \"\": "
                     "needs edit"}));
}

TEST_F(TemplatesTest, RadioGroupWithoutItsStart) {
    SpoiltTemplate spoilt(IDD_PROPPAGE_PROFILES);
    spoilt.Control(IDC_RB_SCAN_FAST).flags &= ~platform::ui::kGroupStart;
    spoilt.Register();
    ExerciseSheet();
    EXPECT_EQ(Disagreements(IDD_PROPPAGE_PROFILES),
              (Found{"\"Profiles\" (dialog 133): DDX_Radio on radio button 1251 \"Fast\", which "
                     "does not start a group: the exchange counts the buttons up to the next "
                     "group start"}));
}

TEST_F(TemplatesTest, ButtonWithoutAHandler) {
    SpoiltTemplate spoilt(IDD_PROPPAGE_OVC);
    spoilt.controls.push_back({1064, ControlKind::PushButton, TEXT("Stop Scan"), 273, 256, 51, 14});
    spoilt.Register();
    ExerciseSheet();
    EXPECT_EQ(Disagreements(IDD_PROPPAGE_OVC),
              (Found{"\"OVC\" (dialog 135): push button 1064 \"Stop Scan\" is not used by the "
                     "code"}));
}

} // namespace
