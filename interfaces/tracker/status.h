// The tracker's own messages: errors, warnings and information notices.
#pragma once

#include "../../platform/com/com.h"

namespace tracker {

struct TrackerMessage : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Text1(BSTR* text) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Text2(BSTR* text) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Number(LONG* number) = 0;
};

struct TrackerError : TrackerMessage {
    static constexpr IID iid = {0x24AAD72A, 0x09EB, 0x4E25, {0x9A, 0x22, 0x25, 0xA8, 0x5D, 0x0F, 0x8F, 0x64}};
};
struct TrackerWarning : TrackerMessage {
    static constexpr IID iid = {0x7320C213, 0xDE8D, 0x4EDD, {0x9F, 0x2F, 0x8A, 0xF9, 0xCF, 0xBA, 0xD9, 0x8A}};
};
struct TrackerInformation : TrackerMessage {
    static constexpr IID iid = {0x36545FC1, 0xECD8, 0x445B, {0xBF, 0x03, 0xAA, 0x39, 0x9B, 0x56, 0x94, 0xE0}};
};

} // namespace tracker
