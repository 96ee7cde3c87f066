// Per-thread error information, as set by a failing automation call.
#include "../com.h"

#include <atomic>

namespace {

class ErrorInfo final : public IErrorInfo, public ICreateErrorInfo {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IErrorInfo)
            *object = static_cast<IErrorInfo*>(this);
        else if (riid == IID_ICreateErrorInfo)
            *object = static_cast<ICreateErrorInfo*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override {
        if (!guid)
            return E_INVALIDARG;
        *guid = m_guid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR* source) override { return Copy(m_source, source); }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) override {
        return Copy(m_description, description);
    }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* helpFile) override {
        return Copy(m_helpFile, helpFile);
    }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* context) override {
        if (!context)
            return E_INVALIDARG;
        *context = m_helpContext;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) override {
        m_guid = guid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR source) override { return Set(m_source, source); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR text) override {
        return Set(m_description, text);
    }
    HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR file) override { return Set(m_helpFile, file); }
    HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD context) override {
        m_helpContext = context;
        return S_OK;
    }

private:
    ~ErrorInfo() {
        SysFreeString(m_source);
        SysFreeString(m_description);
        SysFreeString(m_helpFile);
    }
    static HRESULT Copy(BSTR from, BSTR* to) {
        if (!to)
            return E_INVALIDARG;
        *to = from ? SysAllocStringLen(from, SysStringLen(from)) : nullptr;
        return S_OK;
    }
    static HRESULT Set(BSTR& field, LPOLESTR text) {
        SysFreeString(field);
        field = SysAllocString(text);
        return S_OK;
    }

    std::atomic<ULONG> m_refs{1};
    GUID m_guid{};
    BSTR m_source = nullptr;
    BSTR m_description = nullptr;
    BSTR m_helpFile = nullptr;
    DWORD m_helpContext = 0;
};

// The platform library is loaded with the program, so its thread-local slot
// can use the initial-exec model (no lookup call on every access).
__attribute__((tls_model("initial-exec"))) thread_local IErrorInfo* t_errorInfo = nullptr;

} // namespace

extern "C" HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
    if (!info)
        return E_INVALIDARG;
    *info = new (std::nothrow) ErrorInfo;
    return *info ? S_OK : E_OUTOFMEMORY;
}

extern "C" HRESULT SetErrorInfo(ULONG, IErrorInfo* info) {
    if (!info && !t_errorInfo)
        return S_OK; // the common case: clearing what is already clear
    if (info)
        info->AddRef();
    if (t_errorInfo)
        t_errorInfo->Release();
    t_errorInfo = info;
    return S_OK;
}

extern "C" HRESULT GetErrorInfo(ULONG, IErrorInfo** info) {
    if (!info)
        return E_INVALIDARG;
    *info = t_errorInfo; // ownership moves to the caller; the slot is cleared
    t_errorInfo = nullptr;
    return *info ? S_OK : S_FALSE;
}
