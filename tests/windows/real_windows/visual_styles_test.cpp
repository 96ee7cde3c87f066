// The plug-in's windows are made of the common controls of version 6 (the
// look of the Windows they run on): the connect dialog, the sheet and each of
// its pages (made later, when their tabs are chosen), the reflector size
// dialog and a message box. Version 6 registers Button, Edit, Static and
// ComboBox anew, with visual styles; without it these are user32's classic
// controls (version 5 registers none of them).
#include "tests/windows/real_windows/every_window.h"

#include <algorithm>
#include <cwctype>
#include <string>

namespace {

using realwin::ClassOf;

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

class VisualStylesTest : public realwin::EveryWindowTest {
protected:
    void Check(HWND window, const std::string& name) override {
        ExpectVersion6Controls(window, name);
    }
};

TEST_F(VisualStylesTest, EveryWindowIsMadeOfTheCommonControlsOfVersion6) {
    VisitEveryWindow(true);
}

} // namespace
