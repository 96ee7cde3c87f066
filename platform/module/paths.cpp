#include "module.h"

namespace platform {

std::string NativePathFromWindows(WideView path) {
    std::string utf8 = Utf8FromWide(path);
    if (utf8.size() >= 2 && utf8[1] == ':') {
        if (utf8[0] != 'Z' && utf8[0] != 'z')
            return {};
        utf8.erase(0, 2);
        if (utf8.empty())
            utf8 = "/";
    } else if (utf8.size() >= 2 && (utf8[0] == '\\' || utf8[0] == '/') &&
               (utf8[1] == '\\' || utf8[1] == '/')) {
        return {}; // network share
    }
    for (char& c : utf8)
        if (c == '\\')
            c = '/';
    return utf8;
}

WideString WindowsPathFromNative(std::string_view path) {
    std::string text(path);
    for (char& c : text)
        if (c == '/')
            c = '\\';
    if (!path.empty() && path.front() == '/')
        text = "Z:" + text;
    return WideFromUtf8(text);
}

} // namespace platform
