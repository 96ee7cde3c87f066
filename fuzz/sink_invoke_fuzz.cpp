// Incoming automation calls on the plug-in's event sinks: any dispatch
// number, call kind and arguments (of any type, by value or by reference,
// objects that are not the library's) against each sink's dispatch table. The
// call returns a result, never crashes, and keeps no reference to its
// arguments.
#include "platform/com/cmdtarget.h"
#include "platform/com/com_ptr.h"
#include "plugin/CQWandDevice.h"
#include "plugin/WCInclinationEventSink.h"
#include "plugin/WCMeasurementEventSink.h"
#include "plugin/WCMeasurementStatusEventSink.h"
#include "plugin/WCOverViewCameraEventSink.h"
#include "plugin/WCPowerStatusEventSink.h"
#include "plugin/WCTargetCollectionEventSink.h"
#include "plugin/WCTrackerEventSink.h"
#include "plugin/WCTriggerCollectionEventSink.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

namespace {

// An object that is not the library's: it answers IUnknown and IDispatch
// only, and every call on it fails.
class Stranger final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

    ULONG references = 1;
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint64_t Bytes(size_t count) {
        uint64_t value = 0;
        for (size_t i = 0; i < count; ++i)
            value |= uint64_t{Byte()} << (8 * i);
        return value;
    }
    size_t Remaining() const { return m_size - m_pos; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Arguments and what they own; everything is released at the end.
class Arguments {
public:
    explicit Arguments(Stranger& stranger) : m_stranger(stranger) {}
    ~Arguments() {
        for (VARIANT& v : values)
            VariantClear(&v);
        for (VARIANT& v : referenced)
            VariantClear(&v);
        for (SAFEARRAY* array : arrays)
            SafeArrayDestroy(array);
        for (BSTR text : strings)
            SysFreeString(text);
    }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;

    void Add(Input& in, IDispatch* self) {
        VARIANT v;
        VariantInit(&v);
        Fill(in, self, v);
        values.push_back(v);
    }

    std::vector<VARIANT> values;

private:
    IDispatch* Object(Input& in, IDispatch* self) {
        switch (in.Byte() % 3) {
        case 0:
            return nullptr;
        case 1:
            m_stranger.AddRef();
            return &m_stranger;
        default:
            self->AddRef();
            return self;
        }
    }

    BSTR Text(Input& in) {
        const size_t length = in.Byte() % 32;
        std::vector<OLECHAR> text(length);
        for (OLECHAR& c : text)
            c = static_cast<OLECHAR>(in.Bytes(in.Byte() & 1 ? 2 : 1));
        return SysAllocStringLen(text.data(), static_cast<UINT>(length));
    }

    SAFEARRAY* Bytes(Input& in) {
        const ULONG count = static_cast<ULONG>(in.Bytes(2) % 4096);
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, static_cast<LONG>(in.Bytes(1)), count);
        void* data = nullptr;
        if (array && SUCCEEDED(SafeArrayAccessData(array, &data))) {
            for (ULONG i = 0; i < count; ++i)
                static_cast<BYTE*>(data)[i] = in.Byte();
            SafeArrayUnaccessData(array);
        }
        return array;
    }

    void Fill(Input& in, IDispatch* self, VARIANT& v) {
        const uint8_t kind = in.Byte();
        const uint64_t bits = in.Bytes(8);
        switch (kind % 20) {
        case 0:
            v.vt = VT_EMPTY;
            break;
        case 1:
            v.vt = VT_NULL;
            break;
        case 2:
            v.vt = VT_I2;
            v.iVal = static_cast<SHORT>(bits);
            break;
        case 3:
            v.vt = VT_I4;
            v.lVal = static_cast<LONG>(bits);
            break;
        case 4:
            v.vt = VT_R4;
            {
                const auto b = static_cast<uint32_t>(bits);
                std::memcpy(&v.fltVal, &b, 4);
            }
            break;
        case 5:
            v.vt = VT_R8;
            std::memcpy(&v.dblVal, &bits, 8);
            break;
        case 6:
            v.vt = VT_DATE;
            std::memcpy(&v.date, &bits, 8);
            break;
        case 7:
            v.vt = VT_BSTR;
            v.bstrVal = Text(in);
            break;
        case 8:
            v.vt = VT_DISPATCH;
            v.pdispVal = Object(in, self);
            break;
        case 9:
            v.vt = VT_UNKNOWN;
            v.punkVal = Object(in, self);
            break;
        case 10:
            v.vt = VT_ERROR;
            v.scode = static_cast<SCODE>(bits);
            break;
        case 11:
            v.vt = VT_BOOL;
            v.boolVal = static_cast<VARIANT_BOOL>(bits);
            break;
        case 12:
            v.vt = VT_UI1;
            v.bVal = static_cast<BYTE>(bits);
            break;
        case 13:
            v.vt = VT_I8;
            v.llVal = static_cast<LONGLONG>(bits);
            break;
        case 14:
            v.vt = VT_UI4;
            v.ulVal = static_cast<ULONG>(bits);
            break;
        case 15:
            v.vt = VT_ARRAY | VT_UI1;
            v.parray = Bytes(in);
            break;
        case 16: // the camera's image: an array of bytes held by reference
            arrays.push_back(Bytes(in));
            v.vt = VT_BYREF | VT_ARRAY | VT_UI1;
            v.pparray = &arrays.back();
            break;
        case 17: {
            referenced.emplace_back();
            VARIANT& inner = referenced.back();
            VariantInit(&inner);
            if (in.Remaining() > 0 && referenced.size() < 8)
                Fill(in, self, inner);
            v.vt = VT_BYREF | VT_VARIANT;
            v.pvarVal = &inner;
            break;
        }
        case 18:
            strings.push_back(Text(in));
            v.vt = VT_BYREF | VT_BSTR;
            v.pbstrVal = &strings.back();
            break;
        default: // a type no table takes
            v.vt = static_cast<VARTYPE>(VT_CY + (bits % 3) * (VT_UINT - VT_CY));
            v.llVal = 0;
            break;
        }
    }

    Stranger& m_stranger;
    // Referents of by-reference arguments; their addresses must stay put.
    std::deque<SAFEARRAY*> arrays;
    std::deque<VARIANT> referenced;
    std::deque<BSTR> strings;
};

// The sinks' owner: a device as loading the plug-in makes it, not connected.
CQWandDevice& Device() {
    static CQWandDevice device;
    return device;
}

CCmdTarget* MakeSink(uint8_t which) {
    CQWandDevice* owner = which & 0x80 ? nullptr : &Device();
    switch (which % 8) {
    case 0:
        return new WCTrackerEventSink;
    case 1:
        return new WCMeasurementEventSink(owner);
    case 2:
        return new WCMeasurementStatusEventSink(owner);
    case 3:
        return new WCTargetCollectionEventSink(owner);
    case 4:
        return new WCTriggerCollectionEventSink(owner);
    case 5:
        return new WCOverViewCameraEventSink(owner);
    case 6:
        return new WCPowerStatusEventSink(owner);
    default:
        return new WCInclinationEventSink(owner);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    Stranger stranger;
    {
        // The sink deletes itself when its last reference goes.
        ComPtr<IDispatch> sink =
            ComPtr<IDispatch>::Attach(MakeSink(in.Byte())->GetIDispatch(FALSE));
        const DISPID id = static_cast<DISPID>(in.Byte() % 8) - 1;
        const WORD flags = static_cast<WORD>(in.Byte() % 16);
        const UINT count = in.Byte() % 5;
        Arguments arguments(stranger);
        for (UINT i = 0; i < count; ++i)
            arguments.Add(in, sink.Get());
        std::vector<DISPID> named(in.Byte() % 2, DISPID_PROPERTYPUT);
        DISPPARAMS params{arguments.values.data(), named.data(), count,
                          static_cast<UINT>(std::min<size_t>(named.size(), count))};
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO exception{};
        UINT argErr = 0;
        sink->Invoke(id, IID_NULL, 0, flags, &params, &result, &exception, &argErr);
        VariantClear(&result);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    if (stranger.references != 1) {
        std::fprintf(stderr, "an argument's reference was %s\n",
                     stranger.references > 1 ? "kept" : "released once too often");
        std::abort();
    }
    return 0;
}
