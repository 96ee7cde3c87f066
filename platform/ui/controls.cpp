#include "afxwin.h"

#include <string>

void CComboBox::GetLBText(int index, CString& text) const {
    const int length = GetLBTextLen(index);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::basic_string<WCHAR> buffer(static_cast<size_t>(length) + 1, TEXT('\0'));
    GetLBText(index, buffer.data());
    text = CString(buffer.c_str(), length);
}
