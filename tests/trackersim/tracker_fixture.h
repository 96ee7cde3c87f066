// A connected simulated tracker and helpers to read it.
#pragma once

#include "recording_sink.h"

#include "interfaces/tracker.h"
#include "platform/base/text.h"
#include "platform/com/bstr.h"
#include "platform/ui/message_loop.h"
#include "tests/support/sim_fixture.h"

#include <deque>
#include <string>

// The description of the thread's error information, taken (and cleared).
inline platform::WideString TakeErrorDescription() {
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) != S_OK || !info)
        return TEXT("<none>");
    ComBstr text;
    info->GetDescription(text.Put());
    return text.Str();
}

inline HRESULT ConnectTo(const WCHAR* address, ComPtr<tracker::Tracker>& tracker) {
    ComPtr<tracker::TrackerConnection> connection;
    HRESULT hr = CoCreateInstance(tracker::CLSID_TrackerConnection, nullptr, CLSCTX_ALL,
                                  tracker::TrackerConnection::iid, connection.PutVoid());
    if (FAILED(hr))
        return hr;
    ComBstr text(address);
    return connection->Connect(text.Get(), tracker.Put());
}

template <class V> double ValueOf(const ComPtr<V>& value) {
    double out = -12345;
    EXPECT_TRUE(value) << "value object missing";
    if (value) {
        EXPECT_EQ(value->get_Value(&out), S_OK);
    }
    return out;
}

// The source's connection point for `iid`.
inline HRESULT PointOf(IUnknown* source, const IID& iid, ComPtr<IConnectionPoint>& point) {
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, container.PutVoid());
    return FAILED(hr) ? hr : container->FindConnectionPoint(iid, point.Put());
}

inline HRESULT Advise(IUnknown* source, const IID& iid, IUnknown* sink, DWORD& cookie) {
    ComPtr<IConnectionPoint> point;
    const HRESULT hr = PointOf(source, iid, point);
    return FAILED(hr) ? hr : point->Advise(sink, &cookie);
}

inline HRESULT Unadvise(IUnknown* source, const IID& iid, DWORD cookie) {
    ComPtr<IConnectionPoint> point;
    const HRESULT hr = PointOf(source, iid, point);
    return FAILED(hr) ? hr : point->Unadvise(cookie);
}

class TrackerTest : public simtest::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_EQ(ConnectTo(TEXT("192.168.0.1"), tracker), S_OK);
        ASSERT_EQ(tracker->get_Measurements(measurements.Put()), S_OK);
        ASSERT_TRUE(measurements);
    }
    void TearDown() override {
        measurements = nullptr;
        tracker = nullptr;
        SimTest::TearDown();
    }

    // A sink that outlives the tracker's connections (the tracker is released first).
    RecordingSink& NewSink() { return m_sinks.emplace_back(); }

    ComPtr<tracker::Tracker> tracker;
    ComPtr<tracker::Measurements> measurements;

private:
    std::deque<RecordingSink> m_sinks;
};
