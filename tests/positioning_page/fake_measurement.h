// Hand-made library objects for the result box: a measurement whose facets
// carry values of their own (the simulator's facets all carry the same
// point), with missing sub-objects and values where a test wants them.
#pragma once

#include "interfaces/tracker.h"
#include "platform/base/text.h"
#include "platform/com/bstr.h"
#include "platform/com/com_ptr.h"

#include <string>

namespace fakes {

// Reference counting, QueryInterface over the listed interfaces and an
// IDispatch nobody invokes.
template <class Primary, class... Others> class Fake : public Primary, public Others... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IidOf<Primary>())
            *out = static_cast<Primary*>(this);
        ((!*out && riid == IidOf<Others>() && Offers(riid) ? (*out = static_cast<Others*>(this), 0)
                                                           : 0),
         ...);
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

protected:
    virtual ~Fake() = default;
    virtual bool Offers(REFIID) { return true; }

private:
    ULONG m_refs = 1;
};

// Hands out an object (or null) with a reference for the caller.
template <class T, class U> HRESULT Give(U* object, T** out) {
    if (!out)
        return E_POINTER;
    *out = object;
    if (object)
        object->AddRef();
    return S_OK;
}

inline HRESULT GiveText(const platform::WideString* text, BSTR* out) {
    if (!out)
        return E_POINTER;
    *out = text ? SysAllocStringLen(text->data(), static_cast<UINT>(text->size())) : nullptr;
    return S_OK;
}

