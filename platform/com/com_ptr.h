// ComPtr: one owned COM reference, released on scope exit. The interface's
// identifier comes from InterfaceId<T>: T::iid for the tracker library's
// interfaces, the SDK constants for the system ones.
#pragma once

#include "com.h"

#include <utility>

template <class T> struct InterfaceId {
    static const IID& Get() { return T::iid; }
};
template <> struct InterfaceId<IUnknown> {
    static const IID& Get() { return IID_IUnknown; }
};
template <> struct InterfaceId<IDispatch> {
    static const IID& Get() { return IID_IDispatch; }
};
template <> struct InterfaceId<IConnectionPoint> {
    static const IID& Get() { return IID_IConnectionPoint; }
};
template <> struct InterfaceId<IConnectionPointContainer> {
    static const IID& Get() { return IID_IConnectionPointContainer; }
};
template <> struct InterfaceId<IErrorInfo> {
    static const IID& Get() { return IID_IErrorInfo; }
};
template <> struct InterfaceId<IClassFactory> {
    static const IID& Get() { return IID_IClassFactory; }
};
template <class T> const IID& IidOf() {
    return InterfaceId<T>::Get();
}

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Adds a reference to p.
    explicit ComPtr(T* p) : m_p(p) {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(const ComPtr& other) {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t) {
        Reset();
        return *this;
    }

    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) {
        ComPtr r;
        r.m_p = p;
        return r;
    }
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Reset() {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    void Swap(ComPtr& other) noexcept { std::swap(m_p, other.m_p); }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // Releases the current reference and hands out the slot for an out-parameter.
    T** Put() {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // QueryInterface for U; E_NOINTERFACE when the object does not offer it.
    template <class U> HRESULT As(ComPtr<U>& out) const {
        if (!m_p) {
            out.Reset();
            return E_POINTER;
        }
        return m_p->QueryInterface(IidOf<U>(), out.PutVoid());
    }

private:
    T* m_p = nullptr;
};

// COM identity: two references denote the same object when their IUnknowns match.
template <class A, class B> bool IsSameComObject(A* a, B* b) {
    if (!a || !b)
        return a == nullptr && b == nullptr;
    ComPtr<IUnknown> ua, ub;
    if (FAILED(a->QueryInterface(IID_IUnknown, ua.PutVoid())) ||
        FAILED(b->QueryInterface(IID_IUnknown, ub.PutVoid())))
        return false;
    return ua.Get() == ub.Get();
}
