// The "Profiles" page against the simulated tracker, through the
// screen: filling from the tracker, the accuracy coding, separations,
// selections, the power status and its events, the registry and null
// objects.
#include "tests/profiles_page/page_fixture.h"

#include "platform/com/variant.h"
#include "plugin/WCPowerStatusEventSink.h"
#include "toolsheet/WCPropPageSettings.h"

#include <gtest/gtest.h>

#include <algorithm>

using pagetest::Narrow;
using trackersim::ProfileKind;
using trackersim::ProfileState;
using trackersim::TargetKind;

namespace {

// The simulator's default profiles, by position.
constexpr int kStationary = 0;
constexpr int kTime = 1;
constexpr int kDistance = 2;
constexpr int kAreaScan = 3;
constexpr int kCustom = 4;

class ProfilesPageTest : public pagetest::SheetTest {
protected:
    WCPropPageSettings& Page() { return *device->m_profilesPage; }
    CWnd& Tab() override { return Page(); }

    void OpenProfiles(bool connect = true) {
        OpenSheet(connect);
        if (HasFatalFailure())
            return;
        ShowTab(device->m_profilesPage.get());
    }
    // Disconnects (the page ends its subscription) and saves and destroys the
    // sheet, as Close does.
    void Close() {
        if (device->m_connected) {
            ASSERT_TRUE(device->Disconnect());
        }
        device->DestroyToolSheet();
    }

    ProfileState Profile(int index) {
        ProfileState state{};
        Sim().GetProfile(index, &state);
        return state;
    }
    platform::WideString SelectedTargetName() {
        ComPtr<tracker::TargetCollection> targets;
        EXPECT_EQ(device->m_tracker->get_TargetCollection(targets.Put()), S_OK);
        ComPtr<tracker::Target> selected;
        EXPECT_EQ(targets->get_Selected(selected.Put()), S_OK);
        ComBstr name;
        EXPECT_EQ(selected->get_Name(name.Put()), S_OK);
        return name.Str();
    }

