#include "toolsheet/page_support.h"

#include "plugin/device_trace.h"

CString LibraryErrorText(const ComError& error) {
    if (!error.Description().empty())
        return CString(error.Description().c_str(), static_cast<int>(error.Description().size()));
    CString text;
    switch (error.Error()) {
    case E_POINTER:
        text = TEXT("Invalid pointer");
        break;
    case E_OUTOFMEMORY:
        text = TEXT("Not enough memory resources are available to complete this operation.");
        break;
    default:
        text.Format(TEXT("Unknown error 0x%08X"), static_cast<unsigned int>(error.Error()));
        break;
    }
    return text;
}

void ShowLibraryError(const ComError& error) {
    QNTRACE("library failure shown: %s", DescribeFailure(error).c_str());
    AfxMessageBox(LibraryErrorText(error), MB_OK);
}

CString ControlText(const CWnd& control) {
    CString text;
    if (control.GetSafeHwnd())
        control.GetWindowText(text);
    return text;
}

CString TextOf(const ComBstr& text) {
    return text.Get() ? CString(text.Get(), static_cast<int>(text.Length())) : CString();
}

ComBstr LibraryString(LPCWSTR text) {
    ComBstr result(text);
    if (text && !result.Get())
        throw ComError(E_OUTOFMEMORY, {});
    return result;
}
