// The plug-in's windows as real windows (the platform runtime of bin/native,
// on a display): the sheet is the system's property sheet, keystrokes reach
// it inside a host's loop, message boxes are real boxes, and nothing is left
// behind. The scripted screen and the virtual clock work as they do headless.
#include "tests/support/plugin_fixture.h"

#include "platform/ui/message_loop.h"
#include "platform/ui/picture_image.h"
#include "platform/ui/screen_input.h"
#include "platform/ui/window_capture.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using platform::Act;

// The thread's visible top-level windows.
int VisibleWindowsOfThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM counter) {
            if (IsWindowVisible(hwnd))
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class RealWindowsTest : public simtest::PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        ASSERT_TRUE(platform::RealWindows()) << "run beside the real-window runtime";
    }
    HWND ShowSheet() {
        EXPECT_EQ(Plugin().SelectProbe(), 1);
        platform::PumpMessages();
        return screen.FindShown(L"Probing Tool Settings");
    }
    // Opens the device, shows the sheet on its "OVC" tab and starts the camera.
    void StartCamera(HWND& sheet) {
        ASSERT_TRUE(OpenWith(L"10.0.0.7"));
        sheet = ShowSheet();
        ASSERT_NE(sheet, nullptr);
        SendMessageW(sheet, PSM_SETCURSEL, 3, 0);
        ASSERT_TRUE(platform::Click(platform::FindControl(sheet, IDC_OVC_START)));
    }
    static HWND Tabs(HWND sheet) {
        return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    }
    static HWND PageWindow(HWND sheet, int index) {
        return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, index, 0));
    }
};

TEST_F(RealWindowsTest, TheConnectDialogIsARealDialogFromItsTemplate) {
    ASSERT_TRUE(OpenWith(L"10.0.0.7"));
    ASSERT_FALSE(screen.Dialogs().empty());
    const platform::DialogSnapshot& shown = screen.Dialogs().front().shown;
    EXPECT_EQ(shown.caption, L"Connect");
    const platform::ControlSnapshot* address = shown.Find(IDC_CONNECT_ADDRESS);
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->className, L"Edit");
    EXPECT_EQ(GetWindowLongPtrW(shown.hwnd, GWL_STYLE) & WS_SYSMENU, 0) << "no system menu";
    EXPECT_FALSE(IsWindow(shown.hwnd)) << "destroyed when it ended";
}

// (The tabs' order and captions, and pages made when first opened, are the
// settings page tests' through the same sheet code.)
TEST_F(RealWindowsTest, TheSheetIsASizableSheetWhoseCloseBoxHides) {
    ASSERT_TRUE(OpenWith(L"10.0.0.7"));
    HWND sheet = ShowSheet();
    ASSERT_NE(sheet, nullptr);
    HWND tabs = Tabs(sheet);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(GetDlgItem(sheet, IDC_OVC_START), nullptr);
    SendMessageW(sheet, PSM_SETCURSEL, 3, 0);
    HWND ovc = PageWindow(sheet, 3);
    ASSERT_NE(ovc, nullptr);
    EXPECT_NE(GetDlgItem(ovc, IDC_OVC_START), nullptr);

    // The close box hides; shown again, the same pages and the same tab.
    ASSERT_TRUE(platform::CloseWindow(sheet));
    EXPECT_FALSE(IsWindowVisible(sheet));
    EXPECT_EQ(ShowSheet(), sheet);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(PageWindow(sheet, 3), ovc);
    EXPECT_NE(GetWindowLongPtrW(sheet, GWL_STYLE) & WS_THICKFRAME, 0) << "sizing frame";
    HMENU menu = GetSystemMenu(sheet, FALSE);
    bool sizeItem = false;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[32] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
        sizeItem = sizeItem || (GetMenuItemID(menu, i) == SC_SIZE && std::wstring(text) == L"Size");
    }
    EXPECT_TRUE(sizeItem) << "the sheet's own \"Size\" item";
    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_FALSE(IsWindow(sheet));
}

TEST_F(RealWindowsTest, KeystrokesReachTheSheetThroughTheHostsLoop) {
    ASSERT_TRUE(OpenWith(L"10.0.0.7"));
    HWND sheet = ShowSheet();
    ASSERT_NE(sheet, nullptr);
    SetForegroundWindow(sheet);
    HWND page = PageWindow(sheet, 0);
    HWND first = GetNextDlgTabItem(page, nullptr, FALSE);
    ASSERT_NE(first, nullptr);
    SetFocus(first);
    HWND focus = GetFocus(); // a drop-down combo box passes it to its edit
    ASSERT_TRUE(focus == first || IsChild(first, focus));
    // The host's loop knows nothing of the sheet; the keystroke arrives as
    // input to the focused control.
    PostMessageW(focus, WM_KEYDOWN, VK_TAB, 0);
    platform::PumpMessages();
    EXPECT_TRUE(GetFocus() != focus && !IsChild(first, GetFocus())) << "Tab moved the focus";
    EXPECT_TRUE(IsChild(sheet, GetFocus()));

    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    platform::PumpMessages();
    EXPECT_FALSE(IsWindowVisible(sheet)) << "Esc hides the sheet as the close box does";
    EXPECT_TRUE(IsWindow(sheet));
}