    // Picks the entry at a position (as a person does among entries that
    // differ only in case).
    void ChooseAt(int id, int index) {
        HWND combo = Control(id);
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(Page().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    }
    // Another entry than the selected one.
    void ChooseAnother(int id) {
        const auto items = Items(id);
        ASSERT_GE(items.size(), 2u);
        ChooseAt(id, (Selection(id) + 1) % static_cast<int>(items.size()));
    }
    int Connections() {
        return Sim().LiveConnectionCount(tracker::IID_PowerSourceEvents) +
               Sim().LiveConnectionCount(tracker::IID_PowerLevelEvents);
    }
};

// An event straight into a power status sink: entry 1 (level) or 2 (source).
HRESULT FireAt(WCPowerStatusEventSink& sink, DISPID entry) {
    std::vector<ComVariant> reversed = {entry == 1 ? ComVariant::FromDouble(50.0)
                                                   : ComVariant::FromLong(1),
                                        ComVariant::FromDispatch(nullptr)};
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return sink.GetIDispatch(FALSE)->Invoke(entry, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                                            nullptr, nullptr);
}

TEST_F(ProfilesPageTest, FirstShowWhileConnectedFillsThePageFromTheTracker) {
    Sim().SetProfile(kStationary, nullptr, 2, 0); // "Fast"
    Sim().SetProfile(kAreaScan, nullptr, 0, 0);   // "Precise"
    Sim().SetProfile(kTime, nullptr, 1, 123.456789);
    OpenSheet();
    const int writes = Sim().CallCount(TEXT("NumericSetting.put_Value")); // the "Main" page's
    ShowTab(device->m_profilesPage.get());
    ASSERT_TRUE(Page().m_initialized);

    EXPECT_EQ(Items(IDC_PROFILE_LIST),
              (std::vector<platform::WideString>{TEXT("Area Scan"), TEXT("Continuous Distance"),
                                                 TEXT("Continuous Time"), TEXT("Custom Trigger"),
                                                 TEXT("Stationary")})); // sorted
    EXPECT_EQ(SelectedItem(IDC_PROFILE_LIST), TEXT("Stationary"));

    const auto targets = Items(IDC_PROFILE_TARGET_LIST);
    EXPECT_EQ(targets.size(), 5u); // "Tooling target" is not selectable
    EXPECT_EQ(std::count(targets.begin(), targets.end(), TEXT("Tooling target")), 0);
    EXPECT_EQ(SelectedItem(IDC_PROFILE_TARGET_LIST), TEXT("Q-Wand"));

    EXPECT_EQ(Text(IDC_TIME_SEPARATION), TEXT("123.457")); // six significant digits
    EXPECT_EQ(Text(IDC_TIME_UNIT), TEXT(" [ ms ]"));
    EXPECT_EQ(Text(IDC_DISTANCE_SEPARATION), TEXT("1"));
    EXPECT_EQ(Text(IDC_DISTANCE_UNIT), TEXT(" [ mm ]"));

    EXPECT_EQ(Page().m_rbFast, 0);
    EXPECT_EQ(Check(IDC_RB_FAST), BST_CHECKED);
    EXPECT_EQ(Check(IDC_RB_STANDARD), BST_UNCHECKED);
    EXPECT_EQ(Page().m_rbScanFast, 2);
    EXPECT_EQ(Check(IDC_RB_SCAN_PRECISE), BST_CHECKED);

    EXPECT_EQ(Text(IDC_POWER_SOURCE), TEXT("Mains"));
    EXPECT_EQ(Text(IDC_POWER_LEVEL), TEXT("87.5"));
    EXPECT_EQ(Sim().LiveConnectionCount(tracker::IID_PowerSourceEvents), 1);
    EXPECT_EQ(Sim().LiveConnectionCount(tracker::IID_PowerLevelEvents), 1);
    EXPECT_NE(Page().m_powerStatusSink, nullptr);

    // The time value shown is written back; the accuracies were only read.
    EXPECT_EQ(Sim().CallCount(TEXT("NumericSetting.put_Value")), writes + 1);
    EXPECT_DOUBLE_EQ(Profile(kTime).separation, 123.457);
    EXPECT_EQ(Sim().CallCount(TEXT("StationaryProfile.put_Accuracy")), 0);
    EXPECT_TRUE(BoxTexts().empty());
}

// Neither a tracker's accuracy outside the table nor a stored choice outside
// the buttons is taken; nothing is written.
TEST_F(ProfilesPageTest, AccuraciesOutsideTheTableLeaveTheChoiceAndWriteNothing) {
    Sim().SetProfile(kStationary, nullptr, 7, 0);
    Sim().SetProfile(kAreaScan, nullptr, -3, 0);
    StoreDword(TEXT("m_rbFast"), 5);
    StoreDword(TEXT("m_rbScanFast"), 0xFFFFFFFFu);
    OpenProfiles();
    EXPECT_EQ(Page().m_rbFast, 0);
    EXPECT_EQ(Page().m_rbScanFast, 0);
    EXPECT_EQ(Check(IDC_RB_FAST), BST_CHECKED);
    EXPECT_EQ(Check(IDC_RB_SCAN_FAST), BST_CHECKED);
    EXPECT_EQ(Profile(kStationary).accuracy, 7);
    EXPECT_EQ(Profile(kAreaScan).accuracy, -3);
    EXPECT_EQ(Sim().CallCount(TEXT("StationaryProfile.put_Accuracy")), 0);
    EXPECT_EQ(Sim().CallCount(TEXT("AreaScanProfile.put_Accuracy")), 0);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, ClickingAnotherAccuracySendsItAtOnceAndTheCheckedOneNothing) {
    OpenProfiles(); // both "Standard" (tracker accuracy 1)
    ASSERT_EQ(Page().m_rbFast, 1);
    Click(IDC_RB_STANDARD);
    EXPECT_EQ(Sim().CallCount(TEXT("StationaryProfile.put_Accuracy")), 0);

    Click(IDC_RB_PRECISE);
    EXPECT_EQ(Page().m_rbFast, 2);
    EXPECT_EQ(Profile(kStationary).accuracy, 0);
    Click(IDC_RB_FAST);
    EXPECT_EQ(Page().m_rbFast, 0);
    EXPECT_EQ(Profile(kStationary).accuracy, 2);
    EXPECT_EQ(Sim().CallCount(TEXT("StationaryProfile.put_Accuracy")), 2);
    EXPECT_EQ(Profile(kAreaScan).accuracy, 1);

    Click(IDC_RB_SCAN_PRECISE);
    EXPECT_EQ(Page().m_rbScanFast, 2);
    EXPECT_EQ(Profile(kAreaScan).accuracy, 0);
    Click(IDC_RB_SCAN_FAST);
    EXPECT_EQ(Profile(kAreaScan).accuracy, 2);
    Click(IDC_RB_SCAN_FAST);
    EXPECT_EQ(Sim().CallCount(TEXT("AreaScanProfile.put_Accuracy")), 2);
    EXPECT_EQ(Profile(kStationary).accuracy, 2);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, WhileNotConnectedAClickMovesOnlyTheButtonAndCloseSavesTheMember) {
    OpenProfiles();
    ASSERT_TRUE(device->Disconnect());
    Click(IDC_RB_PRECISE);
    Click(IDC_RB_SCAN_FAST);
    EXPECT_EQ(Check(IDC_RB_PRECISE), BST_CHECKED);
    EXPECT_EQ(Page().m_rbFast, 1);
    EXPECT_EQ(Page().m_rbScanFast, 1);
    Close();
    DWORD stored = 9;
    ASSERT_TRUE(StoredDword(TEXT("m_rbFast"), stored));
    EXPECT_EQ(stored, 1u);
    ASSERT_TRUE(StoredDword(TEXT("m_rbScanFast"), stored));
    EXPECT_EQ(stored, 1u);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, FirstShowWhileNotConnectedWaitsForTheConnection) {
    StoreDword(TEXT("m_rbFast"), 2);
    OpenProfiles(false);
    ASSERT_TRUE(Page().m_initialized);
    EXPECT_TRUE(Items(IDC_PROFILE_LIST).empty());
    EXPECT_EQ(Text(IDC_POWER_SOURCE), TEXT("Mains")); // the template's texts
    EXPECT_EQ(Text(IDC_POWER_LEVEL), TEXT("0.000"));
    EXPECT_EQ(Page().m_powerStatusSink, nullptr);
    // The stored choice is shown, though nothing could be sent.
    EXPECT_EQ(Page().m_rbFast, 2);
    EXPECT_EQ(Check(IDC_RB_PRECISE), BST_CHECKED);

    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_EQ(Items(IDC_PROFILE_LIST).size(), 5u);
    EXPECT_EQ(Page().m_rbFast, 1); // after a connect the tracker's values show
    EXPECT_EQ(Check(IDC_RB_STANDARD), BST_CHECKED);
    EXPECT_EQ(Text(IDC_POWER_LEVEL), TEXT("87.5"));
    EXPECT_EQ(Connections(), 2);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, StoredValuesWinAndAreWrittenToTheTrackerAtFirstShow) {
    StoreString(TEXT("m_TimeSeperation"), TEXT("250"));
    StoreString(TEXT("m_DistanceSeperation"), TEXT("7.5"));
    StoreDword(TEXT("m_rbFast"), 2);
    StoreDword(TEXT("m_rbScanFast"), 0);
    OpenProfiles();
    EXPECT_EQ(Text(IDC_TIME_SEPARATION), TEXT("250"));
    EXPECT_EQ(Profile(kTime).separation, 250.0);
    EXPECT_EQ(Text(IDC_DISTANCE_SEPARATION), TEXT("7.5"));
    EXPECT_EQ(Profile(kDistance).separation, 1.0); // the distance is not applied
    EXPECT_EQ(Page().m_rbFast, 2);
    EXPECT_EQ(Check(IDC_RB_PRECISE), BST_CHECKED);
    EXPECT_EQ(Profile(kStationary).accuracy, 0);
    EXPECT_EQ(Page().m_rbScanFast, 0);
    EXPECT_EQ(Check(IDC_RB_SCAN_FAST), BST_CHECKED);
    EXPECT_EQ(Profile(kAreaScan).accuracy, 2);
    EXPECT_TRUE(BoxTexts().empty());
}

// Loading them back is StoredValuesWinAndAreWrittenToTheTrackerAtFirstShow.
// An emptied edit keeps what was stored.
TEST_F(ProfilesPageTest, CloseSavesTheTypedTimeAndTheChosenAccuracies) {
    StoreString(TEXT("m_DistanceSeperation"), TEXT("2"));
    OpenProfiles();
    Type(IDC_TIME_SEPARATION, TEXT("321"));
    ::SetWindowTextW(Control(IDC_DISTANCE_SEPARATION), TEXT(""));
    Click(IDC_RB_FAST);
    Click(IDC_RB_SCAN_PRECISE);
    Close();
    platform::WideString text;
    ASSERT_TRUE(StoredString(TEXT("m_TimeSeperation"), text));
    EXPECT_EQ(text, TEXT("321"));
    ASSERT_TRUE(StoredString(TEXT("m_DistanceSeperation"), text));
    EXPECT_EQ(text, TEXT("2"));
    DWORD value = 9;
    ASSERT_TRUE(StoredDword(TEXT("m_rbFast"), value));
    EXPECT_EQ(value, 0u);
    ASSERT_TRUE(StoredDword(TEXT("m_rbScanFast"), value));
    EXPECT_EQ(value, 2u);
    // An emptied time edit keeps the stored time too.
    OpenProfiles();
    Type(IDC_TIME_SEPARATION, TEXT(""));
    Close();
    ASSERT_TRUE(StoredString(TEXT("m_TimeSeperation"), text));
    EXPECT_EQ(text, TEXT("321"));
}

TEST_F(ProfilesPageTest, NeverOpeningTheTabWritesNothingAndIgnoresConnections) {
    OpenSheet();
    ASSERT_TRUE(device->Disconnect());
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_FALSE(Page().m_initialized);
    EXPECT_EQ(Connections(), 0);
    Sim().SetPowerStatus(1, 10.0);
    Pump();
    Close();
    platform::WideString text;
    DWORD value = 0;
    EXPECT_FALSE(StoredString(TEXT("m_TimeSeperation"), text));
    EXPECT_FALSE(StoredString(TEXT("m_DistanceSeperation"), text));
    EXPECT_FALSE(StoredDword(TEXT("m_rbFast"), value));
    EXPECT_FALSE(StoredDword(TEXT("m_rbScanFast"), value));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, TimeSeparationIsAppliedAsTypedWithoutUnitConversion) {
    OpenProfiles();
    Type(IDC_TIME_SEPARATION, TEXT("12.5"));
    EXPECT_EQ(Profile(kTime).separation, 12.5);
    const int writes = Sim().CallCount(TEXT("NumericSetting.put_Value"));
    Type(IDC_TIME_SEPARATION, TEXT("")); // an empty text sends nothing
    EXPECT_EQ(Sim().CallCount(TEXT("NumericSetting.put_Value")), writes);
    Type(IDC_TIME_SEPARATION, TEXT("abc")); // not a number: 0
    EXPECT_EQ(Profile(kTime).separation, 0.0);
    Type(IDC_TIME_SEPARATION, TEXT("40ms"));
    EXPECT_EQ(Profile(kTime).separation, 40.0);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, DistanceEditIsDisabledAndItsTextIsNotApplied) {
    OpenProfiles();
    HWND distance = Control(IDC_DISTANCE_SEPARATION);
    EXPECT_FALSE(::IsWindowEnabled(distance));
    EXPECT_FALSE(platform::TypeText(distance, TEXT("9"))); // a person cannot type there
    const int writes = Sim().CallCount(TEXT("NumericSetting.put_Value"));
    ::SetWindowTextW(distance, TEXT("9"));
    EXPECT_EQ(Sim().CallCount(TEXT("NumericSetting.put_Value")), writes);
    EXPECT_EQ(Profile(kDistance).separation, 1.0);
}

TEST_F(ProfilesPageTest, ChoosingAProfileMakesEveryProfileOfThatNameActive) {
    Sim().SetProfile(kCustom, TEXT("Area Scan"), 1, 0); // two profiles share a name
    OpenProfiles();
    Choose(IDC_PROFILE_LIST, TEXT("Continuous Time"));
    EXPECT_TRUE(Profile(kTime).active);
    EXPECT_EQ(Sim().CallCount(TEXT("MeasurementProfile.Select")), 1);
    Choose(IDC_PROFILE_LIST, TEXT("Area Scan"));
    EXPECT_EQ(Sim().CallCount(TEXT("MeasurementProfile.Select")), 3);
    EXPECT_TRUE(Profile(kCustom).active); // the later of the two
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, ChoosingATargetSelectsTheSelectableTargetsOfExactlyThatName) {
    const TargetKind kinds[] = {TargetKind::Reflector, TargetKind::Reflector, TargetKind::Probe,
                                TargetKind::Reflector};
    const WCHAR* names[] = {TEXT("Ball"), TEXT("ball"), TEXT("Wand"), TEXT("ball")};
    Sim().SetTargets(kinds, names, 4);
    Sim().SetTargetSelectable(3, false);
    OpenProfiles();
    // Sorted without regard to case, a name equal to one already listed goes
    // before it, and the case-blind search for the current target finds the
    // first of the two: as the system's combo box does.
    EXPECT_EQ(Items(IDC_PROFILE_TARGET_LIST),
              (std::vector<platform::WideString>{TEXT("ball"), TEXT("Ball"), TEXT("Wand")}));
    EXPECT_EQ(SelectedItem(IDC_PROFILE_TARGET_LIST), TEXT("ball"));
    Choose(IDC_PROFILE_TARGET_LIST, TEXT("Wand"));
    EXPECT_EQ(SelectedTargetName(), TEXT("Wand"));
    EXPECT_EQ(Sim().CallCount(TEXT("Target.Select")), 1);
    ChooseAt(IDC_PROFILE_TARGET_LIST, 0);                 // "ball"
    EXPECT_EQ(Sim().CallCount(TEXT("Target.Select")), 2); // not "Ball", not the unselectable one
    EXPECT_EQ(SelectedTargetName(), TEXT("ball"));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, CurrentTargetThatIsNotSelectableLeavesTheListUnselected) {
    Sim().SetTargetSelectable(0, false); // the selected "Q-Wand"
    OpenProfiles();
    EXPECT_EQ(Selection(IDC_PROFILE_TARGET_LIST), -1);
}

// No sheet yet, a page without its window, a page destroyed: nothing to refresh.
TEST_F(ProfilesPageTest, PowerEventsWithoutAShownPageChangeNothing) {
    ConnectDevice();
    auto* sink = new WCPowerStatusEventSink(device.get());
    auto fire = [&] {
        EXPECT_EQ(FireAt(*sink, 1), S_OK);
        EXPECT_EQ(FireAt(*sink, 2), S_OK);
    };
    fire();
    ASSERT_TRUE(device->BuildToolSheet());
    fire();
    EXPECT_EQ(Sim().CallCount(TEXT("Tracker.get_PowerStatus")), 0);
    device->DestroyToolSheet();
    fire();
    sink->InternalRelease(); // its last reference: deleted
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ProfilesPageTest, PageDeletedWhileStillSubscribedIsNotCalledAnyMore) {
    OpenProfiles();
    Sim().InjectFailure(TEXT("Tracker.get_PowerStatus"), E_FAIL, 5, TEXT("Power status unreadable"),
                        false);
    EXPECT_FALSE(device->Disconnect()); // the page's unsubscription failed
    EXPECT_EQ(BoxTexts(), std::vector<platform::WideString>{TEXT("Power status unreadable")});
    Sim().ClearFaults();
    device->DestroyToolSheet(); // the page goes while the power source still holds its sink
    EXPECT_EQ(Connections(), 2);
    const int reads = Sim().CallCount(TEXT("Tracker.get_PowerStatus"));
    Sim().SetPowerStatus(1, 1.0);
    Pump(); // reaches the sink, which no longer knows the device
    EXPECT_EQ(Sim().CallCount(TEXT("Tracker.get_PowerStatus")), reads);
    EXPECT_EQ(BoxTexts().size(), 1u);
}

// Power events refresh the labels; a disconnect ends both subscriptions and a
// reconnect renews them once.
TEST_F(ProfilesPageTest, PowerEventsRefreshTheLabelsUntilADisconnectAndAfterAReconnect) {
    OpenProfiles();
    Sim().SetPowerStatus(1, 42.5);
    Pump();
    EXPECT_EQ(Text(IDC_POWER_SOURCE), TEXT("Battery"));
    EXPECT_EQ(Text(IDC_POWER_LEVEL), TEXT("42.5"));
    Sim().SetPowerStatus(0, 100.0);
    Pump();
    EXPECT_EQ(Text(IDC_POWER_SOURCE), TEXT("Mains"));
    EXPECT_EQ(Text(IDC_POWER_LEVEL), TEXT("100"));
    Sim().SetPowerStatus(5, 3.25); // an unknown source leaves its label
    Pump();
    EXPECT_EQ(Text(IDC_POWER_SOURCE), TEXT("Mains"));
    EXPECT_EQ(Text(IDC_POWER_LEVEL), TEXT("3.25"));
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(Connections(), 2);
    ASSERT_TRUE(device->Disconnect());
    EXPECT_EQ(Connections(), 0);
    EXPECT_EQ(Page().m_powerStatusSink, nullptr);
    EXPECT_EQ(Page().m_powerStatusSinkDisp.Get(), nullptr);

    Sim().SetProfile(kStationary, nullptr, 0, 0); // changed while away
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_EQ(Connections(), 2);
    EXPECT_EQ(Page().m_rbFast, 2);
    EXPECT_EQ(Check(IDC_RB_PRECISE), BST_CHECKED);
    const int reads = Sim().CallCount(TEXT("PowerSource.get_Value"));
    Sim().SetPowerStatus(1, 12.0);
    Pump();
    EXPECT_EQ(Text(IDC_POWER_SOURCE), TEXT("Battery"));
    // One refresh per event (source, level): one sink, not two.
    EXPECT_EQ(Sim().CallCount(TEXT("PowerSource.get_Value")), reads + 2);
}

TEST_F(ProfilesPageTest, NullTrackerObjectsLeaveTheirPartOfThePageQuietly) {
    const WCHAR* const nulls[] = {
        TEXT("Tracker.get_Measurements"),
        TEXT("Measurements.get_MeasurementProfileCollection"),
        TEXT("MeasurementProfileCollection.get_Item"),
        TEXT("MeasurementProfileCollection.get_Active"),
        TEXT("ContinuousTimeProfile.get_TimeSeparation"),
        TEXT("ContinuousDistanceProfile.get_DistanceSeparation"),
        TEXT("Tracker.get_TargetCollection"),
        TEXT("TargetCollection.get_Item"),
        TEXT("TargetCollection.get_Selected"),
        TEXT("Tracker.get_PowerStatus"),
        TEXT("PowerStatus.get_Source"),
        TEXT("PowerStatus.get_Level"),
    };
    for (const WCHAR* null : nulls) {
        SCOPED_TRACE(Narrow(null));
        Sim().MakeNull(null, false);
        OpenProfiles();
        Click(IDC_RB_PRECISE);
        Click(IDC_RB_SCAN_FAST);
        Type(IDC_TIME_SEPARATION, TEXT("75"));
        if (Items(IDC_PROFILE_LIST).size() >= 2)
            ChooseAnother(IDC_PROFILE_LIST);
        if (Items(IDC_PROFILE_TARGET_LIST).size() >= 2)
            ChooseAnother(IDC_PROFILE_TARGET_LIST);
        Sim().SetPowerStatus(1, 20.0);
        Pump();
        EXPECT_TRUE(BoxTexts().empty());
        Close();
        Sim().Reset();
        Pump();
        EXPECT_EQ(Sim().LiveObjectCount(), 0);
    }
}

// A library failure in a power event or in the disabled distance edit (which
// no user types into) is shown with the library's description; the other
// handlers' failures are the session sweep's (the tour uses every control).
TEST_F(ProfilesPageTest, AFailureOfThePowerEventAndTheDistanceEditIsShown) {
    OpenProfiles();
    Sim().InjectFailure(TEXT("PowerLevel.get_Value"), E_FAIL, 78, TEXT("Power failed"), true);
    Sim().SetPowerStatus(1, 51.0);
    Pump();
    Sim().InjectFailure(TEXT("MeasurementProfile.ContinuousDistanceProfile"), E_FAIL, 78,
                        TEXT("Distance failed"), true);
    ::SetWindowTextW(Control(IDC_DISTANCE_SEPARATION), TEXT("3"));
    EXPECT_EQ(BoxTexts(),
              (std::vector<platform::WideString>{TEXT("Power failed"), TEXT("Distance failed")}));
}

} // namespace
