#include "events.h"

#include "no_type_info.h"
#include "wrapper_base.h"

#include "../interfaces/tracker/library_ids.h"
#include "../platform/base/text.h"
#include "../platform/com/variant.h"

#include <vector>

namespace trackerrec {
namespace {
struct EventInterface {
    const IID* iid;
    const char* name;
};
const EventInterface kEvents[] = {
    {&tracker::IID_TrackerEvents, "TrackerEvents"},
    {&tracker::IID_DetailChangedEvents, "DetailChangedEvents"},
    {&tracker::IID_MeasurementEvents, "MeasurementEvents"},
    {&tracker::IID_MeasurementStatusEvents, "MeasurementStatusEvents"},
    {&tracker::IID_TargetCollectionEvents, "TargetCollectionEvents"},
    {&tracker::IID_TriggerCollectionEvents, "TriggerCollectionEvents"},
    {&tracker::IID_InclinationMonitoringEvents, "InclinationMonitoringEvents"},
    {&tracker::IID_BoolChangedEvents, "BoolChangedEvents"},
    {&tracker::IID_SwitchChangedEvents, "SwitchChangedEvents"},
    {&tracker::IID_InclinationSensorEvents, "InclinationSensorEvents"},
    {&tracker::IID_OverviewCameraEvents, "OverviewCameraEvents"},
    {&tracker::IID_PowerLevelEvents, "PowerLevelEvents"},
    {&tracker::IID_PowerSourceEvents, "PowerSourceEvents"},
};

} // namespace

std::string EventName(const IID& iid) {
    for (const EventInterface& e : kEvents)
        if (*e.iid == iid)
            return e.name;
    OLECHAR text[40];
    StringFromGUID2(iid, text, 40);
    return platform::Utf8FromWide(text);
}

bool EventIid(std::string_view name, IID& iid) {
    for (const EventInterface& e : kEvents)
        if (name == e.name) {
            iid = *e.iid;
            return true;
        }
    return false;
}

namespace {

// Starts a call line: "<object> <member>".
std::string CallLine(uint32_t id, const std::string& member, uint32_t base) {
    std::string line;
    PutTarget(line, id, base);
    PutLong(line, SessionLog::Get().Member(member));
    return line;
}

// Appends an event argument; an object becomes its wrapper in `passed`.
void PutArgument(LineTokens& line, const VARIANT& in, VARIANT& passed, uint32_t base) {
    passed = in;
    const VARTYPE vt = in.vt;
    if (vt == VT_DISPATCH) {
        const Wrapped wrapped = Wrap(in.pdispVal, kDispatchIndex);
        PutObject(line, wrapped.id, wrapped.created, base);
        passed.pdispVal = static_cast<IDispatch*>(wrapped.object);
        return;
    }
    if ((vt & ~VT_BYREF) == (VT_ARRAY | VT_UI1)) {
        SAFEARRAY* array = (vt & VT_BYREF) ? (in.pparray ? *in.pparray : nullptr) : in.parray;
        void* data = nullptr;
        if (array && SUCCEEDED(SafeArrayAccessData(array, &data))) {
            PutBytes(line, static_cast<const unsigned char*>(data), array->rgsabound[0].cElements);
            SafeArrayUnaccessData(array);
        } else {
            line += std::string_view(" b");
        }
        return;
    }
    switch (vt) {
    case VT_EMPTY:
        line += std::string_view(" -");
        break;
    case VT_NULL:
        line += std::string_view(" N");
        break;
    case VT_I4: // event arguments carry their type: i for 32-bit integers, r for doubles
        PutLong(line, in.lVal, 'i');
        break;
    case VT_R8:
        PutDouble(line, in.dblVal, 'r');
        break;
    case VT_BOOL:
        PutBool(line, in.boolVal);
        break;
    case VT_BSTR:
        PutString(line, in.bstrVal, in.bstrVal ? SysStringLen(in.bstrVal) : 0);
        break;
    default:
        line += std::string_view(" ?");
        PutLong(line, vt);
        break;
    }
}

// What the library calls in place of the module's sink: records the event,
// wraps its objects and calls the module's sink with them.
class SinkWrapper final : public WithoutTypeInfo<IDispatch> {
public:
    SinkWrapper(IUnknown* sink, uint32_t source, const IID& iid)
        : m_sink(sink), m_source(source), m_iid(iid) {}
    SinkWrapper(const SinkWrapper&) = delete;
    SinkWrapper& operator=(const SinkWrapper&) = delete;

