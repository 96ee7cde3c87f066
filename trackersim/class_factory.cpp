// The library's entry points for COM: the class factory of the connection
// class, and whether the library may be unloaded.
#include "connection.h"
#include "connection_points.h"
#include "exports.h"
#include "module_state.h"

#include "../interfaces/tracker/library_ids.h"

namespace trackersim {
namespace {

class ClassFactory final : public IClassFactory {
public:
    ClassFactory() { ObjectCreated(); }
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return E_NOINTERFACE;
        AddRef();
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return CreateConnection(riid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        trackersim::LockServer(lock != FALSE);
        return S_OK;
    }

private:
    ~ClassFactory() { ObjectDestroyed(); }
    ULONG m_refs = 1;
};

} // namespace
} // namespace trackersim

TRACKERSIM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != tracker::CLSID_TrackerConnection)
        return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new trackersim::ClassFactory;
    const HRESULT hr = factory->QueryInterface(riid, object);
    factory->Release();
    return hr;
}

TRACKERSIM_EXPORT HRESULT DllCanUnloadNow() {
    // Sinks held for a later release are released by this library's code.
    return trackersim::CanUnload() && trackersim::LateSinkCount() == 0 ? S_OK : S_FALSE;
}
