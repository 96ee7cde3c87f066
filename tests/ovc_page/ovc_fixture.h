// A device connected to the simulated tracker with its tool sheet built and
// shown, a scripted screen in front of it, and the camera page at hand.
#pragma once

#include "platform/ui/message_loop.h"
#include "platform/ui/picture_image.h"
#include "platform/ui/screen_input.h"
#include "platform/ui/scripted_screen.h"
#include "tests/support/device_fixture.h"
#include "toolsheet/CSampleSheet.h"
#include "toolsheet/WCPropPageOVC.h"

#include <memory>

class OvcPageTest : public simtest::SheetDeviceTest {
protected:
    void SetUp() override {
        SheetDeviceTest::SetUp();
        m_gdiObjects = platform::LiveGdiObjectCount();
    }
    void TearDown() override {
        CloseDevice();
        EXPECT_EQ(platform::LiveGdiObjectCount(), m_gdiObjects) << "a GDI object was leaked";
        SheetDeviceTest::TearDown();
    }

    void OpenTab() { device->m_toolSheet->SetActivePage(device->m_ovcPage.get()); }

    WCPropPageOVC& Page() { return *device->m_ovcPage; }
    HWND Control(int id) { return ::GetDlgItem(Page().GetSafeHwnd(), id); }
    bool Click(int id) { return platform::Click(Control(id)); }
    // What the picture control shows; an empty image when nothing.
    platform::PictureImage Shown() {
        platform::PictureImage image;
        platform::GetPictureImage(Control(IDC_OVC_IMAGE), image);
        return image;
    }
    trackersim::CameraState Camera() {
        trackersim::CameraState state{};
        Sim().GetCamera(&state);
        return state;
    }
    // The camera stream as anyone may drive it, past the page.
    ComPtr<tracker::OverviewCameraStream> Stream() {
        ComPtr<tracker::OverviewCameraStream> stream;
        device->m_tracker->get_OverviewCameraStream(stream.Put());
        return stream;
    }

private:
    long m_gdiObjects = 0;
};

// The simulator's test pattern, frame `frame`, at (x, y) counted from the top:
// blue = 8 x + frame, green = 10 * (row counted from the bottom), red = 16 frame.
inline uint32_t TestPattern(uint32_t frame, int x, int y) {
    const uint32_t blue = (x * 8 + frame) & 0xFF;
    const uint32_t green = ((23 - y) * 10) & 0xFF;
    const uint32_t red = (frame * 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}
