// IDispatch's type-information members for an object that offers none, as
// the recorder's event sinks and the replay's objects are.
#pragma once

#include "../platform/com/com.h"

namespace trackerrec {

template <class Base> class WithoutTypeInfo : public Base {
public:
    using Base::Base;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count)
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
};

} // namespace trackerrec
