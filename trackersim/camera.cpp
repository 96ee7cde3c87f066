#include "camera.h"

#include "connection_points.h"
#include "hardware.h"
#include "loop_timer.h"

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

void PutLe(std::vector<BYTE>& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// A 32 x 24 BMP file, 24 bits per pixel: a gradient that shifts with the frame.
std::vector<BYTE> MakeImage(uint32_t frame) {
    constexpr int kWidth = 32, kHeight = 24;
    constexpr uint32_t kRow = kWidth * 3; // a multiple of 4
    constexpr uint32_t kPixels = 14 + 40;
    std::vector<BYTE> bytes(kPixels + kRow * kHeight);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    PutLe(bytes, 10, kPixels, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, kWidth, 4);
    PutLe(bytes, 22, kHeight, 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            BYTE* pixel = &bytes[kPixels + y * kRow + x * 3];
            pixel[0] = static_cast<BYTE>(x * 8 + frame);
            pixel[1] = static_cast<BYTE>(y * 10);
            pixel[2] = static_cast<BYTE>(frame * 16);
        }
    }
    return bytes;
}

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

void ImageTick() {
    auto image = std::make_shared<ImageArray>(MakeImage(TheCamera().frames++));
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
