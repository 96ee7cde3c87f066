// Connecting the simulated tracker, failures with their descriptions and
// object lifetimes.
#include "tracker_fixture.h"

using namespace tracker;

class ConnectionTest : public simtest::SimTest {};

TEST_F(ConnectionTest, ConnectAcceptsDottedAddressesAndRefusesOthersWithADescription) {
    ComPtr<Tracker> t;
    EXPECT_EQ(ConnectTo(TEXT("10.0.0.7"), t), S_OK);
    EXPECT_TRUE(t);
    EXPECT_TRUE(Sim().IsConnected());
    t = nullptr;
    EXPECT_FALSE(Sim().IsConnected()) << "releasing the tracker ends the connection";

    EXPECT_TRUE(FAILED(ConnectTo(TEXT(""), t)));
    EXPECT_FALSE(t);
    EXPECT_EQ(TakeErrorDescription(), TEXT("No tracker address was given."));
    for (const WCHAR* bad :
         {TEXT("tracker"), TEXT("1.2.3"), TEXT("1.2.3.256"), TEXT("1.2.3.4.5"), TEXT("1..2.3")}) {
        EXPECT_TRUE(FAILED(ConnectTo(bad, t))) << platform::Utf8FromWide(bad);
        EXPECT_EQ(TakeErrorDescription(),
                  platform::WideString(TEXT("No tracker answers at ")) + bad + TEXT("."));
    }
}

TEST_F(ConnectionTest, InjectedFailuresCarryTheirDescriptionOnceOrAlways) {
    ComPtr<Tracker> t;
    Sim().InjectFailure(TEXT("TrackerConnection.Connect"), E_FAIL, 17, TEXT("Tracker busy"), true);
    EXPECT_EQ(ConnectTo(TEXT("1.2.3.4"), t), E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), TEXT("Tracker busy"));
    EXPECT_EQ(ConnectTo(TEXT("1.2.3.4"), t), S_OK) << "a one-shot fault applies once";

    Sim().InjectFailure(TEXT("Tracker.Disconnect"), static_cast<HRESULT>(0x80040301), 5,
                        TEXT("No way"), false);
    EXPECT_EQ(t->Disconnect(), static_cast<HRESULT>(0x80040301));
    EXPECT_EQ(t->Disconnect(), static_cast<HRESULT>(0x80040301));
    EXPECT_TRUE(Sim().IsConnected());
    Sim().ClearFault(TEXT("Tracker.Disconnect"));
    EXPECT_EQ(t->Disconnect(), S_OK);
    EXPECT_FALSE(Sim().IsConnected());
    EXPECT_EQ(Sim().CallCount(TEXT("Tracker.Disconnect")), 3);

    // A failure without a description of its own never shows an earlier one.
    Sim().InjectFailure(TEXT("Tracker.Disconnect"), E_FAIL, 0, TEXT("first"), true);
    EXPECT_EQ(t->Disconnect(), E_FAIL);
    ComPtr<Measurements> m;
    EXPECT_EQ(t->get_Measurements(nullptr), E_POINTER);
    EXPECT_EQ(TakeErrorDescription(), TEXT("<none>"));
}

TEST_F(ConnectionTest, EveryObjectIsFreedWhenTheLastReferenceGoes) {
    EXPECT_EQ(Sim().LiveObjectCount(), 0) << "the control's own connection is not counted";
    {
        ComPtr<Tracker> t;
        ASSERT_EQ(ConnectTo(TEXT("1.2.3.4"), t), S_OK);
        ComPtr<Measurements> m;
        t->get_Measurements(m.Put());
        ComPtr<Measurement> one;
        ASSERT_EQ(m->Measure(one.Put()), S_OK);
        RecordingSink sink;
        DWORD cookie = 0;
        ASSERT_EQ(Advise(t.Get(), IID_TrackerEvents, &sink, cookie), S_OK);
        EXPECT_GT(Sim().LiveObjectCount(), 10);
        t = nullptr; // the sink's connection is dropped with its source
        m = nullptr;
        one = nullptr;
        EXPECT_EQ(sink.refs, 0u);
    }
    EXPECT_EQ(Sim().LiveObjectCount(), 0);
    EXPECT_EQ(Sim().LiveConnectionCount(IID_TrackerEvents), 0);

    // A connection object the module creates and leaks is counted.
    ComPtr<TrackerConnection> leaked;
    ASSERT_EQ(CoCreateInstance(CLSID_TrackerConnection, nullptr, CLSCTX_ALL, TrackerConnection::iid,
                               leaked.PutVoid()),
              S_OK);
    EXPECT_EQ(Sim().LiveObjectCount(), 1);
}
