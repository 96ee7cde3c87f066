#include "measurements.h"

#include "connection_points.h"
#include "errors.h"
#include "hardware.h"
#include "loop_timer.h"
#include "positioning.h"
#include "profiles.h"
#include "targets.h"
#include "tracker_link.h"
#include "scenarios.h"
#include "values.h"

#include "../platform/ui/clock.h"

#include <algorithm>
#include <cmath>

namespace trackersim {

// DirectionalMeasurement and SixDofMeasurement declare the same get_Direction;
// these give each its own implementation (and fault name).
struct DirectionalFacet : tracker::DirectionalMeasurement {
    HRESULT STDMETHODCALLTYPE get_Direction(tracker::Direction** direction) override {
        return DirectionalDirection(direction);
    }
    virtual HRESULT DirectionalDirection(tracker::Direction** direction) = 0;
};
struct SixDofFacet : tracker::SixDofMeasurement {
    HRESULT STDMETHODCALLTYPE get_Direction(tracker::Direction** direction) override {
        return SixDofDirection(direction);
    }
    virtual HRESULT SixDofDirection(tracker::Direction** direction) = 0;
};
template <>
inline constexpr platform::WideView
    kInterfaceName<DirectionalFacet> = TEXT("DirectionalMeasurement");
template <>
inline constexpr platform::WideView kInterfaceName<SixDofFacet> = TEXT("SixDofMeasurement");

namespace {

class PositionObject final : public ComObject<tracker::Position> {
public:
    PositionObject(double x, double y, double z)
        : ComObject(TEXT("Position")), m_x(Make<ScalarObject>(x, TEXT("X"))),
          m_y(Make<ScalarObject>(y, TEXT("Y"))), m_z(Make<ScalarObject>(z, TEXT("Z"))) {}
    HRESULT STDMETHODCALLTYPE get_X(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Position.get_X"), m_x.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Y(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Position.get_Y"), m_y.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Z(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Position.get_Z"), m_z.Get(), v);
    }

private:
    ComPtr<ScalarObject> m_x, m_y, m_z;
};

class RmsPositionObject final : public ComObject<tracker::RmsPosition> {
public:
    RmsPositionObject(double x, double y, double z, double rms)
        : ComObject(TEXT("RmsPosition")), m_x(Make<CoordinateObject>(x, TEXT("X"))),
          m_y(Make<CoordinateObject>(y, TEXT("Y"))), m_z(Make<CoordinateObject>(z, TEXT("Z"))),
          m_rms(Make<ScalarObject>(rms, TEXT("Rms"))) {}
    HRESULT STDMETHODCALLTYPE get_X(tracker::CoordinateValue** v) override {
        return GiveObject<tracker::CoordinateValue>(TEXT("RmsPosition.get_X"), m_x.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Y(tracker::CoordinateValue** v) override {
        return GiveObject<tracker::CoordinateValue>(TEXT("RmsPosition.get_Y"), m_y.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Z(tracker::CoordinateValue** v) override {
        return GiveObject<tracker::CoordinateValue>(TEXT("RmsPosition.get_Z"), m_z.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Rms(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("RmsPosition.get_Rms"), m_rms.Get(), v);
    }

private:
    ComPtr<CoordinateObject> m_x, m_y, m_z;
    ComPtr<ScalarObject> m_rms;
};

class DirectionObject final : public ComObject<tracker::Direction> {
public:
    DirectionObject(double i, double j, double k)
        : ComObject(TEXT("Direction")), m_i(Make<ScalarObject>(i, TEXT("I"), TEXT(""))),
          m_j(Make<ScalarObject>(j, TEXT("J"), TEXT(""))),
          m_k(Make<ScalarObject>(k, TEXT("K"), TEXT(""))) {}
    HRESULT STDMETHODCALLTYPE get_I(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Direction.get_I"), m_i.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_J(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Direction.get_J"), m_j.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_K(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Direction.get_K"), m_k.Get(), v);
    }

private:
    ComPtr<ScalarObject> m_i, m_j, m_k;
};

class RotationObject final : public ComObject<tracker::Rotation> {
public:
    RotationObject(double rx, double ry, double rz)
        : ComObject(TEXT("Rotation")), m_rx(Make<ScalarObject>(rx, TEXT("Rx"), TEXT("deg"))),
          m_ry(Make<ScalarObject>(ry, TEXT("Ry"), TEXT("deg"))),
          m_rz(Make<ScalarObject>(rz, TEXT("Rz"), TEXT("deg"))) {}
    HRESULT STDMETHODCALLTYPE get_Rx(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Rotation.get_Rx"), m_rx.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Ry(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Rotation.get_Ry"), m_ry.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Rz(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Rotation.get_Rz"), m_rz.Get(), v);
    }

private:
    ComPtr<ScalarObject> m_rx, m_ry, m_rz;
};

// What the measurement says about the target it measured.
class TargetInfoObject final : public ComObject<tracker::MeasuredTargetInfo> {
public:
    explicit TargetInfoObject(int target)
        : ComObject(TEXT("MeasuredTargetInfo")), m_target(TargetIdentity(target)),
          m_probe(ProbeIdentity(target)) {}
    HRESULT STDMETHODCALLTYPE get_TargetIdentity(BSTR* identity) override {
        return GiveString(TEXT("MeasuredTargetInfo.get_TargetIdentity"), m_target, identity);
    }
    HRESULT STDMETHODCALLTYPE get_ProbeIdentity(BSTR* identity) override {
        return GiveString(TEXT("MeasuredTargetInfo.get_ProbeIdentity"), m_probe, identity);
    }

private:
    platform::WideString m_target;
    platform::WideString m_probe;
};

// The DATE (days since 1899-12-30) of the clock's present moment.
DATE Now() {
    platform::Clock& clock = platform::CurrentClock();
    constexpr double kUnixEpochAsDate = 25569.0;
    const double seconds = static_cast<double>(clock.UnixTimeSeconds()) +
                           static_cast<double>(clock.NowMs() % 1000) / 1000.0;
    return kUnixEpochAsDate + seconds / 86400.0;
}

class MeasurementObject final
    : public ComObject<tracker::Measurement, tracker::RmsMeasurement, tracker::PositionMeasurement,
                       DirectionalFacet, SixDofFacet> {
public:
    MeasurementObject(const SampleSpec& s, platform::WideView className)
        : ComObject(className), m_sample(s),
          m_time(Now()), m_readings{Make<ScalarObject>(s.readings[0], TEXT("Reading1"), TEXT("")),
                                    Make<ScalarObject>(s.readings[1], TEXT("Reading2"), TEXT("")),
                                    Make<ScalarObject>(s.readings[2], TEXT("Reading3"), TEXT(""))},
          m_rmsPosition(Make<RmsPositionObject>(s.x, s.y, s.z, s.rms)),
          m_position(Make<PositionObject>(s.x, s.y, s.z)),
          m_direction(Make<DirectionObject>(s.i, s.j, s.k)),
          m_rotation(Make<RotationObject>(s.rx, s.ry, s.rz)),
          m_targetInfo(Make<TargetInfoObject>(
              s.measuredTarget >= 0 ? s.measuredTarget : TheHardware().selectedTarget)) {}

    HRESULT STDMETHODCALLTYPE get_TimeStamp(DATE* time) override {
        return GiveValue(TEXT("Measurement.get_TimeStamp"), m_time, time);
    }
    HRESULT STDMETHODCALLTYPE get_Reading1(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Measurement.get_Reading1"),
                                                m_readings[0].Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Reading2(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Measurement.get_Reading2"),
                                                m_readings[1].Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Reading3(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Measurement.get_Reading3"),
                                                m_readings[2].Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_MeasuredTargetInfo(IDispatch** info) override {
        return GiveObject<IDispatch>(TEXT("Measurement.get_MeasuredTargetInfo"),
                                     m_targetInfo->Self(), info);
    }
    HRESULT STDMETHODCALLTYPE get_RmsPosition(tracker::RmsPosition** p) override {
        return GiveObject<tracker::RmsPosition>(TEXT("RmsMeasurement.get_RmsPosition"),
                                                m_rmsPosition.Get(), p);
    }
    HRESULT STDMETHODCALLTYPE get_Position(tracker::Position** p) override {
        return GiveObject<tracker::Position>(TEXT("PositionMeasurement.get_Position"),
                                             m_position.Get(), p);
    }
    HRESULT DirectionalDirection(tracker::Direction** d) override {
        return GiveObject<tracker::Direction>(TEXT("DirectionalMeasurement.get_Direction"),
                                              m_direction.Get(), d);
    }
    HRESULT SixDofDirection(tracker::Direction** d) override {
        return GiveObject<tracker::Direction>(TEXT("SixDofMeasurement.get_Direction"),
                                              m_direction.Get(), d);
    }
    HRESULT STDMETHODCALLTYPE get_Orientation(tracker::Rotation** r) override {
        return GiveObject<tracker::Rotation>(TEXT("DirectionalMeasurement.get_Orientation"),
                                             m_rotation.Get(), r);
    }
    HRESULT STDMETHODCALLTYPE get_Rotation(tracker::Rotation** r) override {
        return GiveObject<tracker::Rotation>(TEXT("SixDofMeasurement.get_Rotation"),
                                             m_rotation.Get(), r);
    }

protected:
    bool Offers(REFIID riid) override {
        if (riid == tracker::RmsMeasurement::iid)
            return m_sample.hasRms;
        if (riid == tracker::PositionMeasurement::iid)
            return m_sample.hasPosition;
        if (riid == tracker::DirectionalMeasurement::iid)
            return m_sample.hasDirection;
        if (riid == tracker::SixDofMeasurement::iid)
            return m_sample.hasSixDof;
        return true;
    }

private:
    SampleSpec m_sample;
    DATE m_time;
    ComPtr<ScalarObject> m_readings[3];
    ComPtr<RmsPositionObject> m_rmsPosition;
    ComPtr<PositionObject> m_position;
    ComPtr<DirectionObject> m_direction;
    ComPtr<RotationObject> m_rotation;
    ComPtr<TargetInfoObject> m_targetInfo;
};

class MeasurementCollectionObject final : public ComObject<tracker::MeasurementCollection> {
public:
    explicit MeasurementCollectionObject(const std::vector<SampleSpec>& samples)
        : ComObject(TEXT("MeasurementCollection")) {
        for (const SampleSpec& s : samples)
            m_items.push_back(CreateMeasurement(s));
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        return GiveValue(TEXT("MeasurementCollection.get_Count"), static_cast<LONG>(m_items.size()),
                         count);
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, tracker::Measurement** item) override {
        if (item)
            *item = nullptr;
        if (index < 0 || index >= static_cast<LONG>(m_items.size()))
            return ReportError(E_INVALIDARG, TEXT("The index is outside the collection."));
        return GiveObject<tracker::Measurement>(TEXT("MeasurementCollection.get_Item"),
                                                m_items[index].Get(), item);
    }

private:
    std::vector<ComPtr<tracker::Measurement>> m_items;
};

class DetailObject final : public EventSource<tracker::MeasurementStatusDetail> {
public:
    DetailObject()
        : EventSource(TEXT("MeasurementStatusDetail"), {tracker::IID_DetailChangedEvents}) {}
    HRESULT STDMETHODCALLTYPE get_Value(LONG* value) override {
        return GiveValue(TEXT("MeasurementStatusDetail.get_Value"), TheHardware().statusDetail,
                         value);
    }
};

class StatusObject final : public EventSource<tracker::MeasurementStatus> {
public:
    StatusObject()
        : EventSource(TEXT("MeasurementStatus"), {tracker::IID_MeasurementStatusEvents}),
          m_detail(Make<DetailObject>()) {}
    HRESULT STDMETHODCALLTYPE get_Value(LONG* value) override {
        return GiveValue(TEXT("MeasurementStatus.get_Value"), TheHardware().status, value);
    }
    HRESULT STDMETHODCALLTYPE
    get_MeasurementStatusDetail(tracker::MeasurementStatusDetail** detail) override {
        return GiveObject<tracker::MeasurementStatusDetail>(
            TEXT("MeasurementStatus.get_MeasurementStatusDetail"), m_detail->Self(), detail);
    }

private:
    ComPtr<DetailObject> m_detail;
};

EventArgs MeasurementArrivedArgs(ComPtr<MeasurementCollectionObject> collection,
                                 ComPtr<TrackerExceptionObject> exception) {
    return [collection, exception](IDispatch& sender) {
        return std::vector<ComVariant>{
            ComVariant::FromDispatch(&sender), ComVariant::FromDispatch(collection->Self()),
            ComVariant::FromDispatch(exception ? exception->Self() : nullptr)};
    };
}

// One tick of a connection's continuous measuring, from its Measurements
// object: one event per measuring instant that is due, then the timer is set
// for the next, so any rate is kept whatever the timer's millisecond grain.
void ContinuousTick(IConnectionPointContainer* source, TrackerLink* link) {
    const uint64_t now = platform::CurrentClock().NowMs();
    for (uint64_t due = link->Pacer().Due(now); due > 0; --due) {
        std::vector<SampleSpec> samples;
        const int count = std::max(TheHardware().measurementsPerEvent, 0);
        for (int i = 0; i < count; ++i)
            samples.push_back(NextSample());
        DeliverEventFrom(
            source, tracker::IID_MeasurementEvents, tracker::DISPID_MeasurementArrived,
            MeasurementArrivedArgs(Make<MeasurementCollectionObject>(samples), nullptr));
        if (!link->Continuous().Running())
            return; // a handler stopped measuring
    }
    link->Continuous().Start(link->Pacer().WaitMs(now),
                             [source, link] { ContinuousTick(source, link); });
}

HRESULT NotConnected() {
    return ReportError(kTrackerFailure, TEXT("The tracker is not connected."));
}

class MeasurementsObject final : public EventSource<tracker::Measurements> {
public:
    explicit MeasurementsObject(std::shared_ptr<TrackerLink> link)
        : EventSource(TEXT("Measurements"), {tracker::IID_MeasurementEvents}),
          m_link(std::move(link)), m_status(Make<StatusObject>()),
          m_profiles(CreateProfileCollection()) {}
    ~MeasurementsObject() override { m_link->Continuous().Stop(); }

    HRESULT STDMETHODCALLTYPE get_MeasurementStatus(tracker::MeasurementStatus** status) override {
        return GiveObject<tracker::MeasurementStatus>(TEXT("Measurements.get_MeasurementStatus"),
                                                      m_status->Self(), status);
    }
    HRESULT STDMETHODCALLTYPE StartMeasurement() override {
        if (HRESULT hr = Enter(TEXT("Measurements.StartMeasurement")); FAILED(hr))
            return hr;
        if (!m_link->Connected())
            return NotConnected();
        const uint64_t now = platform::CurrentClock().NowMs();
        m_link->Pacer().Start(TheHardware().continuousHz, now);
        // The timer stops before this object or its link goes.
        IConnectionPointContainer* source = this;
        TrackerLink* link = m_link.get();
        m_link->Continuous().Start(m_link->Pacer().WaitMs(now),
                                   [source, link] { ContinuousTick(source, link); });
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE StopMeasurement() override {
        if (HRESULT hr = Enter(TEXT("Measurements.StopMeasurement")); FAILED(hr))
            return hr;
        m_link->Continuous().Stop();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Measure(tracker::Measurement** measurement) override {
        if (!measurement)
            return E_POINTER;
        *measurement = nullptr;
        if (HRESULT hr = Enter(TEXT("Measurements.Measure")); FAILED(hr))
            return hr;
        if (!m_link->Connected())
            return NotConnected();
        *measurement = CreateMeasurement(NextSample()).Detach();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE
    get_MeasurementProfileCollection(tracker::MeasurementProfileCollection** profiles) override {
        return GiveObject(TEXT("Measurements.get_MeasurementProfileCollection"), m_profiles.Get(),
                          profiles);
    }
    HRESULT STDMETHODCALLTYPE GoAndMeasure(IDispatch* target, VARIANT_BOOL relative, double value1,
                                           double value2, double value3,
                                           tracker::Measurement** measurement) override {
        if (measurement)
            *measurement = nullptr;
        if (HRESULT hr = Enter(TEXT("Measurements.GoAndMeasure")); FAILED(hr))
            return hr;
        if (!measurement)
            return E_POINTER;
        if (!m_link->Connected())
            return NotConnected();
        const int index = TargetIndexOf(target);
        if (index < 0)
            return ReportError(E_INVALIDARG,
                               TEXT("The target is not one of the tracker's targets."));
        RecordPointing(index, false, relative != VARIANT_FALSE, {value1, value2, value3});
        SampleSpec sample = NextSample();
        sample.measuredTarget = index;
        *measurement = CreateMeasurement(sample).Detach();
        return S_OK;
    }

private:
    std::shared_ptr<TrackerLink> m_link;
    ComPtr<StatusObject> m_status;
    ComPtr<tracker::MeasurementProfileCollection> m_profiles;
};

} // namespace

ComPtr<tracker::Measurements> CreateMeasurements(std::shared_ptr<TrackerLink> link) {
    return ComPtr<tracker::Measurements>(Make<MeasurementsObject>(std::move(link))->Self());
}

ComPtr<tracker::Measurement> CreateMeasurement(const SampleSpec& sample,
                                               platform::WideView className) {
    return ComPtr<tracker::Measurement>(Make<MeasurementObject>(sample, className)->Self());
}

ComPtr<tracker::PositionMeasurement> CreatePositionSample(const SampleSpec& sample) {
    auto object = Make<MeasurementObject>(sample, TEXT("TargetPosition"));
    return ComPtr<tracker::PositionMeasurement>(
        static_cast<tracker::PositionMeasurement*>(object.Get()));
}

void FireMeasurementStatus(LONG status, LONG detail) {
    TheHardware().status = status;
    TheHardware().statusDetail = detail;
    PostEvent(tracker::IID_MeasurementStatusEvents, tracker::DISPID_MeasurementStatusChanged,
              [status](IDispatch& sender) {
                  return std::vector<ComVariant>{ComVariant::FromDispatch(&sender),
                                                 ComVariant::FromLong(status)};
              });
    PostEvent(tracker::IID_DetailChangedEvents, tracker::DISPID_MeasurementDetailChanged,
              [](IDispatch& sender) {
                  return std::vector<ComVariant>{ComVariant::FromDispatch(&sender)};
              });
}

void FireMeasurements(std::vector<SampleSpec> samples, LONG exceptionNumber,
                      platform::WideView exceptionText) {
    ComPtr<TrackerExceptionObject> exception;
    if (exceptionNumber != 0)
        exception = Make<TrackerExceptionObject>(exceptionNumber, exceptionText);
    PostEvent(tracker::IID_MeasurementEvents, tracker::DISPID_MeasurementArrived,
              MeasurementArrivedArgs(Make<MeasurementCollectionObject>(samples), exception));
}

} // namespace trackersim
