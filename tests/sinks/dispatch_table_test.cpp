// The automation machinery behind the event sinks: lookup by name and number,
// argument conversion, refusals, interface answers and lifetime.
#include "interfaces/tracker.h"
#include "platform/com/cmdtarget.h"
#include "platform/com/com_ptr.h"
#include "platform/com/variant.h"
#include "plugin/WCMeasurementStatusEventSink.h"
#include "plugin/WCTargetCollectionEventSink.h"
#include "tests/positioning_page/fake_measurement.h"
#include "tests/support/device_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool g_deleted = false;

class Recorder : public CCmdTarget {
public:
    Recorder() { EnableAutomation(); }
    ~Recorder() override { g_deleted = true; }

    std::vector<std::string> calls;
    LONG lastLong = 0;
    double lastDouble = 0;
    VARIANT_BOOL lastBool = 0;
    VARTYPE lastVariantType = VT_EMPTY;
    IDispatch* lastObject = nullptr;

    void First(IDispatch* object, LONG value) {
        calls.push_back("First");
        lastObject = object;
        lastLong = value;
    }
    void Second(IDispatch*, double value) {
        calls.push_back("Second");
        lastDouble = value;
    }
    void Third(VARIANT_BOOL flag, const VARIANT& anything) {
        calls.push_back("Third");
        lastBool = flag;
        lastVariantType = anything.vt;
    }
    void Nothing() { calls.push_back("Nothing"); }

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};

const IID kRecorderEvents = {0x11111111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}};

BEGIN_DISPATCH_MAP(Recorder, CCmdTarget)
DISP_FUNCTION(Recorder, "First", First, VT_EMPTY, VTS_DISPATCH VTS_I4)
DISP_FUNCTION(Recorder, "Changed", Second, VT_EMPTY, VTS_DISPATCH VTS_R8)
DISP_FUNCTION(Recorder, "Changed", Third, VT_EMPTY, VTS_BOOL VTS_VARIANT)
DISP_FUNCTION(Recorder, "Nothing", Nothing, VT_EMPTY, VTS_NONE)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(Recorder, CCmdTarget)
INTERFACE_PART(Recorder, kRecorderEvents, Dispatch)
END_INTERFACE_MAP()

DISPID Lookup(IDispatch* object, const WCHAR* name) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return SUCCEEDED(hr) ? id : hr;
}

// Invokes with arguments given in declaration order (reversed as COM passes them).
HRESULT Call(IDispatch* object, DISPID id, std::vector<ComVariant> args, UINT* argErr = nullptr) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    UINT err = 99;
    const HRESULT hr =
        object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, &err);
    if (argErr)
        *argErr = err;
    return hr;
}

struct OwnedRecorder {
    Recorder* recorder = new Recorder; // deletes itself on final release
    ComPtr<IDispatch> dispatch = ComPtr<IDispatch>::Attach(recorder->GetIDispatch(FALSE));
};

