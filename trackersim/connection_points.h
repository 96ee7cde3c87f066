// Connection points of the event sources, and event delivery through the
// thread's message loop.
//
// A delivery looks up the connection points of its event interface that are
// alive when it runs, and calls each sink connected at that moment; a sink
// unadvised meanwhile (even by a nested message loop inside another sink's
// call) is skipped. Sinks are never called from inside a module call.
//
// Advise takes a sink only when it answers the point's event interface. How
// sinks are held is the library's setting (SinkHolding): while connected, and
// by default also for the length of each call; in the late mode an unadvised
// sink stays held until ReleaseLateSinks, as a garbage-collected library
// lets go of it when it collects.
#pragma once

#include "object_base.h"

#include "sim_control.h"

#include "../platform/com/variant.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace trackersim {

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer& container, IDispatch& sender, const IID& iid);
    ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    // Shares the container's reference count: the point lives as long as its source.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return m_container.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_container.Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    const IID& Iid() const { return m_iid; }
    IDispatch& Sender() { return m_sender; }
    int ConnectionCount() const { return static_cast<int>(m_sinks.size()); }
    // Calls every connected sink with the arguments (given in declaration order).
    void Invoke(DISPID dispid, std::vector<ComVariant>& args);

private:
    IConnectionPointContainer& m_container;
    IDispatch& m_sender;
    IID m_iid;
    std::map<DWORD, ComPtr<IDispatch>> m_sinks;
};

// An event source: the object's interfaces plus a connection point container
// with one point per event interface.
template <class... Interfaces>
class EventSource : public ComObject<Interfaces..., IConnectionPointContainer> {
    using Base = ComObject<Interfaces..., IConnectionPointContainer>;

public:
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        if (points)
            *points = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (HRESULT hr = Enter(TEXT("IConnectionPointContainer.FindConnectionPoint")); FAILED(hr))
            return hr;
        for (auto& point : m_points) {
            if (point->Iid() == riid) {
                point->AddRef();
                *out = point.get();
                return S_OK;
            }
        }
        return CONNECT_E_NOCONNECTION;
    }

protected:
    EventSource(platform::WideView className, std::initializer_list<IID> eventInterfaces)
        : Base(className) {
        for (const IID& iid : eventInterfaces)
            m_points.push_back(std::make_unique<ConnectionPoint>(*this, *this->Self(), iid));
    }

private:
    std::vector<std::unique_ptr<ConnectionPoint>> m_points;
};

// Builds an event's arguments for one source, given the source's sender;
// no arguments: the event skips that source.
using EventArgs = std::function<std::vector<ComVariant>(IDispatch& sender)>;

// Queues delivery of the event to the sources alive when the loop runs it.
void PostEvent(const IID& eventInterface, DISPID dispid, EventArgs args);
// Delivers now (from a timer procedure or a posted task, never a module call).
void DeliverEvent(const IID& eventInterface, DISPID dispid, const EventArgs& args);

// The same for one source only (kept alive until the delivery has run).
void PostEventFrom(IConnectionPointContainer* source, const IID& eventInterface, DISPID dispid,
                   EventArgs args);
void DeliverEventFrom(IConnectionPointContainer* source, const IID& eventInterface, DISPID dispid,
                      const EventArgs& args);

int LiveConnections(const IID& eventInterface);

void SetSinkHolding(SinkHolding holding);
// Lets go of the sinks unadvised in the late mode; gives how many there were.
int ReleaseLateSinks();
int LateSinkCount();

} // namespace trackersim