// A number with a name and a unit; a null unit or name is a missing string.
class Scalar final : public Fake<tracker::CoordinateValue> {
public:
    static ComPtr<Scalar> Make(double value, const WCHAR* name, const WCHAR* unit) {
        return ComPtr<Scalar>::Attach(new Scalar(value, name, unit));
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (out && riid == tracker::ScalarValue::iid) { // a coordinate reads like a scalar
            *out = static_cast<tracker::ScalarValue*>(this);
            AddRef();
            return S_OK;
        }
        return Fake::QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE get_Value(double* value) override {
        *value = m_value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Unit(BSTR* unit) override {
        return GiveText(m_hasUnit ? &m_unit : nullptr, unit);
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return GiveText(m_hasName ? &m_name : nullptr, name);
    }

private:
    Scalar(double value, const WCHAR* name, const WCHAR* unit)
        : m_value(value), m_name(name ? name : TEXT("")), m_unit(unit ? unit : TEXT("")),
          m_hasName(name != nullptr), m_hasUnit(unit != nullptr) {}
    double m_value;
    platform::WideString m_name, m_unit;
    bool m_hasName, m_hasUnit;
};

// Three values named <prefix>1..3 in one unit (and an RMS value), as a
// Position, an RmsPosition, a Rotation or a measurement's readings give them.
class Values final : public Fake<tracker::Position, tracker::RmsPosition, tracker::Rotation> {
public:
    static ComPtr<Values> Make(const WCHAR* prefix, double a, double b, double c, const WCHAR* unit,
                               ComPtr<Scalar> rms = nullptr) {
        auto v = ComPtr<Values>::Attach(new Values);
        const double value[] = {a, b, c};
        for (int i = 0; i < 3; ++i)
            v->m_v[i] = Scalar::Make(
                value[i], (platform::WideString(prefix) + WCHAR(TEXT('1') + i)).c_str(), unit);
        v->m_rms = std::move(rms);
        return v;
    }
    tracker::CoordinateValue* At(int i) const { return m_v[i].Get(); }

    HRESULT STDMETHODCALLTYPE get_X(tracker::ScalarValue** v) override { return Give(At(0), v); }
    HRESULT STDMETHODCALLTYPE get_Y(tracker::ScalarValue** v) override { return Give(At(1), v); }
    HRESULT STDMETHODCALLTYPE get_Z(tracker::ScalarValue** v) override { return Give(At(2), v); }
    HRESULT STDMETHODCALLTYPE get_X(tracker::CoordinateValue** v) override {
        return Give(At(0), v);
    }
    HRESULT STDMETHODCALLTYPE get_Y(tracker::CoordinateValue** v) override {
        return Give(At(1), v);
    }
    HRESULT STDMETHODCALLTYPE get_Z(tracker::CoordinateValue** v) override {
        return Give(At(2), v);
    }
    HRESULT STDMETHODCALLTYPE get_Rms(tracker::ScalarValue** v) override {
        return Give(static_cast<tracker::ScalarValue*>(m_rms.Get()), v);
    }
    HRESULT STDMETHODCALLTYPE get_Rx(tracker::ScalarValue** v) override { return Give(At(0), v); }
    HRESULT STDMETHODCALLTYPE get_Ry(tracker::ScalarValue** v) override { return Give(At(1), v); }
    HRESULT STDMETHODCALLTYPE get_Rz(tracker::ScalarValue** v) override { return Give(At(2), v); }

private:
    ComPtr<Scalar> m_v[3], m_rms;
};

class TargetInfo final : public Fake<tracker::MeasuredTargetInfo> {
public:
    static ComPtr<TargetInfo> Make(const WCHAR* target, const WCHAR* probe) {
        return ComPtr<TargetInfo>::Attach(new TargetInfo(target, probe));
    }
    HRESULT STDMETHODCALLTYPE get_TargetIdentity(BSTR* identity) override {
        return GiveText(&m_target, identity);
    }
    HRESULT STDMETHODCALLTYPE get_ProbeIdentity(BSTR* identity) override {
        return GiveText(m_probe.empty() ? nullptr : &m_probe, identity);
    }

private:
    TargetInfo(const WCHAR* target, const WCHAR* probe) : m_target(target), m_probe(probe) {}
    platform::WideString m_target, m_probe;
};

// What a hand-made measurement offers; a facet is offered when its object is set.
struct MeasurementContent {
    DATE time = 45351.5; // 29 February 2024, noon
    ComPtr<Values> rms;
    ComPtr<Values> position;
    ComPtr<Values> orientation; // DirectionalMeasurement
    ComPtr<Values> rotation;    // SixDofMeasurement
    ComPtr<TargetInfo> info;
    ComPtr<Values> readings; // missing unless set
};

class Measurement final
    : public Fake<tracker::Measurement, tracker::RmsMeasurement, tracker::PositionMeasurement,
                  tracker::DirectionalMeasurement, tracker::SixDofMeasurement> {
public:
    static ComPtr<Measurement> Make(MeasurementContent content) {
        return ComPtr<Measurement>::Attach(new Measurement(std::move(content)));
    }

    HRESULT STDMETHODCALLTYPE get_TimeStamp(DATE* time) override {
        *time = m_spec.time;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Reading1(tracker::ScalarValue** v) override {
        return Reading(0, v);
    }
    HRESULT STDMETHODCALLTYPE get_Reading2(tracker::ScalarValue** v) override {
        return Reading(1, v);
    }
    HRESULT STDMETHODCALLTYPE get_Reading3(tracker::ScalarValue** v) override {
        return Reading(2, v);
    }
    HRESULT STDMETHODCALLTYPE get_MeasuredTargetInfo(IDispatch** info) override {
        return Give(static_cast<IDispatch*>(m_spec.info.Get()), info);
    }
    HRESULT STDMETHODCALLTYPE get_RmsPosition(tracker::RmsPosition** p) override {
        return Give(m_spec.rms.Get(), p);
    }
    HRESULT STDMETHODCALLTYPE get_Position(tracker::Position** p) override {
        return Give(m_spec.position.Get(), p);
    }
    HRESULT STDMETHODCALLTYPE get_Direction(tracker::Direction** d) override {
        return Give(static_cast<tracker::Direction*>(nullptr), d);
    }
    HRESULT STDMETHODCALLTYPE get_Orientation(tracker::Rotation** r) override {
        return Give(m_spec.orientation.Get(), r);
    }
    HRESULT STDMETHODCALLTYPE get_Rotation(tracker::Rotation** r) override {
        return Give(m_spec.rotation.Get(), r);
    }

protected:
    bool Offers(REFIID riid) override {
        if (riid == tracker::RmsMeasurement::iid)
            return m_spec.rms.Get() != nullptr;
        if (riid == tracker::PositionMeasurement::iid)
            return m_spec.position.Get() != nullptr;
        if (riid == tracker::DirectionalMeasurement::iid)
            return m_spec.orientation.Get() != nullptr;
        if (riid == tracker::SixDofMeasurement::iid)
            return m_spec.rotation.Get() != nullptr;
        return true;
    }

private:
    explicit Measurement(MeasurementContent content) : m_spec(std::move(content)) {}
    HRESULT Reading(int i, tracker::ScalarValue** v) {
        return Give(
            static_cast<tracker::ScalarValue*>(m_spec.readings ? m_spec.readings->At(i) : nullptr),
            v);
    }
    MeasurementContent m_spec;
};

} // namespace fakes