    // Answers the event interface when the module's sink does, as the library asks.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid != IID_IUnknown && riid != IID_IDispatch) {
            ComPtr<IDispatch> target;
            const HRESULT hr = m_sink->QueryInterface(riid, target.PutVoid());
            if (FAILED(hr))
                return hr;
            if (!m_target)
                m_target = target;
        }
        AddRef();
        *out = static_cast<IDispatch*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        IDispatch* target = m_target.Get();
        ComPtr<IDispatch> fallback;
        if (!target) {
            if (FAILED(m_sink->QueryInterface(IID_IDispatch, fallback.PutVoid())))
                return E_UNEXPECTED;
            target = fallback.Get();
        }
        SessionLog& log = SessionLog::Get();
        const uint32_t base = NewestId();
        // Arguments come last first; they are recorded in declaration order.
        const UINT count = params ? params->cArgs : 0;
        VARIANT inPlace[kArgumentsInPlace];
        std::vector<VARIANT> more(count > kArgumentsInPlace ? count : 0);
        VARIANT* passed = count > kArgumentsInPlace ? more.data() : inPlace;
        if (log.Active()) {
            const uint64_t since = log.SinceConnect();
            log.BeforeEvent(since);
            const uint32_t member = Member(log, id);
            LineTokens& line = log.Line();
            line += 'e';
            PutLong(line, static_cast<long long>(since));
            PutTarget(line, m_source, base);
            PutLong(line, member);
            for (UINT i = count; i-- > 0;)
                PutArgument(line, params->rgvarg[i], passed[i], base);
            log.Write(line);
        } else {
            LineTokens unused;
            for (UINT i = count; i-- > 0;)
                PutArgument(unused, params->rgvarg[i], passed[i], base);
        }
        DISPPARAMS forwarded = {};
        if (params) {
            forwarded = *params;
            forwarded.rgvarg = count ? passed : nullptr;
        }
        const HRESULT hr = target->Invoke(id, riid, lcid, flags, params ? &forwarded : nullptr,
                                          result, exception, argError);
        for (UINT i = 0; i < count; ++i)
            if (passed[i].vt == VT_DISPATCH && passed[i].pdispVal != params->rgvarg[i].pdispVal &&
                passed[i].pdispVal)
                passed[i].pdispVal->Release();
        return hr;
    }

private:
    static constexpr UINT kArgumentsInPlace = 4;

    ~SinkWrapper() = default;

    // The event's member number; the last event's is kept (a source fires
    // mostly one event).
    uint32_t Member(SessionLog& log, DISPID id) {
        if (m_lastEvent.name.empty() || id != m_lastId) {
            m_lastEvent.name = EventName(m_iid) + "." + std::to_string(id);
            m_lastEvent.slot = MemberSlot{m_lastEvent.name.c_str()};
            m_lastId = id;
        }
        return log.Member(m_lastEvent.slot);
    }

    struct {
        std::string name;
        MemberSlot slot{nullptr};
    } m_lastEvent;
    DISPID m_lastId = 0;
    ComPtr<IUnknown> m_sink;
    ComPtr<IDispatch> m_target; // the sink as the event interface
    uint32_t m_source;
    IID m_iid;
    ULONG m_refs = 1;
};

