// Test dialogs and the fixture of the window framework's tests: a virtual
// clock and a scripted screen for each test.
#pragma once

#include "platform/ui/afxwin.h"
#include "platform/ui/clock.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/scripted_screen.h"

#include <gtest/gtest.h>

inline constexpr UINT IDD_TEST_FORM = 9001;
inline constexpr UINT IDD_TEST_PAGE_ONE = 9003;
inline constexpr UINT IDD_TEST_PAGE_TWO = 9004;

inline constexpr int IDC_TEST_EDIT = 9100;
inline constexpr int IDC_TEST_SORTED = 9101;
inline constexpr int IDC_TEST_UNSORTED = 9102;
inline constexpr int IDC_TEST_CHECK = 9103;
inline constexpr int IDC_TEST_RADIO1 = 9104;
inline constexpr int IDC_TEST_RADIO2 = 9105;
inline constexpr int IDC_TEST_RADIO3 = 9106;
inline constexpr int IDC_TEST_SLIDER = 9107;
inline constexpr int IDC_TEST_BUTTON = 9108;
inline constexpr int IDC_TEST_IP = 9109;

class UiTest : public ::testing::Test {
protected:
    UiTest() : m_use(screen) {}
    ~UiTest() override { platform::PumpMessages(); }

    platform::ScopedVirtualClock clock;
    platform::ScriptedScreen screen;

private:
    platform::ScopedScreen m_use;
};
