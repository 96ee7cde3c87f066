// Case-insensitive comparison of UTF-16 text, as the window manager's sorted
// lists and exact searches and CString::CompareNoCase use it.
#pragma once

#include "../base/text.h"

namespace platform::ui {

// Lower-case form of a character: ASCII, Latin-1 and Latin Extended-A letters.
WCHAR FoldCase(WCHAR c);
// <0, 0, >0 like wcscmp after folding both sides.
int CompareNoCase(WideView a, WideView b);

} // namespace platform::ui
