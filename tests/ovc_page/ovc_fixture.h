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
#include <vector>

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

// The last image the simulator fired, a 24-bit BMP file, bottom row first.
struct FiredImage {
    std::vector<BYTE> bmp;
    uint32_t At(int x, int y) const {
        const int width = bmp[18] | bmp[19] << 8, height = bmp[22] | bmp[23] << 8;
        const BYTE* p = &bmp[54 + static_cast<size_t>(height - 1 - y) * width * 3 + x * 3];
        return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
};
inline FiredImage LastFired(trackersim::SimControl& sim) {
    FiredImage image;
    image.bmp.resize(sim.LastCameraImage(nullptr, 0));
    sim.LastCameraImage(image.bmp.data(), static_cast<uint32_t>(image.bmp.size()));
    return image;
}
