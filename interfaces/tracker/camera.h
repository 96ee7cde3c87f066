// The overview camera.
#pragma once

#include "../../platform/com/com.h"

namespace tracker {

struct OverviewCamera : IDispatch {
    static constexpr IID iid = {0xE3C0925A, 0xB15C, 0x476D, {0x94, 0xDF, 0x5B, 0xFB, 0xA6, 0x27, 0xD9, 0x6A}};
    virtual HRESULT STDMETHODCALLTYPE get_Switch1(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Switch1(LONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Switch2(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Switch2(LONG value) = 0;
};

} // namespace tracker
