// Live images of the overview camera: connected with the page's window, shown
// only while started, read back pixel for pixel, and without leaks.
#include "bmp_builder.h"
#include "ovc_fixture.h"

#include "platform/com/variant.h"
#include "plugin/WCOverViewCameraEventSink.h"
#include "plugin/sink_lifetime.h"
#include "toolsheet/WCPropPagePositioning.h"
#include "tests/support/heap_usage.h"

#include <vector>

namespace {

using tracker::IID_OverviewCameraEvents;

class OvcImagesTest : public OvcPageTest {
protected:
    void ExpectFrame(const platform::PictureImage& image, const FiredImage& fired) {
        ASSERT_EQ(image.width, 640);
        ASSERT_EQ(image.height, 480);
        int wrong = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                wrong += image.At(x, y) != fired.At(x, y);
        EXPECT_EQ(wrong, 0) << "pixels differ";
    }
};

// A disconnect ends the connection and keeps the running state and the last
// image; a connect makes it again.
TEST_F(OvcImagesTest, TheImageEventsAreConnectedOnceThePageHasItsWindow) {
    Open();
    EXPECT_EQ(Sim().LiveConnectionCount(IID_OverviewCameraEvents), 0);
    OpenTab();
    EXPECT_EQ(Sim().LiveConnectionCount(IID_OverviewCameraEvents), 1);
    ASSERT_TRUE(Click(IDC_OVC_START));
    platform::RunMessagesFor(200);
    ASSERT_TRUE(device->Disconnect());
    EXPECT_EQ(Sim().LiveConnectionCount(IID_OverviewCameraEvents), 0);
    EXPECT_EQ(Page().m_sink, nullptr);
    EXPECT_EQ(Page().m_picture, nullptr);
    EXPECT_TRUE(Page().m_running);
    EXPECT_EQ(Shown().width, 640);
    ASSERT_TRUE(Click(IDC_OVC_STOP)); // no camera: nothing happens
    EXPECT_TRUE(Page().m_running);
    EXPECT_TRUE(screen.Boxes().empty());
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_EQ(Sim().LiveConnectionCount(IID_OverviewCameraEvents), 1);
}

TEST_F(OvcImagesTest, ImagesBeforeStartAndAfterStopAreNotShown) {
    Open();
    OpenTab();
    ASSERT_EQ(Stream()->Start(), S_OK); // started past the page
    platform::RunMessagesFor(1000);
    ASSERT_GE(Camera().frames, 4u);
    EXPECT_EQ(Shown().width, 0);

    ASSERT_TRUE(Click(IDC_OVC_START));
    platform::RunMessagesFor(200);
    const uint32_t shownFrame = Camera().frames - 1;
    const FiredImage shownImage = LastFired(Sim());
    EXPECT_TRUE(Camera().streaming);
    ExpectFrame(Shown(), shownImage);
    platform::PictureImage last; // what a host would save
    ASSERT_TRUE(platform::LastPictureImage(last));
    ExpectFrame(last, shownImage);
    ASSERT_TRUE(Click(IDC_OVC_STOP));
    EXPECT_FALSE(Camera().streaming);
    ASSERT_EQ(Stream()->Start(), S_OK);
    platform::RunMessagesFor(1000);
    ASSERT_GT(Camera().frames, shownFrame + 4);
    ExpectFrame(Shown(), shownImage);
    ASSERT_EQ(Stream()->Stop(), S_OK);
}

TEST_F(OvcImagesTest, AThousandImagesLeaveGdiObjectsAndMemoryWhereTheyWere) {
    Open();
    OpenTab();
    Sim().SetImageRate(1000);
    ASSERT_TRUE(Click(IDC_OVC_START));
    platform::RunMessagesFor(20); // the first images allocate what stays
    const long gdi = platform::LiveGdiObjectCount();
    const size_t heap = simtest::HeapBytesInUse();
    const uint32_t first = Camera().frames;
    platform::RunMessagesFor(1000);
    ASSERT_GE(Camera().frames - first, 1000u);
    EXPECT_EQ(platform::LiveGdiObjectCount(), gdi);
    const size_t after = simtest::HeapBytesInUse();
    EXPECT_LT(after > heap ? after - heap : 0, 64u * 1024) << "heap grew with the images";
    ExpectFrame(Shown(), LastFired(Sim()));
    ASSERT_TRUE(Click(IDC_OVC_STOP));
}

// The reflector's spot in the shown picture follows the head when the
// Positioning page moves it ("Left" at the page's speed 20: 0.1 rad a second).
TEST_F(OvcImagesTest, TheSpotMovesWhenThePositioningPageMovesTheHead) {
    Open();
    OpenTab();
    ASSERT_TRUE(Click(IDC_OVC_START));
    platform::RunMessagesFor(200);
    EXPECT_EQ(Shown().At(320, 240), 0xFFFFFFu);
    WCPropPagePositioning& positioning = *device->m_positioningPage;
    device->m_toolSheet->SetActivePage(&positioning);
    ASSERT_TRUE(platform::Click(::GetDlgItem(positioning.GetSafeHwnd(), IDC_MOVE_LEFT)));
    platform::RunMessagesFor(1000);
    ASSERT_TRUE(platform::Click(::GetDlgItem(positioning.GetSafeHwnd(), IDC_MOVE_STOP)));
    platform::RunMessagesFor(200);
    const trackersim::CameraState camera = Camera();
    EXPECT_EQ(camera.spotX, 258);
    EXPECT_EQ(camera.spotY, 240);
    const platform::PictureImage shown = Shown();
    ASSERT_EQ(shown.width, 640);
    EXPECT_EQ(shown.At(258, 240), 0xFFFFFFu);
    EXPECT_NE(shown.At(320, 240), 0xFFFFFFu);
    OpenTab();
    ASSERT_TRUE(Click(IDC_OVC_STOP));
}

// ImageArrived as the library would call it, with any variant.
void Deliver(IDispatch* sink, VARIANT image) {
    VARIANT args[3]; // in reverse order: exception, image, sender
    args[0].vt = VT_DISPATCH;
    args[0].pdispVal = nullptr;
    args[1] = image;
    args[2].vt = VT_DISPATCH;
    args[2].pdispVal = nullptr;
    DISPPARAMS params{args, nullptr, 3, 0};
    sink->Invoke(tracker::DISPID_ImageArrived, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                 nullptr, nullptr);
}

TEST_F(OvcImagesTest, OnlyAByReferenceArrayOfBytesIsTakenAsAnImage) {
    Open();
    OpenTab();
    ASSERT_TRUE(Click(IDC_OVC_START));
    ASSERT_TRUE(Click(IDC_OVC_STOP)); // the page shows what comes; the camera stays off
    Page().m_running = TRUE;
    auto* sink = new WCOverViewCameraEventSink(device.get());
    ComPtr<IDispatch> dispatch = ComPtr<IDispatch>::Attach(sink->GetIDispatch(TRUE));

    // A 2 x 1 image of one red and one green pixel.
    BmpLayout layout;
    layout.width = 2;
    layout.pixel = [](int x, int) { return x ? 0x00FF00u : 0xFF0000u; };
    const std::vector<uint8_t> file = MakeBmp(layout);
    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(file.size()));
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(bytes, &data), S_OK);
    std::copy(file.begin(), file.end(), static_cast<BYTE*>(data));
    SafeArrayUnaccessData(bytes);

    VARIANT wrong{};
    wrong.vt = VT_ARRAY | VT_UI1; // the array itself, not by reference
    wrong.parray = bytes;
    Deliver(dispatch.Get(), wrong);
    wrong.vt = VT_I4;
    wrong.lVal = 7;
    Deliver(dispatch.Get(), wrong);
    SAFEARRAY* none = nullptr;
    wrong.vt = VT_BYREF | VT_ARRAY | VT_UI1;
    wrong.pparray = &none;
    Deliver(dispatch.Get(), wrong);
    EXPECT_EQ(Shown().width, 0);

    VARIANT image{};
    image.vt = VT_BYREF | VT_ARRAY | VT_UI1;
    image.pparray = &bytes;
    Deliver(dispatch.Get(), image);
    const platform::PictureImage shown = Shown();
    ASSERT_EQ(shown.width, 2);
    EXPECT_EQ(shown.At(0, 0), 0xFF0000u);
    EXPECT_EQ(shown.At(1, 0), 0x00FF00u);

    SafeArrayDestroy(bytes);
    dispatch.Reset();
    DestroySink(sink);
}

} // namespace
