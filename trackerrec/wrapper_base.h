// The COM side of a wrapper: reference counting, QueryInterface through the
// library's object, and IDispatch forwarded to it.
#pragma once

#include "wrap.h"

namespace trackerrec {

template <class I> class UnknownWrapperOf : public I, public WrapperCore {
public:
    static constexpr bool kValue = false; // WrapperFor tells for the library's interfaces
    UnknownWrapperOf(I* inner, int index, uint32_t id, bool adopt)
        : WrapperCore(inner, index, id),
          m_inner(adopt ? ComPtr<I>::Attach(inner) : ComPtr<I>(inner)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        return Query(m_inner.Get(), riid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    ComPtr<I> m_inner;
};

template <class I> class WrapperOf : public UnknownWrapperOf<I> {
public:
    using UnknownWrapperOf<I>::UnknownWrapperOf;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return this->m_inner->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return this->m_inner->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override {
        return this->m_inner->GetIDsOfNames(riid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        return this->m_inner->Invoke(id, riid, lcid, flags, params, result, exception, argError);
    }
};

// A wrapper of the library's interface I; a value object's wrapper keeps
// its reads (I has kMembers members).
template <class I, bool kIsValue, int kMembers> class WrapperFor : public WrapperOf<I> {
public:
    using WrapperOf<I>::WrapperOf;
};
// A value object's wrapper. Dozens come and go with every measurement: one
// the module let go is not freed but kept, whole, for the next value object
// of its interface (up to kPooled of them), so neither its making nor its
// freeing is repeated.
template <class I, int kMembers> class WrapperFor<I, true, kMembers> : public WrapperOf<I> {
public:
    static constexpr bool kValue = true;
    using WrapperOf<I>::WrapperOf;
    ValueReads<kMembers> reads;

    // Most releases only count down (the module lets go of a read it made
    // again): the last one's work is out of line, so theirs is a few
    // instructions.
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --this->m_refs;
        if (left == 0)
            Recycle();
        return left;
    }
    // A kept wrapper made the wrapper of `inner`, or null when none is kept.
    static WrapperFor* Reuse(I* inner, uint32_t id, bool adopt) {
        WrapperFor* wrapper = s_pooled;
        if (!wrapper)
            return nullptr;
        s_pooled = wrapper->m_nextPooled;
        --s_pooledCount;
        wrapper->Revive(inner, id);
        wrapper->m_inner = adopt ? ComPtr<I>::Attach(inner) : ComPtr<I>(inner);
        return wrapper;
    }

private:
    // Keeps the wrapper for the next value object, or frees it.
    [[gnu::noinline]] void Recycle() {
        if (s_pooledCount >= kPooled) {
            delete this;
            return;
        }
        reads.Clear();
        this->m_inner.Reset();
        this->Retire();
        m_nextPooled = std::exchange(s_pooled, this);
        ++s_pooledCount;
    }

    static constexpr uint32_t kPooled = 1024;
    static inline WrapperFor* s_pooled = nullptr;
    static inline uint32_t s_pooledCount = 0;
    WrapperFor* m_nextPooled = nullptr;
};

// A new wrapper of W's interface, as IUnknown.
template <class W> IUnknown* Make(void* inner, uint32_t id, bool adopt) {
    using I = typename W::Interface;
    if constexpr (W::kValue)
        if (auto* reused = W::Reuse(static_cast<I*>(inner), id, adopt))
            return static_cast<I*>(static_cast<W*>(reused));
    auto* wrapper = new W(static_cast<I*>(inner), IndexOfType<I>(), id, adopt);
    static const bool remembered =
        (RememberWrapperClass(static_cast<I*>(wrapper), static_cast<WrapperCore*>(wrapper)), true);
    (void)remembered;
    return static_cast<I*>(wrapper);
}

} // namespace trackerrec
