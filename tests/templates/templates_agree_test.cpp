// Every dialog and page of the module against its template: the controls
// its code uses are there with fitting kinds, and every control a person
// works with is used.
#include "resources/dialog_templates.h"
#include "settings/CQNZUDeviceLTConnectDlg.h"
#include "settings/CQNZUDeviceOrlanReflectorSizeDlg.h"
#include "tests/templates/templates_fixture.h"

namespace {

std::string Narrow(const WCHAR* text) {
    std::string out;
    for (; *text; ++text)
        out += static_cast<char>(*text);
    return out;
}

TEST_F(TemplatesTest, EveryDialogAndPageAgreesWithItsTemplate) {
    CQNZUDeviceLTConnectDlg connect;
    Exercise(connect);
    CQNZUDeviceOrlanReflectorSizeDlg reflectorSize;
    Exercise(reflectorSize);
    ExerciseSheet();

    for (const platform::ui::DialogTemplate& dialog : ModuleDialogTemplates()) {
        EXPECT_FALSE(recorder.UsesOf(dialog.id).empty())
            << "\"" << Narrow(dialog.caption) << "\" (dialog " << dialog.id
            << "): no code of this suite used it; exercise its dialog here";
        for (const std::string& disagreement : Disagreements(dialog.id))
            ADD_FAILURE() << disagreement;
    }
}

} // namespace
