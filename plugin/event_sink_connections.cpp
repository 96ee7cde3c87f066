// Creating, connecting, disconnecting and destroying the device's five event
// sinks, and finding the probe-button and stable-probing triggers.
#include "plugin/CQWandDevice.h"

#include "platform/com/com_error.h"
#include "platform/com/connection_advise.h"
#include "plugin/WCMeasurementEventSink.h"
#include "plugin/WCMeasurementStatusEventSink.h"
#include "plugin/WCTargetCollectionEventSink.h"
#include "plugin/WCTrackerEventSink.h"
#include "plugin/WCTriggerCollectionEventSink.h"
#include "plugin/sink_lifetime.h"

namespace {

enum Connection {
    kTrackerEvents,
    kQuickReleaseEvents,
    kMeasurementEvents,
    kDetailChangedEvents,
    kMeasurementStatusEvents,
    kTargetCollectionEvents,
    kTriggerCollectionEvents,
};

template <class Source> void Advise(Source* source, REFIID iid, IDispatch* sink, DWORD& cookie) {
    AfxConnectionAdvise(source, iid, sink, TRUE, &cookie);
}

template <class Source> void Unadvise(Source* source, REFIID iid, IDispatch* sink, DWORD cookie) {
    AfxConnectionUnadvise(source, iid, sink, TRUE, cookie);
}

// The quick-release state object, or null when the tracker has no TrackerModel.
ComPtr<tracker::BoolState> QuickReleaseState(tracker::Tracker* device) {
    ComPtr<tracker::TrackerModel> model;
    ComPtr<tracker::BoolState> state;
    const HRESULT hr = device->QueryInterface(IidOf<tracker::TrackerModel>(), model.PutVoid());
    if (hr == E_NOINTERFACE)
        return state;
    ThrowIfFailed(hr);
    ThrowIfFailed(model->get_QuickRelease(state.Put()));
    return state;
}

// Stores item into slot when it offers the interface and is not already there.
// An item without the interface is skipped; any other failure raises.
template <class Wanted> void TakeTrigger(tracker::Trigger* item, ComPtr<Wanted>& slot) {
    ComPtr<Wanted> candidate;
    const HRESULT hr = item->QueryInterface(IidOf<Wanted>(), candidate.PutVoid());
    if (hr == E_NOINTERFACE)
        return;
    ThrowIfFailed(hr);
    if (!IsSameComObject(candidate.Get(), slot.Get()))
        slot = candidate;
}

} // namespace

void CQWandDevice::AdviseSinks() {
    if (!m_tracker)
        return;
    DestroySinks(); // sinks left by a connect that failed half-way
    m_trackerSink = new WCTrackerEventSink();
    m_trackerSinkDisp = ComPtr<IDispatch>::Attach(m_trackerSink->GetIDispatch(TRUE));
    m_measurementSink = new WCMeasurementEventSink(this);
    m_measurementSinkDisp = ComPtr<IDispatch>::Attach(m_measurementSink->GetIDispatch(TRUE));
    m_measurementStatusSink = new WCMeasurementStatusEventSink(this);
    m_measurementStatusSinkDisp =
        ComPtr<IDispatch>::Attach(m_measurementStatusSink->GetIDispatch(TRUE));
    m_targetCollectionSink = new WCTargetCollectionEventSink(this);
    m_targetCollectionSinkDisp =
        ComPtr<IDispatch>::Attach(m_targetCollectionSink->GetIDispatch(TRUE));

    Advise(m_tracker.Get(), tracker::IID_TrackerEvents, m_trackerSinkDisp.Get(),
           m_adviseCookies[kTrackerEvents]);
    if (ComPtr<tracker::BoolState> quickRelease = QuickReleaseState(m_tracker.Get()))
        Advise(quickRelease.Get(), tracker::IID_BoolChangedEvents, m_trackerSinkDisp.Get(),
               m_adviseCookies[kQuickReleaseEvents]);

    ComPtr<tracker::Measurements> measurements;
    ThrowIfFailed(m_tracker->get_Measurements(measurements.Put()));
    if (measurements) {
        Advise(measurements.Get(), tracker::IID_MeasurementEvents, m_measurementSinkDisp.Get(),
               m_adviseCookies[kMeasurementEvents]);
        ComPtr<tracker::MeasurementStatus> status;
        ThrowIfFailed(measurements->get_MeasurementStatus(status.Put()));
        if (status) {
            ComPtr<tracker::MeasurementStatusDetail> detail;
            ThrowIfFailed(status->get_MeasurementStatusDetail(detail.Put()));
            if (detail)
                Advise(detail.Get(), tracker::IID_DetailChangedEvents, m_measurementSinkDisp.Get(),
                       m_adviseCookies[kDetailChangedEvents]);
            Advise(status.Get(), tracker::IID_MeasurementStatusEvents,
                   m_measurementStatusSinkDisp.Get(), m_adviseCookies[kMeasurementStatusEvents]);
        }
    }

    ComPtr<tracker::TargetCollection> targets;
    ThrowIfFailed(m_tracker->get_TargetCollection(targets.Put()));
    if (targets)
        Advise(targets.Get(), tracker::IID_TargetCollectionEvents, m_targetCollectionSinkDisp.Get(),
               m_adviseCookies[kTargetCollectionEvents]);

    ComPtr<tracker::TriggerCollection> triggers;
    ThrowIfFailed(m_tracker->get_TriggerCollection(triggers.Put()));
    if (!triggers)
        return;
    for (LONG i = 0;; ++i) {
        LONG count = 0;
        ThrowIfFailed(triggers->get_Count(&count)); // read again at every step
        if (i >= count)
            break;
        ComPtr<tracker::Trigger> item;
        ThrowIfFailed(triggers->get_Item(i, item.Put()));
        ThrowIfNull(item);
        TakeTrigger(item.Get(), m_probeButtonTrigger);
        ThrowIfFailed(triggers->get_Item(i, item.Put()));
        ThrowIfNull(item);
        TakeTrigger(item.Get(), m_stableProbingTrigger);
    }

    m_triggerCollectionSink = new WCTriggerCollectionEventSink(this);
    m_triggerCollectionSinkDisp =
        ComPtr<IDispatch>::Attach(m_triggerCollectionSink->GetIDispatch(TRUE));
    Advise(triggers.Get(), tracker::IID_TriggerCollectionEvents, m_triggerCollectionSinkDisp.Get(),
           m_adviseCookies[kTriggerCollectionEvents]);
}

