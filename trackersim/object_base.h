// The base of every simulated library object: reference counting (the object
// deletes itself on its final Release), the live-object count, QueryInterface
// over the object's interfaces with the fault registry consulted for each
// query, and an IDispatch that the module never invokes (members are called
// directly).
#pragma once

#include "fault_injection.h"
#include "interface_names.h"
#include "module_state.h"

#include <string>
#include <utility>

namespace trackersim {

class ObjectBase {
public:
    ObjectBase(const ObjectBase&) = delete;
    ObjectBase& operator=(const ObjectBase&) = delete;

protected:
    explicit ObjectBase(platform::WideView className) : m_class(className) { ObjectCreated(); }
    virtual ~ObjectBase() { ObjectDestroyed(); }

    ULONG AddRefImpl() { return ++m_refs; }
    ULONG ReleaseImpl() {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    // Whether the object offers an interface it implements (facets vary per object).
    virtual bool Offers(REFIID) { return true; }

    // The query's fault check, then Offers.
    HRESULT CheckQuery(REFIID riid, platform::WideView interfaceName) {
        if (g_faultsQuiet)
            return Offers(riid) ? S_OK : E_NOINTERFACE;
        platform::WideString facet = m_class;
        facet += TEXT('.');
        facet += interfaceName;
        if (HRESULT hr = EnterQuery(facet); hr != S_OK)
            return hr;
        return Offers(riid) ? S_OK : E_NOINTERFACE;
    }

private:
    platform::WideString m_class;
    ULONG m_refs = 1;
};

template <class First, class... Rest> struct FirstOf { using Type = First; };

// Implements IUnknown, IDispatch and ISupportErrorInfo for an object with the
// given interfaces; the first is the primary one (its IUnknown and IDispatch).
template <class... Interfaces>
class ComObject : public ObjectBase, public Interfaces..., public ISupportErrorInfo {
public:
    using Primary = typename FirstOf<Interfaces...>::Type;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *out = Self();
            AddRef();
            return S_OK;
        }
        if (riid == IID_ISupportErrorInfo) {
            *out = static_cast<ISupportErrorInfo*>(this);
            AddRef();
            return S_OK;
        }
        void* found = nullptr;
        platform::WideView name;
        ((!found && Answers<Interfaces>(riid)
              ? (found = static_cast<Interfaces*>(this), name = kInterfaceName<Interfaces>, 0)
              : 0),
         ...);
        if (!found)
            return E_NOINTERFACE;
        if (HRESULT hr = CheckQuery(riid, name); hr != S_OK)
            return hr;
        AddRef();
        *out = found;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // Every failure of every interface sets error information.
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }

    // The object as its primary interface: what events pass as IDispatch.
    Primary* Self() { return static_cast<Primary*>(this); }

protected:
    explicit ComObject(platform::WideView className) : ObjectBase(className) {}
};

// A new object with its first reference owned by the result.
template <class T, class... Args> ComPtr<T> Make(Args&&... args) {
    return ComPtr<T>::Attach(new T(std::forward<Args>(args)...));
}

} // namespace trackersim
