#include "text_compare.h"

namespace platform::ui {

WCHAR FoldCase(WCHAR c) {
    if (c >= TEXT('A') && c <= TEXT('Z'))
        return static_cast<WCHAR>(c + 32);
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<WCHAR>(c + 32);
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        // Latin Extended-A pairs upper/lower as even/odd, except in 0x139-0x148
        // and 0x179-0x17E where the upper case is odd.
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool isUpper = oddUpper ? (c % 2 == 1) : (c % 2 == 0);
        return isUpper ? static_cast<WCHAR>(c + 1) : c;
    }
    return c;
}

int CompareNoCase(WideView a, WideView b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const WCHAR x = FoldCase(a[i]);
        const WCHAR y = FoldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace platform::ui
