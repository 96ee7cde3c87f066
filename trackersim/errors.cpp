#include "errors.h"

#include "../platform/com/com_ptr.h"

#include <string>

namespace trackersim {

HRESULT ReportError(HRESULT hr, platform::WideView description, LONG number) {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Put())))
        return hr;
    platform::WideString text(description);
    platform::WideString source(TEXT("Tarn.Tracker.Connection"));
    create->SetDescription(text.data());
    create->SetSource(source.data());
    create->SetHelpContext(static_cast<DWORD>(number));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.PutVoid())))
        SetErrorInfo(0, info.Get());
    return hr;
}

} // namespace trackersim
