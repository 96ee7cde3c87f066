// Message boxes are shown on the current screen, in a nested message loop.
#include "../screen.h"

extern "C" int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    return platform::RunMessageBox(text, caption, type);
}
