// The walk over the plug-in's real windows that the window checks share: the
// connect dialog, the sheet, each of its pages (their tabs chosen from the
// test, so each page is made then), the reflector size dialog and, when asked,
// a warning box. Each window goes to the suite's Check as it appears.
#pragma once

#include "tests/support/plugin_fixture.h"

#include "platform/ui/message_loop.h"
#include "platform/ui/screen_input.h"
#include "platform/ui/window_capture.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

namespace realwin {

inline std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

inline std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline std::string Narrow(const std::wstring& text) {
    return platform::Utf8FromWide(platform::WideView(text));
}

class EveryWindowTest : public simtest::PluginTest {
protected:
    // Checks one window: a dialog (the sheet among them), a page or a message box.
    virtual void Check(HWND window, const std::string& name) = 0;

    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_TRUE(platform::RealWindows()) << "run beside the real-window runtime";
        platform::SetScreen(&m_walker);
    }
    void TearDown() override {
        platform::SetScreen(&screen);
        PluginTest::TearDown();
    }

    // Opens the device, shows every window once, and closes the device.
    void VisitEveryWindow(bool withMessageBox) {
        m_walker.OnDialog(L"Connect", {platform::Act::Type(IDC_CONNECT_ADDRESS, L"10.0.0.7"),
                                       platform::Act::Click(L"Connect")});
        ASSERT_EQ(Plugin().Open(nullptr), 1);
        ASSERT_EQ(Plugin().SelectProbe(), 1);
        platform::PumpMessages();
        HWND sheet = m_walker.FindShown(L"Probing Tool Settings");
        ASSERT_NE(sheet, nullptr);
        HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
        const int pages = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
        ASSERT_EQ(pages, 5);
        for (int index = 0; index < pages; ++index) {
            SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
            platform::PumpMessages();
            HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
            Check(page, "page " + Narrow(TextOf(page)));
        }
        SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
        m_walker.OnDialog(L"Add Reflector Size", {platform::Act::Cancel()});
        HWND main = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, 0, 0));
        ASSERT_TRUE(platform::Click(GetDlgItem(main, IDC_REFLECTOR_ADD)));
        if (withMessageBox) {
            Sim().FireTrackerMessage(trackersim::MessageKind::Warning, L"Beam", L"interrupted", 7);
            platform::PumpMessages();
            EXPECT_EQ(m_walker.boxes, 1);
        }
        EXPECT_GE(m_walker.dialogs, 3)
            << "the connect dialog, the sheet, the reflector size dialog";
        EXPECT_EQ(Plugin().Close(), 1);
    }

private:
    // Hands each dialog to Check as it appears and each message box once it
    // is up, then lets the script act.
    class Walker : public platform::ScriptedScreen {
    public:
        explicit Walker(EveryWindowTest& test) : m_test(test) {}
        void DialogShown(HWND dialog) override {
            m_test.Check(dialog, "dialog \"" + Narrow(TextOf(dialog)) + "\"");
            ++dialogs;
            ScriptedScreen::DialogShown(dialog);
        }
        bool Idle(platform::ModalFrame& top) override {
            if (top.kind == platform::ModalFrame::Kind::MessageBox && top.dialog &&
                top.serial != m_lastBox) {
                m_lastBox = top.serial;
                m_test.Check(top.dialog, "a message box");
                ++boxes;
            }
            return ScriptedScreen::Idle(top);
        }
        int dialogs = 0;
        int boxes = 0;

    private:
        EveryWindowTest& m_test;
        uint64_t m_lastBox = 0;
    };
    Walker m_walker{*this};
};

} // namespace realwin
