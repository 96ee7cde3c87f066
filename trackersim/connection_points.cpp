#include "connection_points.h"

#include "fault_sweep.h"

#include "../platform/ui/message_loop.h"

#include <algorithm>

namespace trackersim {
namespace {

std::vector<ConnectionPoint*>& LivePoints() {
    static std::vector<ConnectionPoint*> points;
    return points;
}

DWORD g_nextCookie = 1;
SinkHolding g_holding = SinkHolding::DuringCall;

// Sinks unadvised in the late mode, waiting for the library's later release.
std::vector<ComPtr<IDispatch>>& LateSinks() {
    static std::vector<ComPtr<IDispatch>> sinks;
    return sinks;
}

} // namespace

void SetSinkHolding(SinkHolding holding) {
    g_holding = holding;
}

int ReleaseLateSinks() {
    // Moved out first: a sink's final release may unadvise or release others.
    std::vector<ComPtr<IDispatch>> released = std::move(LateSinks());
    LateSinks().clear();
    const int count = static_cast<int>(released.size());
    released.clear();
    return count;
}

int LateSinkCount() {
    return static_cast<int>(LateSinks().size());
}

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, IDispatch& sender,
                                 const IID& iid)
    : m_container(container), m_sender(sender), m_iid(iid) {
    LivePoints().push_back(this);
}

ConnectionPoint::~ConnectionPoint() {
    auto& points = LivePoints();
    points.erase(std::remove(points.begin(), points.end(), this), points.end());
}

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (riid != IID_IUnknown && riid != IID_IConnectionPoint)
        return E_NOINTERFACE;
    AddRef();
    *out = static_cast<IConnectionPoint*>(this);
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid)
        return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container)
        return E_POINTER;
    m_container.AddRef();
    *container = &m_container;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (HRESULT hr = Enter(TEXT("IConnectionPoint.Advise")); FAILED(hr))
        return hr;
    if (!sink)
        return E_POINTER;
    // The sink must answer this point's own event interface (a dispinterface,
    // so the answer is called as IDispatch).
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(m_iid, dispatch.PutVoid())) || !dispatch)
        return CONNECT_E_CANNOTCONNECT;
    *cookie = g_nextCookie++;
    m_sinks.emplace(*cookie, std::move(dispatch));
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    if (HRESULT hr = Enter(TEXT("IConnectionPoint.Unadvise")); FAILED(hr))
        return hr;
    auto it = m_sinks.find(cookie);
    if (it == m_sinks.end())
        return CONNECT_E_NOCONNECTION;
    ComPtr<IDispatch> released = std::move(it->second);
    m_sinks.erase(it);
    if (g_holding == SinkHolding::Late)
        LateSinks().push_back(std::move(released));
    return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}

void ConnectionPoint::Invoke(DISPID dispid, std::vector<ComVariant>& args) {
    // Automation passes arguments last to first. The sink gets shallow copies.
    std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
    std::vector<DWORD> cookies;
    for (const auto& [cookie, sink] : m_sinks)
        cookies.push_back(cookie);
    for (DWORD cookie : cookies) {
        auto it = m_sinks.find(cookie);
        if (it == m_sinks.end())
            continue; // unadvised by an earlier call
        // Held for the call unless the library is told not to: then a sink
        // unadvised inside its own call may be gone when the call returns.
        IDispatch* sink = it->second.Get();
        ComPtr<IDispatch> held;
        if (g_holding != SinkHolding::WhileConnected)
            held = it->second;
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        sink->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                     nullptr, nullptr);
    }
}

void DeliverEvent(const IID& eventInterface, DISPID dispid, const EventArgs& args) {
    const SweptEventDelivery delivering;
    // Each matching source is kept alive while it delivers; a source created or
    // destroyed by a sink's call is left out.
    std::vector<std::pair<ComPtr<IConnectionPointContainer>, ConnectionPoint*>> targets;
    for (ConnectionPoint* point : LivePoints()) {
        if (point->Iid() != eventInterface || point->ConnectionCount() == 0)
            continue;
        ComPtr<IConnectionPointContainer> source;
        point->GetConnectionPointContainer(source.Put());
        targets.emplace_back(std::move(source), point);
    }
    for (auto& [source, point] : targets) {
        std::vector<ComVariant> values = args(point->Sender());
        if (!values.empty()) // the event does not concern this source
            point->Invoke(dispid, values);
    }
}

void PostEvent(const IID& eventInterface, DISPID dispid, EventArgs args) {
    platform::PostTask(
        [eventInterface, dispid, args = std::move(args), pending = PendingDelivery()] {
            DeliverEvent(eventInterface, dispid, args);
        });
}

void DeliverEventFrom(IConnectionPointContainer* source, const IID& eventInterface, DISPID dispid,
                      const EventArgs& args) {
    const SweptEventDelivery delivering;
    ComPtr<IConnectionPointContainer> alive(source);
    for (ConnectionPoint* point : LivePoints()) {
        ComPtr<IConnectionPointContainer> container;
        point->GetConnectionPointContainer(container.Put());
        if (point->Iid() != eventInterface || container.Get() != source)
            continue;
        std::vector<ComVariant> values = args(point->Sender());
        if (!values.empty())
            point->Invoke(dispid, values);
        return;
    }
}

void PostEventFrom(IConnectionPointContainer* source, const IID& eventInterface, DISPID dispid,
                   EventArgs args) {
    platform::PostTask([source = ComPtr<IConnectionPointContainer>(source), eventInterface, dispid,
                        args = std::move(args), pending = PendingDelivery()] {
        DeliverEventFrom(source.Get(), eventInterface, dispid, args);
    });
}

int LiveConnections(const IID& eventInterface) {
    int count = 0;
    for (ConnectionPoint* point : LivePoints())
        if (point->Iid() == eventInterface)
            count += point->ConnectionCount();
    return count;
}

} // namespace trackersim
