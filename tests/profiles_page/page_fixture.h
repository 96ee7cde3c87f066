// The tool sheet of a device connected to the simulated tracker, with a
// scripted screen in front of it: what the "Profiles" and "Positioning" page
// suites share (the positioning suite includes this header too).
#pragma once

#include "platform/registry/registry.h"
#include "platform/ui/afxwin.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/scripted_screen.h"
#include "tests/support/device_fixture.h"
#include "tests/support/stored_settings.h"
#include "toolsheet/CSampleSheet.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pagetest {

inline std::string Narrow(const platform::WideString& text) {
    return std::string(text.begin(), text.end());
}

class SheetTest : public simtest::SheetDeviceTest {
protected:
    void TearDown() override {
        if (device) {
            Sim().ClearFaults();
            EXPECT_TRUE(CloseDevice());
        }
        SheetDeviceTest::TearDown(); // checks that no library object is left
    }

    // Connects (unless told not to), builds the hidden sheet and shows it on
    // its first page, as Open and SelectProbe leave it.
    void OpenSheet(bool connect = true) {
        if (connect)
            ConnectDevice();
        ASSERT_TRUE(device->BuildToolSheet());
        device->m_toolSheet->ShowWindow(SW_SHOWNORMAL);
    }

    // The user opens a tab.
    void ShowTab(CPropertyPage* page) { ASSERT_TRUE(device->m_toolSheet->SetActivePage(page)); }

    // The texts of the message boxes shown so far.
    std::vector<platform::WideString> BoxTexts() const {
        std::vector<platform::WideString> texts;
        for (const auto& box : screen.Boxes())
            texts.push_back(box.text);
        return texts;
    }

    // ---- what a person sees and does on the page under test -----------------
    virtual CWnd& Tab() = 0;
    HWND Control(int id) { return ::GetDlgItem(Tab().GetSafeHwnd(), id); }
    platform::WideString Text(int id) { return platform::WindowText(Control(id)); }
    std::vector<platform::WideString> Items(int id) {
        std::vector<platform::WideString> items;
        HWND combo = Control(id);
        const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            WCHAR buffer[256] = {};
            ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(buffer));
            items.emplace_back(buffer);
        }
        return items;
    }
    int Selection(int id) {
        return static_cast<int>(::SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
    }
    platform::WideString SelectedItem(int id) {
        const int selection = Selection(id);
        return selection < 0 ? platform::WideString() : Items(id).at(selection);
    }
    int Check(int id) { return static_cast<int>(::SendMessageW(Control(id), BM_GETCHECK, 0, 0)); }
    void Click(int id) { ASSERT_TRUE(platform::Click(Control(id))); }
    void Type(int id, const platform::WideString& text) {
        ASSERT_TRUE(platform::TypeText(Control(id), text));
    }
    void Choose(int id, const platform::WideString& item) {
        ASSERT_TRUE(platform::ChooseItem(Control(id), item));
    }
    void SetCheck(int id, bool checked) { ASSERT_TRUE(platform::SetChecked(Control(id), checked)); }
};

} // namespace pagetest
