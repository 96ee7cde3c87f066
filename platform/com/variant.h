// ComVariant: a VARIANT cleared on scope exit.
#pragma once

#include "com.h"

class ComVariant : public VARIANT {
    // The SDK declares VariantCopy's source without const; it is not changed.
    static VARIANT* Source(const VARIANT& v) { return const_cast<VARIANT*>(&v); }

public:
    ComVariant() { VariantInit(this); }
    ComVariant(const ComVariant& other) {
        VariantInit(this);
        VariantCopy(this, Source(other));
    }
    ComVariant& operator=(const ComVariant& other) {
        if (this != &other)
            VariantCopy(this, Source(other));
        return *this;
    }
    ~ComVariant() { VariantClear(this); }

    static ComVariant FromLong(LONG value) {
        ComVariant v;
        v.vt = VT_I4;
        v.lVal = value;
        return v;
    }
    static ComVariant FromDouble(double value) {
        ComVariant v;
        v.vt = VT_R8;
        v.dblVal = value;
        return v;
    }
    static ComVariant FromBool(bool value) {
        ComVariant v;
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    // Adds a reference to the object.
    static ComVariant FromDispatch(IDispatch* object) {
        ComVariant v;
        v.vt = VT_DISPATCH;
        v.pdispVal = object;
        if (object)
            object->AddRef();
        return v;
    }
    static ComVariant FromString(const OLECHAR* text) {
        ComVariant v;
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(text);
        return v;
    }
    // Takes over the array.
    static ComVariant FromArray(VARTYPE elementType, SAFEARRAY* array) {
        ComVariant v;
        v.vt = static_cast<VARTYPE>(VT_ARRAY | elementType);
        v.parray = array;
        return v;
    }
    void Clear() { VariantClear(this); }
};
