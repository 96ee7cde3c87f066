#include "minimal_library.h"

#include <tuple>

using namespace tracker;

namespace bench {
namespace {

// IUnknown and IDispatch for an object that lives as long as the library:
// no reference counting, QueryInterface over the listed interfaces only.
template <class... Interfaces> class Fixed : public Interfaces... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *out = static_cast<First*>(this);
            return S_OK;
        }
        const bool found = (Answer<Interfaces>(riid, out) || ...);
        return found ? S_OK : E_NOINTERFACE;
    }
    template <class I> bool Answer(REFIID riid, void** out) {
        if (riid != I::iid)
            return false;
        *out = static_cast<I*>(this);
        return true;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};

template <class T, class U> HRESULT Give(U* object, T** out) {
    *out = object;
    return S_OK;
}

class Value final : public Fixed<CoordinateValue, SizeValue> {
public:
    explicit Value(double value) : m_value(value) {}
    HRESULT STDMETHODCALLTYPE get_Value(double* value) override {
        *value = m_value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Unit(BSTR* unit) override {
        *unit = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        *name = nullptr;
        return S_OK;
    }

private:
    double m_value;
};

class Point final : public Fixed<Position, RmsPosition> {
public:
    Point(double x, double y, double z, double rms) : m_x(x), m_y(y), m_z(z), m_rms(rms) {}
    HRESULT STDMETHODCALLTYPE get_X(ScalarValue** value) override { return Give(&m_x, value); }
    HRESULT STDMETHODCALLTYPE get_Y(ScalarValue** value) override { return Give(&m_y, value); }
    HRESULT STDMETHODCALLTYPE get_Z(ScalarValue** value) override { return Give(&m_z, value); }
    HRESULT STDMETHODCALLTYPE get_X(CoordinateValue** value) override { return Give(&m_x, value); }
    HRESULT STDMETHODCALLTYPE get_Y(CoordinateValue** value) override { return Give(&m_y, value); }
    HRESULT STDMETHODCALLTYPE get_Z(CoordinateValue** value) override { return Give(&m_z, value); }
    HRESULT STDMETHODCALLTYPE get_Rms(ScalarValue** value) override { return Give(&m_rms, value); }

private:
    Value m_x, m_y, m_z, m_rms;
};

class Axis final : public Fixed<Direction> {
public:
    Axis(double i, double j, double k) : m_i(i), m_j(j), m_k(k) {}
    HRESULT STDMETHODCALLTYPE get_I(ScalarValue** value) override { return Give(&m_i, value); }
    HRESULT STDMETHODCALLTYPE get_J(ScalarValue** value) override { return Give(&m_j, value); }
    HRESULT STDMETHODCALLTYPE get_K(ScalarValue** value) override { return Give(&m_k, value); }

private:
    Value m_i, m_j, m_k;
};

class Angles final : public Fixed<Rotation> {
public:
    HRESULT STDMETHODCALLTYPE get_Rx(ScalarValue** value) override { return Give(&m_zero, value); }
    HRESULT STDMETHODCALLTYPE get_Ry(ScalarValue** value) override { return Give(&m_zero, value); }
    HRESULT STDMETHODCALLTYPE get_Rz(ScalarValue** value) override { return Give(&m_zero, value); }

private:
    Value m_zero{0};
};

// A six-degree-of-freedom measurement of the probe: every facet, constant values.
class Sample final : public Fixed<Measurement, RmsMeasurement, PositionMeasurement,
                                  DirectionalMeasurement, SixDofMeasurement> {
public:
    HRESULT STDMETHODCALLTYPE get_TimeStamp(DATE* time) override {
        *time = 46000.5;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Reading1(ScalarValue** value) override {
        return Give(&m_readings[0], value);
    }
    HRESULT STDMETHODCALLTYPE get_Reading2(ScalarValue** value) override {
        return Give(&m_readings[1], value);
    }
    HRESULT STDMETHODCALLTYPE get_Reading3(ScalarValue** value) override {
        return Give(&m_readings[2], value);
    }
    HRESULT STDMETHODCALLTYPE get_MeasuredTargetInfo(IDispatch** info) override {
        *info = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_RmsPosition(RmsPosition** position) override {
        return Give(&m_point, position);
    }
    HRESULT STDMETHODCALLTYPE get_Position(Position** position) override {
        return Give(&m_point, position);
    }
    HRESULT STDMETHODCALLTYPE get_Direction(Direction** direction) override {
        return Give(&m_direction, direction);
    }
    HRESULT STDMETHODCALLTYPE get_Orientation(Rotation** orientation) override {
        return Give(&m_rotation, orientation);
    }
    HRESULT STDMETHODCALLTYPE get_Rotation(Rotation** rotation) override {
        return Give(&m_rotation, rotation);
    }

private:
    Point m_point{1200, -350, 410, 0.02};
    Axis m_direction{0, 0, 1};
    Angles m_rotation;
    Value m_readings[3] = {Value(20.0), Value(1013.25), Value(45.0)};
};

class OneSample final : public Fixed<tracker::MeasurementCollection> {
public:
    explicit OneSample(Sample& sample) : m_sample(sample) {}
    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, Measurement** item) override {
        *item = nullptr;
        return index == 0 ? Give(static_cast<Measurement*>(&m_sample), item) : E_INVALIDARG;
    }

private:
    Sample& m_sample;
};

// The selected target: a probe whose current tip has a constant size.
class ProbeTip final : public Fixed<Tip, TipContainer, Probe, Target, ProbeTarget> {
public:
    HRESULT STDMETHODCALLTYPE get_Size(SizeValue** size) override { return Give(&m_size, size); }
    HRESULT STDMETHODCALLTYPE get_CurrentTip(Tip** tip) override {
        return Give(static_cast<Tip*>(this), tip);
    }
    HRESULT STDMETHODCALLTYPE get_TipContainer(TipContainer** tips) override {
        return Give(static_cast<TipContainer*>(this), tips);
    }
    HRESULT STDMETHODCALLTYPE get_Probe(Probe** probe) override {
        return Give(static_cast<Probe*>(this), probe);
    }
    HRESULT STDMETHODCALLTYPE get_Identity(BSTR* identity) override {
        *identity = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        *name = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Selectable(VARIANT_BOOL* selectable) override {
        *selectable = VARIANT_TRUE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Select() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE get_Handle(IDispatch** handle) override {
        return Give(static_cast<Target*>(this), handle);
    }

private:
    Value m_size{3.0};
};

class Targets final : public Fixed<TargetCollection> {
public:
    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG, Target** item) override {
        return Give(static_cast<Target*>(&m_probe), item);
    }
    HRESULT STDMETHODCALLTYPE get_Selected(Target** target) override {
        return Give(static_cast<Target*>(&m_probe), target);
    }
    HRESULT STDMETHODCALLTYPE put_Selected(Target*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE MakeTarget(BSTR, BSTR, Target** target) override {
        *target = nullptr;
        return E_NOTIMPL;
    }

private:
    ProbeTip m_probe;
};

// A tracker with a target collection and nothing else.
class Device final : public Fixed<tracker::Tracker> {
public:
    HRESULT STDMETHODCALLTYPE Disconnect() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE get_TargetCollection(TargetCollection** targets) override {
        return Give(&m_targets, targets);
    }
    HRESULT STDMETHODCALLTYPE get_Measurements(Measurements** out) override { return None(out); }
    HRESULT STDMETHODCALLTYPE get_TriggerCollection(TriggerCollection** out) override {
        return None(out);
    }
    HRESULT STDMETHODCALLTYPE get_OverviewCamera(OverviewCamera** out) override {
        return None(out);
    }
    HRESULT STDMETHODCALLTYPE get_InclinationSensor(InclinationSensor** out) override {
        return None(out);
    }
    HRESULT STDMETHODCALLTYPE get_PowerStatus(PowerStatus** out) override { return None(out); }
    HRESULT STDMETHODCALLTYPE get_ReflectorFinder(ReflectorFinder** out) override {
        return None(out);
    }
    HRESULT STDMETHODCALLTYPE get_OverviewCameraStream(OverviewCameraStream** out) override {
        return None(out);
    }
    HRESULT STDMETHODCALLTYPE get_TrackerAngles(TrackerAngles** out) override { return None(out); }
    HRESULT STDMETHODCALLTYPE Move(LONG, LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE PositionTo(VARIANT_BOOL, VARIANT_BOOL, double, double, double,
                                         IDispatch** result) override {
        return None(result);
    }
    HRESULT STDMETHODCALLTYPE PositionToTarget(IDispatch*, VARIANT_BOOL, double, double, double,
                                               Target** found) override {
        return None(found);
    }

private:
    template <class T> static HRESULT None(T** out) {
        *out = nullptr;
        return S_OK;
    }
    Targets m_targets;
};

} // namespace

struct MinimalLibrary::Objects {
    Sample sample;
    OneSample collection{sample};
    Device device;
};

MinimalLibrary::MinimalLibrary() : m_objects(std::make_unique<Objects>()) {}
MinimalLibrary::~MinimalLibrary() = default;

IDispatch* MinimalLibrary::MeasurementCollection() {
    return &m_objects->collection;
}

IDispatch* MinimalLibrary::PositionSample() {
    return static_cast<Measurement*>(&m_objects->sample);
}

tracker::Tracker* MinimalLibrary::Tracker() {
    return &m_objects->device;
}

} // namespace bench
