#include "camera.h"

#include "camera_scene.h"

#include "connection_points.h"
#include "hardware.h"
#include "loop_timer.h"
#include "positioning.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace trackersim {
namespace {

Camera& TheCamera() {
    return TheHardware().camera;
}

HRESULT Put(platform::WideView operation, LONG& cell, LONG value) {
    if (HRESULT hr = Enter(operation); FAILED(hr))
        return hr;
    cell = value;
    return S_OK;
}

class OptionsObject final : public ComObject<tracker::OverviewCameraOptions> {
public:
    OptionsObject() : ComObject(TEXT("OverviewCameraOptions")) {}
    HRESULT STDMETHODCALLTYPE get_Switch1(LONG* value) override {
        return GiveValue(TEXT("OverviewCameraOptions.get_Switch1"), TheCamera().optionSwitch1,
                         value);
    }
    HRESULT STDMETHODCALLTYPE put_Switch1(LONG value) override {
        return Put(TEXT("OverviewCameraOptions.put_Switch1"), TheCamera().optionSwitch1, value);
    }
    HRESULT STDMETHODCALLTYPE get_Switch2(LONG* value) override {
        return GiveValue(TEXT("OverviewCameraOptions.get_Switch2"), TheCamera().optionSwitch2,
                         value);
    }
    HRESULT STDMETHODCALLTYPE put_Switch2(LONG value) override {
        return Put(TEXT("OverviewCameraOptions.put_Switch2"), TheCamera().optionSwitch2, value);
    }
};

// The two 32-bit switches are kept in the hardware, where tests read them.
class OverviewCameraObject final : public ComObject<tracker::OverviewCamera> {
public:
    OverviewCameraObject() : ComObject(TEXT("OverviewCamera")), m_options(Make<OptionsObject>()) {}
    HRESULT STDMETHODCALLTYPE get_Switch1(LONG* value) override {
        return GiveValue(TEXT("OverviewCamera.get_Switch1"), TheCamera().switch1, value);
    }
    HRESULT STDMETHODCALLTYPE put_Switch1(LONG value) override {
        return Put(TEXT("OverviewCamera.put_Switch1"), TheCamera().switch1, value);
    }
    HRESULT STDMETHODCALLTYPE get_Switch2(LONG* value) override {
        return GiveValue(TEXT("OverviewCamera.get_Switch2"), TheCamera().switch2, value);
    }
    HRESULT STDMETHODCALLTYPE put_Switch2(LONG value) override {
        return Put(TEXT("OverviewCamera.put_Switch2"), TheCamera().switch2, value);
    }
    HRESULT STDMETHODCALLTYPE get_Options(tracker::OverviewCameraOptions** options) override {
        return GiveObject<tracker::OverviewCameraOptions>(TEXT("OverviewCamera.get_Options"),
                                                          m_options.Get(), options);
    }

private:
    ComPtr<OptionsObject> m_options;
};

class DialogObject final : public ComObject<tracker::OverviewCameraDialog> {
public:
    DialogObject() : ComObject(TEXT("OverviewCameraDialog")) {}
    HRESULT STDMETHODCALLTYPE Show() override {
        if (HRESULT hr = Enter(TEXT("OverviewCameraDialog.Show")); FAILED(hr))
            return hr;
        ++TheCamera().dialogShown;
        return S_OK;
    }
};

// The image's bytes in a safe array, lent to the sinks by reference.
struct ImageArray {
    explicit ImageArray(const std::vector<BYTE>& bytes)
        : array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()))) {
        void* data = nullptr;
        if (array && SUCCEEDED(SafeArrayAccessData(array, &data))) {
            std::copy(bytes.begin(), bytes.end(), static_cast<BYTE*>(data));
            SafeArrayUnaccessData(array);
        }
    }
    ~ImageArray() { SafeArrayDestroy(array); }
    ImageArray(const ImageArray&) = delete;
    ImageArray& operator=(const ImageArray&) = delete;
    SAFEARRAY* array;
};

LoopTimer& StreamTimer() {
    static LoopTimer timer;
    return timer;
}

// One picture of the scene as the head points now.
void ImageTick() {
    UpdateHead();
    const Head& head = TheHardware().head;
    Camera& camera = TheCamera();
    camera.lastImage = RenderCameraImage(head.angle1, head.angle2, camera.frames++);
    int x = -1, y = -1;
    SpotInPicture(head.angle1, head.angle2, x, y);
    camera.spotX = x;
    camera.spotY = y;
    auto image = std::make_shared<ImageArray>(camera.lastImage);
    DeliverEvent(tracker::IID_OverviewCameraEvents, tracker::DISPID_ImageArrived,
                 [image](IDispatch& sender) {
                     ComVariant bytes;
                     bytes.vt = static_cast<VARTYPE>(VT_BYREF | VT_ARRAY | VT_UI1);
                     bytes.byref = &image->array;
                     return std::vector<ComVariant>{ComVariant::FromDispatch(&sender), bytes,
                                                    ComVariant::FromDispatch(nullptr)};
                 });
}

class StreamObject final : public EventSource<tracker::OverviewCameraStream> {
public:
    StreamObject()
        : EventSource(TEXT("OverviewCameraStream"), {tracker::IID_OverviewCameraEvents}),
          m_dialog(Make<DialogObject>()) {}
    HRESULT STDMETHODCALLTYPE Start() override {
        if (HRESULT hr = Enter(TEXT("OverviewCameraStream.Start")); FAILED(hr))
            return hr;
        const double hz = TheCamera().imageHz > 0 ? TheCamera().imageHz : 1.0;
        StreamTimer().Start(static_cast<uint32_t>(std::max(1.0, std::round(1000.0 / hz))),
                            ImageTick);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Stop() override {
        if (HRESULT hr = Enter(TEXT("OverviewCameraStream.Stop")); FAILED(hr))
            return hr;
        StopCameraStream();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Dialog(tracker::OverviewCameraDialog** dialog) override {
        return GiveObject<tracker::OverviewCameraDialog>(TEXT("OverviewCameraStream.get_Dialog"),
                                                         m_dialog.Get(), dialog);
    }

private:
    ComPtr<DialogObject> m_dialog;
};

} // namespace

ComPtr<tracker::OverviewCamera> CreateOverviewCamera() {
    return ComPtr<tracker::OverviewCamera>(Make<OverviewCameraObject>()->Self());
}

ComPtr<tracker::OverviewCameraStream> CreateCameraStream() {
    return ComPtr<tracker::OverviewCameraStream>(Make<StreamObject>()->Self());
}

bool CameraStreaming() {
    return StreamTimer().Running();
}

void StopCameraStream() {
    StreamTimer().Stop();
}

} // namespace trackersim
