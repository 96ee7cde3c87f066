// The plug-in's windows are made of the common controls of version 6 (the
// look of the Windows they run on): the connect dialog, the sheet and each of
// its pages (made later, when their tabs are chosen), the reflector size
// dialog and a message box. Version 6 registers Button, Edit, Static and
// ComboBox anew, with visual styles; without it these are user32's classic
// controls (version 5 registers none of them).
#include "tests/support/plugin_fixture.h"

#include "platform/ui/message_loop.h"
#include "platform/ui/screen_input.h"
#include "platform/ui/window_capture.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <string>

namespace {

using platform::Act;
using trackersim::MessageKind;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

// The file name, in lower case, of the module whose code is the window
// procedure of the control's class.
std::wstring ClassProcedureModule(HWND control) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(GetClassLongPtrW(control, GCLP_WNDPROC)), &module);
    wchar_t path[MAX_PATH] = {};
    if (module)
        GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return name;
}

// Every button, edit, label and combo box among the window's children is the
// common controls' own, and its push buttons answer a message only version 6
// knows.
void ExpectVersion6Controls(HWND window, const std::string& name) {
    ASSERT_TRUE(IsWindow(window)) << name;
    int checked = 0;
    for (HWND control = GetWindow(window, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const std::wstring cls = ClassOf(control);
        if (_wcsicmp(cls.c_str(), WC_BUTTONW) && _wcsicmp(cls.c_str(), WC_EDITW) &&
            _wcsicmp(cls.c_str(), WC_STATICW) && _wcsicmp(cls.c_str(), WC_COMBOBOXW))
            continue;
        ++checked;
        EXPECT_EQ(ClassProcedureModule(control), L"comctl32.dll")
            << name << ": control " << GetDlgCtrlID(control) << " ("
            << platform::Utf8FromWide(platform::WideView(cls)) << ") is not version 6";
        const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        if (_wcsicmp(cls.c_str(), WC_BUTTONW) == 0 &&
            (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
            SIZE ideal{};
            EXPECT_TRUE(
                SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)))
                << name << ": button " << GetDlgCtrlID(control) << " has no ideal size";
        }
    }
    EXPECT_GT(checked, 0) << name << " has no standard control";
}

// Checks each dialog as it appears and each message box once it is up, then
// lets the script act.
class CheckingScreen : public platform::ScriptedScreen {
public:
    void DialogShown(HWND dialog) override {
        ExpectVersion6Controls(dialog, "a dialog");
        ++dialogs;
        ScriptedScreen::DialogShown(dialog);
    }
    bool Idle(platform::ModalFrame& top) override {
        if (top.kind == platform::ModalFrame::Kind::MessageBox && top.dialog &&
            top.serial != lastBox) {
            lastBox = top.serial;
            ExpectVersion6Controls(top.dialog, "a message box");
            ++boxes;
        }
        return ScriptedScreen::Idle(top);
    }
    int dialogs = 0;
    int boxes = 0;
    uint64_t lastBox = 0;
};

class VisualStylesTest : public simtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_TRUE(platform::RealWindows()) << "run beside the real-window runtime";
        platform::SetScreen(&checking);
    }
    void TearDown() override {
        platform::SetScreen(&screen);
        PluginTest::TearDown();
    }
    CheckingScreen checking;
};

TEST_F(VisualStylesTest, EveryWindowIsMadeOfTheCommonControlsOfVersion6) {
    checking.OnDialog(L"Connect",
                      {Act::Type(IDC_CONNECT_ADDRESS, L"10.0.0.7"), Act::Click(L"Connect")});
    ASSERT_EQ(Plugin().Open(nullptr), 1);
    ASSERT_EQ(Plugin().SelectProbe(), 1);
    platform::PumpMessages();
    HWND sheet = checking.FindShown(L"Probing Tool Settings");
    ASSERT_NE(sheet, nullptr);
    ExpectVersion6Controls(sheet, "the sheet");
    // Pages are made here, from the test's own calls, outside the runtime.
    for (int index = 0; index < 5; ++index) {
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        platform::PumpMessages();
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
        ExpectVersion6Controls(page, "page " + std::to_string(index));
    }
    SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    checking.OnDialog(L"Add Reflector Size", {Act::Cancel()});
    HWND main = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 0, 0));
    ASSERT_TRUE(platform::Click(GetDlgItem(main, IDC_REFLECTOR_ADD)));
    Sim().FireTrackerMessage(MessageKind::Warning, L"Beam", L"interrupted", 7);
    platform::PumpMessages();
    EXPECT_GE(checking.dialogs, 2) << "the connect dialog, the reflector size dialog";
    EXPECT_EQ(checking.boxes, 1);
    EXPECT_EQ(Plugin().Close(), 1);
}

} // namespace
