// Dispatch and interface tables of automation objects, in the shape of MFC's
// dispatch maps: each entry has a name, the COM types of its parameters and a
// handler; its dispatch number is its position in the table, counted from 1.
#pragma once

#include "com.h"

#include <cstddef>
#include <utility>

class CCmdTarget;

// Parameter type strings: one VARTYPE per byte, as MFC writes them.
#define VTS_I4 "\x03"
#define VTS_R8 "\x05"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_NONE ""

struct AFX_DISPMAP_ENTRY {
    const WCHAR* name;
    VARTYPE returnType;         // VT_EMPTY: no result
    const char* parameterTypes; // VTS_ string
    // Runs the handler with arguments already converted to parameterTypes,
    // in declaration order.
    void (*call)(CCmdTarget* target, VARIANT* arguments);
};

struct AFX_DISPMAP {
    const AFX_DISPMAP_ENTRY* entries;
    size_t count;
};

struct AFX_INTERFACEMAP {
    const IID* const* interfaces;
    size_t count;
};

namespace afx_detail {

template <class T> struct DispArgument;
template <> struct DispArgument<IDispatch*> {
    static constexpr VARTYPE type = VT_DISPATCH;
    static IDispatch* From(VARIANT& v) { return v.pdispVal; }
};
template <> struct DispArgument<LONG> {
    static constexpr VARTYPE type = VT_I4;
    static LONG From(VARIANT& v) { return v.lVal; }
};
template <> struct DispArgument<double> {
    static constexpr VARTYPE type = VT_R8;
    static double From(VARIANT& v) { return v.dblVal; }
};
template <> struct DispArgument<VARIANT_BOOL> {
    static constexpr VARTYPE type = VT_BOOL;
    static VARIANT_BOOL From(VARIANT& v) { return v.boolVal; }
};
template <> struct DispArgument<const VARIANT&> {
    static constexpr VARTYPE type = VT_VARIANT;
    static const VARIANT& From(VARIANT& v) { return v; }
};

template <auto Method> struct DispThunk;
template <class C, class... A, void (C::*Method)(A...)> struct DispThunk<Method> {
    static void Call(CCmdTarget* target, VARIANT* arguments) {
        CallWith(static_cast<C*>(target), arguments, std::index_sequence_for<A...>{});
    }
    // The parameter types the handler's signature implies, for checking the
    // entry's VTS string.
    static constexpr VARTYPE types[sizeof...(A) + 1] = {DispArgument<A>::type..., VT_EMPTY};
    static constexpr size_t arity = sizeof...(A);

private:
    template <size_t... I>
    static void CallWith(C* target, VARIANT* arguments, std::index_sequence<I...>) {
        (target->*Method)(DispArgument<A>::From(arguments[I])...);
    }
};

// True when a VTS string lists exactly the handler's parameter types.
template <auto Method> constexpr bool MatchesSignature(const char* vts) {
    using Thunk = DispThunk<Method>;
    size_t i = 0;
    for (; vts[i]; ++i)
        if (i >= Thunk::arity || static_cast<VARTYPE>(vts[i]) != Thunk::types[i])
            return false;
    return i == Thunk::arity;
}

} // namespace afx_detail

#define DECLARE_DISPATCH_MAP()                                                                     \
protected:                                                                                         \
    const AFX_DISPMAP* GetDispatchMap() const override;

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                                    \
    const AFX_DISPMAP* theClass::GetDispatchMap() const {                                          \
        using ThisClass = theClass;                                                                \
        static const AFX_DISPMAP_ENTRY entries[] = {
// Each entry's VTS string is checked against the handler's signature at compile time.
#define DISP_FUNCTION(theClass, name, method, returnType, vtsParams)                               \
    {TEXT(name), returnType, vtsParams, [] {                                                       \
         static_assert(afx_detail::MatchesSignature<&ThisClass::method>(vtsParams),                \
                       "parameter types of " name);                                                \
         return &afx_detail::DispThunk<&ThisClass::method>::Call;                                  \
     }()},

#define END_DISPATCH_MAP()                                                                         \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_DISPMAP map = {entries, sizeof entries / sizeof entries[0]};                  \
    return &map;                                                                                   \
    }

#define DECLARE_INTERFACE_MAP()                                                                    \
protected:                                                                                         \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                                   \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const {                                    \
        static const IID* const interfaces[] = {
// Every listed interface is served by the object's one dispatch implementation.
#define INTERFACE_PART(theClass, iid, localClass) &iid,
#define END_INTERFACE_MAP()                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_INTERFACEMAP map = {interfaces, sizeof interfaces / sizeof interfaces[0]};    \
    return &map;                                                                                   \
    }

// Run-time class information and message maps carry nothing here; the macros
// keep class declarations in their familiar shape.
#define DECLARE_DYNAMIC(theClass)
#define IMPLEMENT_DYNAMIC(theClass, baseClass)
#define DECLARE_MESSAGE_MAP()