TEST(DispatchTable, NamesAnswerPositionsIgnoringCaseAndFirstOfDuplicates) {
    OwnedRecorder r;
    EXPECT_EQ(Lookup(r.dispatch.Get(), TEXT("First")), 1);
    EXPECT_EQ(Lookup(r.dispatch.Get(), TEXT("fIRST")), 1);
    EXPECT_EQ(Lookup(r.dispatch.Get(), TEXT("CHANGED")), 2);
    EXPECT_EQ(Lookup(r.dispatch.Get(), TEXT("nothing")), 4);
    EXPECT_EQ(Lookup(r.dispatch.Get(), TEXT("Firs")), DISP_E_UNKNOWNNAME);
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(TEXT("First"))};
    const IID other = {1, 2, 3, {0, 0, 0, 0, 0, 0, 0, 0}};
    EXPECT_EQ(r.dispatch->GetIDsOfNames(other, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST(DispatchTable, InvokeConvertsArgumentsToTheEntryTypes) {
    OwnedRecorder r;
    EXPECT_EQ(Call(r.dispatch.Get(), 1,
                   {ComVariant::FromDispatch(r.dispatch.Get()), ComVariant::FromDouble(41.6)}),
              S_OK);
    EXPECT_EQ(r.recorder->lastLong, 42);
    EXPECT_EQ(r.recorder->lastObject, r.dispatch.Get());
    EXPECT_EQ(Call(r.dispatch.Get(), 2,
                   {ComVariant::FromDispatch(nullptr), ComVariant::FromString(TEXT("2.5"))}),
              S_OK);
    EXPECT_EQ(r.recorder->lastDouble, 2.5);
    EXPECT_EQ(
        Call(r.dispatch.Get(), 3, {ComVariant::FromLong(7), ComVariant::FromString(TEXT("x"))}),
        S_OK);
    EXPECT_EQ(r.recorder->lastBool, VARIANT_TRUE);
    EXPECT_EQ(r.recorder->lastVariantType, VT_BSTR); // passed through unconverted
    EXPECT_EQ(Call(r.dispatch.Get(), 4, {}), S_OK);
    EXPECT_EQ(r.recorder->calls, (std::vector<std::string>{"First", "Second", "Third", "Nothing"}));
}

TEST(DispatchTable, RefusedCallsRunNoHandler) {
    OwnedRecorder r;
    UINT argErr = 0;
    EXPECT_EQ(Call(r.dispatch.Get(), 1, {ComVariant::FromDispatch(nullptr)}), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(r.dispatch.Get(), 1,
                   {ComVariant::FromString(TEXT("not an object")), ComVariant::FromLong(1)},
                   &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 1u); // the first argument sits last in the array
    EXPECT_EQ(Call(r.dispatch.Get(), 1,
                   {ComVariant::FromDispatch(nullptr), ComVariant::FromString(TEXT("many"))},
                   &argErr),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);
    EXPECT_EQ(Call(r.dispatch.Get(), 5, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(r.dispatch.Get(), 0, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Call(r.dispatch.Get(), -1, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_TRUE(r.recorder->calls.empty());
}

TEST(DispatchTable, InterfacesAndFinalRelease) {
    g_deleted = false;
    Recorder* recorder = new Recorder; // starts with one reference: ours
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(recorder->InternalQueryInterface(IID_IUnknown, unknown.PutVoid()), S_OK);
    ComPtr<IDispatch> events;
    EXPECT_EQ(unknown->QueryInterface(kRecorderEvents, events.PutVoid()), S_OK);
    EXPECT_TRUE(IsSameComObject(unknown.Get(), events.Get()));
    ComPtr<IDispatch> other;
    EXPECT_EQ(unknown->QueryInterface(tracker::IID_TrackerEvents, other.PutVoid()), E_NOINTERFACE);
    unknown.Reset();
    events.Reset();
    EXPECT_FALSE(g_deleted);
    recorder->InternalRelease();
    EXPECT_TRUE(g_deleted);
}

template <class Sink> ComPtr<IDispatch> DispatchOf(Sink* sink) {
    return ComPtr<IDispatch>::Attach(sink->GetIDispatch(FALSE));
}

class OwnedSinkTest : public simtest::DeviceTest {};

// The entries whose handlers do nothing, on the sinks of a device that is
// probing, given a sample that the target-position entry turns into a record.
TEST_F(OwnedSinkTest, EntriesWithoutAHandlerDoNothingForAProbingDevice) {
    ConnectDevice();
    ASSERT_EQ(device->StartProbeMeasure(), 1);
    auto* targets = new WCTargetCollectionEventSink(device.get());
    auto* status = new WCMeasurementStatusEventSink(device.get());
    ComPtr<IDispatch> t = DispatchOf(targets), s = DispatchOf(status);
    fakes::MeasurementContent content;
    content.position = fakes::Values::Make(TEXT("P"), 1, 2, 3, TEXT("mm"));
    ComPtr<fakes::Measurement> sample = fakes::Measurement::Make(content);
    const ComVariant sampleArgument =
        ComVariant::FromDispatch(static_cast<tracker::Measurement*>(sample.Get()));
    for (DISPID entry : {1, 2, 4}) // SelectedChanged, PreSelectedChanged, ActiveTipChanged
        EXPECT_EQ(Call(t.Get(), entry, {ComVariant::FromDispatch(nullptr), sampleArgument}), S_OK);
    EXPECT_EQ(Call(s.Get(), 1, {ComVariant::FromDispatch(nullptr), ComVariant::FromLong(3)}), S_OK);
    EXPECT_TRUE(posted.empty());
    EXPECT_EQ(Call(t.Get(), 3, {ComVariant::FromDispatch(nullptr), sampleArgument}), S_OK);
    ASSERT_EQ(posted.size(), 1u); // the same sample, given to TargetPositionChanged
    EXPECT_EQ(posted[0].data.GetPts()[2], 3);
    t.Detach();
    s.Detach();
    targets->OnFinalRelease();
    status->OnFinalRelease();
}

} // namespace
