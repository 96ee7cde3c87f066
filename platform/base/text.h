// UTF-8 <-> UTF-16 conversion for the places that meet narrow text (file
// names, consoles, JSON). WCHAR is 16-bit on every target.
#pragma once

#include "wintypes.h"

#include <string>
#include <string_view>

namespace platform {

using WideString = std::basic_string<WCHAR>;
using WideView = std::basic_string_view<WCHAR>;

std::string Utf8FromWide(WideView text);
WideString WideFromUtf8(std::string_view text);
inline std::string Utf8FromWide(const WCHAR* text) {
    return text ? Utf8FromWide(WideView(text)) : std::string();
}

} // namespace platform
