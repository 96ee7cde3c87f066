// What each of our in-process COM servers shares: the COM side of its class
// factory, the checks of DllGetClassObject, and DllRegisterServer's finding
// of the server's own file. All inline, so that each server module has its
// own copy (a class factory's code must live in the module it keeps loaded).
#pragma once

#include "com.h"

#include "../base/text.h"
#include "../module/module.h"
#include "../module/server_file.h"

#include <atomic>
#include <functional>

namespace platform {

// A class factory for one class: the server gives the creation and what a
// server lock does.
class ServerClassFactory : public IClassFactory {
public:
    ServerClassFactory(const ServerClassFactory&) = delete;
    ServerClassFactory& operator=(const ServerClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) final {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return E_NOINTERFACE;
        AddRef();
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() final { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() final {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) final {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return Create(riid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) final { return Lock(lock != FALSE); }

protected:
    ServerClassFactory() = default;
    virtual ~ServerClassFactory() = default;
    // `out` is non-null and cleared; no outer object was given.
    virtual HRESULT Create(REFIID riid, void** out) = 0;
    virtual HRESULT Lock(bool lock) = 0;

private:
    std::atomic<ULONG> m_refs{1};
};

// DllGetClassObject of a server of the class `served`: checks the request and
// hands out the factory `make` gives (with its first reference), or the
// failure `make` returns.
inline HRESULT GetServerClassObject(REFCLSID asked, REFCLSID served, REFIID riid, void** out,
                                    const std::function<HRESULT(ServerClassFactory*&)>& make) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (asked != served)
        return CLASS_E_CLASSNOTAVAILABLE;
    ServerClassFactory* factory = nullptr;
    const HRESULT hr = make(factory);
    if (FAILED(hr) || !factory)
        return FAILED(hr) ? hr : E_UNEXPECTED;
    const HRESULT answer = factory->QueryInterface(riid, out);
    factory->Release();
    return answer;
}

// A Win32 error code as a result (ERROR_SUCCESS: S_OK).
inline HRESULT ResultFromWin32(LONG rc) {
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

// DllRegisterServer: `write` registers the server's file (the module that
// calls this); E_UNEXPECTED when the file cannot be found.
inline HRESULT RegisterServerFile(const std::function<LONG(const WideString& file)>& write) {
    const WideString file = ServerFileOf(ThisModule());
    return file.empty() ? E_UNEXPECTED : ResultFromWin32(write(file));
}

} // namespace platform
