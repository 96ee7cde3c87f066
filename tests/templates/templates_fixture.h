// The module's dialogs and pages run the way the host runs them (a device on
// the simulated tracker, a scripted screen), while a recorder notes which
// controls their code uses; then each template is held against that.
#pragma once

#include "platform/shell/shell_launch.h"
#include "platform/ui/scripted_screen.h"
#include "plugin/CQWandDevice.h"
#include "tests/support/device_fixture.h"
#include "tests/templates/code_uses.h"
#include "toolsheet/CSampleSheet.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class TemplatesTest : public simtest::SheetDeviceTest {
protected:
    void SetUp() override {
        SheetDeviceTest::SetUp();
        // "Register Device" starts nothing: the launch is refused.
        platform::SetShellLauncher([](const platform::ShellLaunch&) { return false; });
    }

    void TearDown() override {
        platform::SetShellLauncher(nullptr);
        SheetDeviceTest::TearDown();
    }

    // A dialog created modeless: its data exchanged both ways, then each
    // handler of its message map run.
    void Exercise(CDialog& dialog) {
        recorder.AddMessageMap(dialog);
        ASSERT_TRUE(dialog.Create(dialog.GetTemplateId()));
        ExerciseWindow(dialog);
        dialog.DestroyWindow();
    }

    // The tool sheet's pages in tab order, each opened and exercised with the
    // tracker connected.
    void ExerciseSheet() {
        ConnectDevice();
        ASSERT_TRUE(device->BuildToolSheet());
        CSampleSheet& sheet = *device->m_toolSheet;
        sheet.ShowWindow(SW_SHOW);
        for (int i = 0; i < sheet.GetPageCount(); ++i) {
            CPropertyPage* page = sheet.GetPage(i);
            recorder.AddMessageMap(*page);
            ASSERT_TRUE(sheet.SetActivePage(page));
            if (!device->m_connected) { // the Main page's "Disconnect" ran
                ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
            }
            ExerciseWindow(*page);
        }
    }

    // The disagreements of the template in force for `templateId`.
    std::set<std::string> Disagreements(UINT templateId) const {
        const platform::ui::DialogTemplate* dialog = platform::ui::FindDialogTemplate(templateId);
        if (!dialog)
            return {"no template " + std::to_string(templateId)};
        const auto found = templatecheck::Disagreements(*dialog, recorder.UsesOf(templateId));
        return {found.begin(), found.end()};
    }

    templatecheck::AccessRecorder recorder;

private:
    static void ExerciseWindow(CDialog& dialog) {
        dialog.UpdateData(FALSE);
        dialog.UpdateData(TRUE);
        templatecheck::FireHandlers(dialog);
    }
};

// A copy of one of the module's templates for a test to spoil; Register puts
// it in front of the module's until the copy goes.
class SpoiltTemplate {
public:
    explicit SpoiltTemplate(UINT id) : m_dialog(*platform::ui::FindDialogTemplate(id)) {
        controls.assign(m_dialog.controls.begin(), m_dialog.controls.end());
    }

    platform::ui::ControlTemplate& Control(int id) {
        for (auto& control : controls)
            if (control.id == id)
                return control;
        throw std::out_of_range("no control " + std::to_string(id));
    }
    void Remove(int id) {
        std::erase_if(controls, [&](const auto& c) { return c.id == id; });
    }
    void Register() {
        m_dialog.controls = controls;
        m_registration.emplace(std::span(&m_dialog, 1));
    }

    std::vector<platform::ui::ControlTemplate> controls;

private:
    platform::ui::DialogTemplate m_dialog;
    std::optional<platform::ui::DialogTemplateRegistration> m_registration;
};
