#include "camera.h"

#include "hardware.h"
#include "object_base.h"

namespace trackersim {
namespace {

// The two 32-bit switches are kept in the hardware, where tests read them.
class OverviewCameraObject final : public ComObject<tracker::OverviewCamera> {
public:
    OverviewCameraObject() : ComObject(u"OverviewCamera") {}
    HRESULT STDMETHODCALLTYPE get_Switch1(LONG* value) override {
        return GiveValue(u"OverviewCamera.get_Switch1", TheHardware().cameraSwitch1, value);
    }
    HRESULT STDMETHODCALLTYPE put_Switch1(LONG value) override {
        return Put(u"OverviewCamera.put_Switch1", TheHardware().cameraSwitch1, value);
    }
    HRESULT STDMETHODCALLTYPE get_Switch2(LONG* value) override {
        return GiveValue(u"OverviewCamera.get_Switch2", TheHardware().cameraSwitch2, value);
    }
    HRESULT STDMETHODCALLTYPE put_Switch2(LONG value) override {
        return Put(u"OverviewCamera.put_Switch2", TheHardware().cameraSwitch2, value);
    }

private:
    static HRESULT Put(std::u16string_view operation, LONG& cell, LONG value) {
        if (HRESULT hr = Enter(operation); FAILED(hr))
            return hr;
        cell = value;
        return S_OK;
    }
};

} // namespace

ComPtr<tracker::OverviewCamera> CreateOverviewCamera() {
    return ComPtr<tracker::OverviewCamera>(Make<OverviewCameraObject>()->Self());
}

} // namespace trackersim
