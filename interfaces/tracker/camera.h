// The overview camera.
#pragma once

#include "../../platform/com/com.h"

namespace tracker {

struct OverviewCameraOptions : IDispatch {
    static constexpr IID iid = {0x0A65F021, 0x5B18, 0x491A, {0x89, 0x56, 0x8E, 0x8B, 0xAB, 0x91, 0xB3, 0xF1}};
    virtual HRESULT STDMETHODCALLTYPE get_Switch1(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Switch1(LONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Switch2(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Switch2(LONG value) = 0;
};

struct OverviewCamera : IDispatch {
    static constexpr IID iid = {0xE3C0925A, 0xB15C, 0x476D, {0x94, 0xDF, 0x5B, 0xFB, 0xA6, 0x27, 0xD9, 0x6A}};
    virtual HRESULT STDMETHODCALLTYPE get_Switch1(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Switch1(LONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Switch2(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Switch2(LONG value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Options(OverviewCameraOptions** options) = 0;
};

// The library's own camera dialog.
struct OverviewCameraDialog : IDispatch {
    static constexpr IID iid = {0xF6BED749, 0xD531, 0x415C, {0x91, 0x54, 0xE1, 0x7B, 0x57, 0x17, 0x68, 0x36}};
    virtual HRESULT STDMETHODCALLTYPE Show() = 0;
};

// Live images: fires OverviewCameraEvents (ImageArrived: sender, the image as
// VT_BYREF | VT_ARRAY | VT_UI1 holding a BMP file, exception or null) while started.
struct OverviewCameraStream : IDispatch {
    static constexpr IID iid = {0xA798863D, 0x1582, 0x4217, {0x98, 0x9C, 0xC4, 0xEC, 0xF0, 0x00, 0xFA, 0x60}};
    virtual HRESULT STDMETHODCALLTYPE Start() = 0;
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Dialog(OverviewCameraDialog** dialog) = 0;
};

} // namespace tracker
