// Reading the tracker library's properties: every failure raises ComError.
#pragma once

#include "interfaces/tracker.h"
#include "platform/com/com_error.h"
#include "platform/com/com_ptr.h"

// The facet T of object, or null when the object does not offer it
// (E_NOINTERFACE); any other failure raises.
template <class T, class O> ComPtr<T> QueryFacet(O* object) {
    ComPtr<T> facet;
    ThrowIfNull(object);
    const HRESULT hr = object->QueryInterface(IidOf<T>(), facet.PutVoid());
    if (hr == E_NOINTERFACE) {
        facet.Reset();
        return facet;
    }
    ThrowIfFailed(hr);
    return facet;
}

// An object-valued property; null when the library gives none.
template <class T, class O, class B>
ComPtr<T> Read(O* object, HRESULT (STDMETHODCALLTYPE B::*getter)(T**)) {
    ComPtr<T> value;
    ThrowIfNull(object);
    ThrowIfFailed((object->*getter)(value.Put()));
    return value;
}
template <class T, class O, class B>
ComPtr<T> Read(const ComPtr<O>& object, HRESULT (STDMETHODCALLTYPE B::*getter)(T**)) {
    return Read(object.Get(), getter);
}

// An object-valued property that must be there (E_POINTER otherwise).
template <class T, class O, class B>
ComPtr<T> Require(O* object, HRESULT (STDMETHODCALLTYPE B::*getter)(T**)) {
    ComPtr<T> value = Read(object, getter);
    ThrowIfNull(value);
    return value;
}
template <class T, class O, class B>
ComPtr<T> Require(const ComPtr<O>& object, HRESULT (STDMETHODCALLTYPE B::*getter)(T**)) {
    return Require(object.Get(), getter);
}

template <class V> double ValueOf(const ComPtr<V>& value) {
    double result = 0;
    ThrowIfNull(value);
    ThrowIfFailed(value->get_Value(&result));
    return result;
}

// Reads a direction's components into d; a component whose value object is
// missing stays as it was.
inline void ReadDirection(const ComPtr<tracker::Direction>& direction, double* d) {
    using tracker::Direction;
    if (Read(direction, &Direction::get_I))
        d[0] = ValueOf(Require(direction, &Direction::get_I));
    if (Read(direction, &Direction::get_J))
        d[1] = ValueOf(Require(direction, &Direction::get_J));
    if (Read(direction, &Direction::get_K))
        d[2] = ValueOf(Require(direction, &Direction::get_K));
}