class ConnectionPointWrapper final : public UnknownWrapperOf<IConnectionPoint> {
public:
    using Interface = IConnectionPoint;
    using UnknownWrapperOf::UnknownWrapperOf;

    void SetSource(uint32_t source) { m_source = source; }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
        return m_inner->GetConnectionInterface(iid);
    }
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override {
        IConnectionPointContainer* inner = nullptr;
        const HRESULT hr = m_inner->GetConnectionPointContainer(container ? &inner : nullptr);
        if (container) {
            *container = static_cast<IConnectionPointContainer*>(
                Wrap(inner, kConnectionPointContainerIndex).object);
            if (inner)
                inner->Release();
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
        const uint32_t base = NewestId();
        IID iid = {};
        m_inner->GetConnectionInterface(&iid);
        HRESULT hr;
        if (!sink) {
            hr = m_inner->Advise(nullptr, cookie);
        } else {
            auto* wrapper = new SinkWrapper(sink, m_source, iid);
            hr = m_inner->Advise(wrapper, cookie);
            wrapper->Release();
        }
        Record("IConnectionPoint.Advise", hr, cookie ? *cookie : 0, base);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
        const uint32_t base = NewestId();
        const HRESULT hr = m_inner->Unadvise(cookie);
        Record("IConnectionPoint.Unadvise", hr, cookie, base);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
        return m_inner->EnumConnections(connections);
    }

private:
    void Record(const char* member, HRESULT hr, DWORD cookie, uint32_t base) {
        SessionLog& log = SessionLog::Get();
        if (!log.Active())
            return;
        std::string line = CallLine(Id(), member, base);
        PutLong(line, cookie);
        if (FAILED(hr))
            PutFailure(line, hr, FailureDescription());
        else
            line += " .";
        log.Write(line);
    }

    uint32_t m_source = 0;
};

class ContainerWrapper final : public UnknownWrapperOf<IConnectionPointContainer> {
public:
    using Interface = IConnectionPointContainer;
    using UnknownWrapperOf::UnknownWrapperOf;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return m_inner->EnumConnectionPoints(points);
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override {
        const uint32_t base = NewestId();
        IConnectionPoint* inner = nullptr;
        const HRESULT hr = m_inner->FindConnectionPoint(riid, out ? &inner : nullptr);
        Wrapped wrapped;
        if (inner) {
            wrapped = Wrap(inner, kConnectionPointIndex);
            inner->Release();
            static_cast<ConnectionPointWrapper*>(static_cast<IConnectionPoint*>(wrapped.object))
                ->SetSource(Id());
        }
        SessionLog& log = SessionLog::Get();
        if (log.Active()) {
            std::string line =
                CallLine(Id(), "IConnectionPointContainer.FindConnectionPoint", base);
            line += ' ';
            line += EventName(riid);
            if (FAILED(hr))
                PutFailure(line, hr, FailureDescription());
            else
                PutObject(line, wrapped.id, wrapped.created, base);
            log.Write(line);
        }
        if (out)
            *out = static_cast<IConnectionPoint*>(wrapped.object);
        return hr;
    }
};

} // namespace

IUnknown* MakeContainerWrapper(void* inner, uint32_t id, bool adopt) {
    auto* wrapper = new ContainerWrapper(static_cast<IConnectionPointContainer*>(inner),
                                         kConnectionPointContainerIndex, id, adopt);
    static const bool remembered = (RememberWrapperClass(wrapper, wrapper), true);
    (void)remembered;
    return static_cast<IConnectionPointContainer*>(wrapper);
}

IUnknown* MakeConnectionPointWrapper(void* inner, uint32_t id, bool adopt) {
    auto* wrapper = new ConnectionPointWrapper(static_cast<IConnectionPoint*>(inner),
                                               kConnectionPointIndex, id, adopt);
    static const bool remembered = (RememberWrapperClass(wrapper, wrapper), true);
    (void)remembered;
    return static_cast<IConnectionPoint*>(wrapper);
}

} // namespace trackerrec