void CQWandDevice::UnadviseSinks() {
    if (!m_tracker)
        return;
    Unadvise(m_tracker.Get(), tracker::IID_TrackerEvents, m_trackerSinkDisp.Get(),
             m_adviseCookies[kTrackerEvents]);
    if (ComPtr<tracker::BoolState> quickRelease = QuickReleaseState(m_tracker.Get()))
        Unadvise(quickRelease.Get(), tracker::IID_BoolChangedEvents, m_trackerSinkDisp.Get(),
                 m_adviseCookies[kQuickReleaseEvents]);
    m_trackerSinkDisp.Reset();
    DestroySink(m_trackerSink);

    ComPtr<tracker::Measurements> measurements;
    ThrowIfFailed(m_tracker->get_Measurements(measurements.Put()));
    if (measurements) {
        Unadvise(measurements.Get(), tracker::IID_MeasurementEvents, m_measurementSinkDisp.Get(),
                 m_adviseCookies[kMeasurementEvents]);
        ComPtr<tracker::MeasurementStatus> status;
        ThrowIfFailed(measurements->get_MeasurementStatus(status.Put()));
        if (status) {
            ComPtr<tracker::MeasurementStatusDetail> detail;
            ThrowIfFailed(status->get_MeasurementStatusDetail(detail.Put()));
            if (detail)
                Unadvise(detail.Get(), tracker::IID_DetailChangedEvents,
                         m_measurementSinkDisp.Get(), m_adviseCookies[kDetailChangedEvents]);
            Unadvise(status.Get(), tracker::IID_MeasurementStatusEvents,
                     m_measurementStatusSinkDisp.Get(), m_adviseCookies[kMeasurementStatusEvents]);
        }
    }
    m_measurementStatusSinkDisp.Reset();
    DestroySink(m_measurementStatusSink);
    m_measurementSinkDisp.Reset();
    DestroySink(m_measurementSink);

    ComPtr<tracker::TargetCollection> targets;
    ThrowIfFailed(m_tracker->get_TargetCollection(targets.Put()));
    if (targets)
        Unadvise(targets.Get(), tracker::IID_TargetCollectionEvents,
                 m_targetCollectionSinkDisp.Get(), m_adviseCookies[kTargetCollectionEvents]);
    m_targetCollectionSinkDisp.Reset();
    DestroySink(m_targetCollectionSink);

    ComPtr<tracker::TriggerCollection> triggers;
    ThrowIfFailed(m_tracker->get_TriggerCollection(triggers.Put()));
    if (triggers) {
        Unadvise(triggers.Get(), tracker::IID_TriggerCollectionEvents,
                 m_triggerCollectionSinkDisp.Get(), m_adviseCookies[kTriggerCollectionEvents]);
        m_triggerCollectionSinkDisp.Reset();
        DestroySink(m_triggerCollectionSink);
    }
    // A trigger sink whose collection has gone meanwhile is not leaked.
    m_triggerCollectionSinkDisp.Reset();
    DestroySink(m_triggerCollectionSink);
}

void CQWandDevice::DestroySinks() {
    m_trackerSinkDisp.Reset();
    DestroySink(m_trackerSink);
    m_measurementSinkDisp.Reset();
    DestroySink(m_measurementSink);
    m_measurementStatusSinkDisp.Reset();
    DestroySink(m_measurementStatusSink);
    m_targetCollectionSinkDisp.Reset();
    DestroySink(m_targetCollectionSink);
    m_triggerCollectionSinkDisp.Reset();
    DestroySink(m_triggerCollectionSink);
}
