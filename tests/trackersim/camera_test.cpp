// The overview camera: pictures of a camera's size while the stream runs.
#include "tracker_fixture.h"

#include <cstring>

using namespace tracker;

class CameraTest : public TrackerTest {};

TEST_F(CameraTest, CameraStreamSendsBitmapsWhileStarted) {
    ComPtr<OverviewCameraStream> stream;
    ASSERT_EQ(tracker->get_OverviewCameraStream(stream.Put()), S_OK);
    RecordingSink& sink = NewSink();
    DWORD cookie = 0;
    ASSERT_EQ(Advise(stream.Get(), IID_OverviewCameraEvents, &sink, cookie), S_OK);
    std::vector<std::vector<BYTE>> images;
    sink.onInvoke = [&](const RecordedCall& call) {
        const VARIANT& v = call.args[1];
        ASSERT_EQ(v.vt, VT_BYREF | VT_ARRAY | VT_UI1);
        SAFEARRAY* array = *reinterpret_cast<SAFEARRAY**>(v.byref);
        LONG upper = -1;
        SafeArrayGetUBound(array, 1, &upper);
        void* data = nullptr;
        ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
        const BYTE* bytes = static_cast<const BYTE*>(data);
        images.emplace_back(bytes, bytes + upper + 1);
        SafeArrayUnaccessData(array);
    };
    Sim().SetImageRate(4.0);
    ASSERT_EQ(stream->Start(), S_OK);
    platform::RunMessagesFor(1000);
    ASSERT_EQ(images.size(), 4u);
    const std::vector<BYTE>& bmp = images[0];
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    uint32_t offset = 0, width = 0;
    std::memcpy(&offset, &bmp[10], 4);
    std::memcpy(&width, &bmp[18], 4);
    EXPECT_EQ(offset, 54u);
    EXPECT_EQ(width, 640u);
    ASSERT_EQ(bmp.size(), 54u + 640 * 480 * 3);
    EXPECT_NE(images[0], images[1]) << "frames differ";
    std::vector<BYTE> last(Sim().LastCameraImage(nullptr, 0));
    Sim().LastCameraImage(last.data(), static_cast<uint32_t>(last.size()));
    EXPECT_EQ(last, images.back());

    ASSERT_EQ(stream->Stop(), S_OK);
    platform::RunMessagesFor(1000);
    EXPECT_EQ(images.size(), 4u);

    ComPtr<OverviewCameraDialog> dialog;
    ASSERT_EQ(stream->get_Dialog(dialog.Put()), S_OK);
    EXPECT_EQ(dialog->Show(), S_OK);
    ComPtr<OverviewCamera> camera;
    ComPtr<OverviewCameraOptions> options;
    ASSERT_EQ(tracker->get_OverviewCamera(camera.Put()), S_OK);
    ASSERT_EQ(camera->get_Options(options.Put()), S_OK);
    EXPECT_EQ(options->put_Switch2(0), S_OK);
    trackersim::CameraState state{};
    Sim().GetCamera(&state);
    EXPECT_FALSE(state.streaming);
    EXPECT_EQ(state.dialogShown, 1);
    EXPECT_EQ(state.optionSwitch2, 0);
}
