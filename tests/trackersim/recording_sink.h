// An event sink for the simulator's tests: an IDispatch that records every
// Invoke (dispatch number and arguments in declaration order). It answers
// every event interface except those in `refused`.
#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/variant.h"

#include <functional>
#include <vector>

struct RecordedCall {
    DISPID dispid;
    WORD flags;
    std::vector<ComVariant> args; // in declaration order
};

class RecordingSink final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        for (const IID& iid : refused)
            if (riid == iid)
                return E_NOINTERFACE;
        AddRef();
        *out = static_cast<IDispatch*>(this);
        return S_OK;
    }
    // Lives on the test's stack: the count is only observed.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO*, UINT*) override {
        RecordedCall call{dispid, flags, {}};
        for (UINT i = params->cArgs; i-- > 0;) {
            ComVariant copy;
            VariantCopy(&copy, &params->rgvarg[i]);
            call.args.push_back(copy);
        }
        calls.push_back(call);
        if (onInvoke)
            onInvoke(calls.back());
        return S_OK;
    }

    // The argument as an interface (asked for by QueryInterface).
    template <class T> ComPtr<T> Arg(size_t call, size_t index) const {
        ComPtr<T> out;
        const VARIANT& v = calls.at(call).args.at(index);
        if (v.vt == VT_DISPATCH && v.pdispVal)
            v.pdispVal->QueryInterface(IidOf<T>(), out.PutVoid());
        return out;
    }

    ULONG refs = 0;
    std::vector<IID> refused;
    std::vector<RecordedCall> calls;
    std::function<void(const RecordedCall&)> onInvoke;
};