TEST_F(RealWindowsTest, ABoxInsideAModalDialogIsARealBoxAndEventsGoOn) {
    ASSERT_TRUE(OpenWith(L"10.0.0.7"));
    HWND sheet = ShowSheet();
    ASSERT_NE(sheet, nullptr);
    // "Add" opens the reflector size dialog; while it is open the tracker
    // reports an error, whose box opens over the dialog, and keeps sending
    // target positions while the box waits for a second.
    screen.OnDialog(L"", {Act::Cancel()});
    screen.AnswerBoxAfter(1000, IDOK);
    Sim().FireTrackerMessage(trackersim::MessageKind::Error, L"Beam", L"interrupted", 7);
    Plugin().StartProbeMeasure();
    Sim().PlayScenario(20);
    records.clear();
    ASSERT_TRUE(platform::Click(platform::FindControl(sheet, IDC_REFLECTOR_ADD)));
    Sim().StopScenario();
    Plugin().StopProbeMeasure();
    ASSERT_EQ(screen.Boxes().size(), 1u);
    EXPECT_FALSE(screen.Boxes()[0].defaulted);
    EXPECT_EQ(screen.Boxes()[0].answer, IDOK);
    EXPECT_GE(records.size(), 10u) << "target positions while the box was open";
    EXPECT_TRUE(screen.Failures().empty());
    EXPECT_EQ(VisibleWindowsOfThread(), 1) << "only the sheet is left";
}

// (A GDI object leaked per image would outlive the sheet and count here.)
TEST_F(RealWindowsTest, UnloadingWithTheSheetShownLeavesNothingBehind) {
    const long gdiBefore = platform::LiveGdiObjectCount();
    HWND sheet = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartCamera(sheet));
    platform::RunMessagesFor(500);
    Unload();
    platform::PumpMessages();
    EXPECT_FALSE(IsWindow(sheet));
    EXPECT_EQ(VisibleWindowsOfThread(), 0);
    EXPECT_EQ(platform::LiveGdiObjectCount(), gdiBefore);
    EXPECT_EQ(platform::PendingTimerCount(), 0u);
}

// Live images replace the shown copy's pixels in place and reach the screen
// in one blit: the control keeps its bitmap (no erase and repaint per image)
// and its pixels on the screen are the latest image's, the spot at the centre.
TEST_F(RealWindowsTest, LiveImagesReplaceThePictureInPlace) {
    HWND sheet = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartCamera(sheet));
    HWND picture = platform::FindControl(sheet, IDC_OVC_IMAGE);
    platform::RunMessagesFor(500);
    const LRESULT first = SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0);
    ASSERT_NE(first, 0);
    trackersim::CameraState camera{};
    Sim().GetCamera(&camera);
    const uint32_t frames = camera.frames;
    platform::RunMessagesFor(500);
    Sim().GetCamera(&camera);
    ASSERT_GT(camera.frames, frames + 3);
    EXPECT_EQ(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), first);
    platform::PictureImage shown;
    ASSERT_TRUE(platform::GetPictureImage(picture, shown));
    ASSERT_EQ(shown.width, 640);
    std::vector<BYTE> bmp(Sim().LastCameraImage(nullptr, 0));
    Sim().LastCameraImage(bmp.data(), static_cast<uint32_t>(bmp.size()));
    int wrong = 0;
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 5) {
            const BYTE* p = &bmp[54 + (479 - y) * 640 * 3 + x * 3];
            wrong += shown.At(x, y) != ((uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0]);
        }
    EXPECT_EQ(wrong, 0);
    platform::PictureImage screenPixels;
    ASSERT_TRUE(platform::CaptureWindowImage(picture, screenPixels));
    EXPECT_EQ(screenPixels.At(screenPixels.width / 2, screenPixels.height / 2), 0xFFFFFFu);
}

TEST_F(RealWindowsTest, ATimerMessageAfterItsDialogEndedReachesNothing) {
    screen.OnDialog(L"Connect",
                    {Act::Check(IDC_CONNECT_AUTO_APPLY), Act::Wait(1500), Act::Cancel()});
    EXPECT_EQ(Plugin().Open(nullptr), 0);
    ASSERT_FALSE(screen.Dialogs().empty());
    HWND gone = screen.Dialogs().front().shown.hwnd;
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(SendMessageW(gone, WM_TIMER, 1, 0), 0);
    platform::RunMessagesFor(5000); // the countdown's timer died with the dialog
    EXPECT_EQ(platform::PendingTimerCount(), 0u);
}

} // namespace
