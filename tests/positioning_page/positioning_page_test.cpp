// The "Positioning" page against the simulated tracker, through the
// screen: the speed slider, the move buttons, "Position To", "Find Reflector",
// "Go And Measure" (with a made "KSR 1.5in" target), "Position To Target",
// the result box, the registry and null objects.
#include "tests/positioning_page/fake_measurement.h"
#include "tests/profiles_page/page_fixture.h"

#include "platform/com/com_error.h"
#include "toolsheet/WCPropPagePositioning.h"

#include <gtest/gtest.h>

using pagetest::Narrow;
using trackersim::HeadState;
using trackersim::SampleSpec;
using trackersim::TargetKind;

namespace {

constexpr uint64_t kDayMs = 86400000;

class PositioningPageTest : public pagetest::SheetTest {
protected:
    WCPropPagePositioning& Page() { return *device->m_positioningPage; }
    CWnd& Tab() override { return Page(); }

    void OpenPositioning(bool connect = true) {
        OpenSheet(connect);
        if (HasFatalFailure())
            return;
        ShowTab(device->m_positioningPage.get());
    }
    void Close() {
        if (device->m_connected) {
            ASSERT_TRUE(device->Disconnect());
        }
        device->DestroyToolSheet();
    }

    HeadState Head() {
        HeadState head{};
        Sim().GetHead(&head);
        return head;
    }

    HWND Slider() { return Control(IDC_SLIDER_SPEED); }
    int SliderPos() { return static_cast<int>(::SendMessageW(Slider(), TBM_GETPOS, 0, 0)); }

    // The eight texts of the result box: X, Y, Z, Rx, Ry, Rz, target, time.
    std::vector<platform::WideString> Results() {
        return {Text(IDC_RESULT_X),      Text(IDC_RESULT_Y),        Text(IDC_RESULT_Z),
                Text(IDC_RESULT_RX),     Text(IDC_RESULT_RY),       Text(IDC_RESULT_RZ),
                Text(IDC_RESULT_TARGET), Text(IDC_RESULT_TIMESTAMP)};
    }
};

// ---- initialisation, slider and registry ----------------------------------------

TEST_F(PositioningPageTest, FirstShowFillsTheTargetListInCollectionOrderAndSetsTheSlider) {
    OpenPositioning();
    ASSERT_TRUE(Page().m_initialized);
    EXPECT_EQ(Items(IDC_POSITION_TARGET_LIST),
              (std::vector<platform::WideString>{TEXT("Q-Wand"), TEXT("RRR 1.5in"),
                                                 TEXT("Custom reflector"), TEXT("Radius target"),
                                                 TEXT("Tooling target"), TEXT("Surface")}));
    EXPECT_EQ(Selection(IDC_POSITION_TARGET_LIST), 0);
    EXPECT_EQ(::SendMessageW(Slider(), TBM_GETRANGEMIN, 0, 0), 4);
    EXPECT_EQ(::SendMessageW(Slider(), TBM_GETRANGEMAX, 0, 0), 20);
    EXPECT_EQ(SliderPos(), 20);
    EXPECT_EQ(Page().m_speed, 20);
    EXPECT_EQ(Check(IDC_POSITION_RELATIVE), BST_UNCHECKED);
    EXPECT_EQ(Check(IDC_POSITION_SEARCH), BST_UNCHECKED);
    // The result box shows its placeholders until the first result.
    EXPECT_EQ(Text(IDC_RESULT_X), TEXT("X:"));
    EXPECT_EQ(Text(IDC_RESULT_TARGET), TEXT("Measured Target"));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PositioningPageTest, TheListIsEmptyUntilAConnectionKeptAtDisconnectAndRefilled) {
    OpenPositioning(false);
    EXPECT_TRUE(Items(IDC_POSITION_TARGET_LIST).empty());
    Click(IDC_MOVE_LEFT); // no tracker: nothing, no message
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_EQ(Items(IDC_POSITION_TARGET_LIST).size(), 6u);
    EXPECT_EQ(Selection(IDC_POSITION_TARGET_LIST), 0);
    EXPECT_TRUE(BoxTexts().empty());

    // A disconnect keeps the list; a reconnect fills it anew.
    ASSERT_TRUE(device->Disconnect());
    EXPECT_EQ(Items(IDC_POSITION_TARGET_LIST).size(), 6u);
    const TargetKind kinds[] = {TargetKind::Reflector, TargetKind::Probe};
    const WCHAR* names[] = {TEXT("Zeta"), TEXT("Alpha")};
    Sim().SetTargets(kinds, names, 2);
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_EQ(Items(IDC_POSITION_TARGET_LIST),
              (std::vector<platform::WideString>{TEXT("Zeta"), TEXT("Alpha")}));
}

TEST_F(PositioningPageTest, StoredSpeedOutsideTheRangeIsUsedUntilTheSliderMoves) {
    StoreDword(TEXT("m_ctlSliderSpeed"), 50);
    OpenPositioning();
    EXPECT_EQ(SliderPos(), 20); // the nearest end
    Click(IDC_MOVE_LEFT);
    EXPECT_EQ(Head().horizontalSpeed, 50);
    ASSERT_TRUE(platform::MoveSlider(Slider(), 6));
    Click(IDC_MOVE_LEFT);
    EXPECT_EQ(Head().horizontalSpeed, 6);
}

TEST_F(PositioningPageTest, StoredSettingsAreLoadedAndSavedAtClose) {
    StoreDword(TEXT("m_ctlSliderSpeed"), 8);
    StoreDword(TEXT("m_PositionTo_SearchTarget"), 1);
    OpenPositioning();
    EXPECT_EQ(Page().m_speed, 8);
    EXPECT_EQ(SliderPos(), 8);
    EXPECT_EQ(Check(IDC_POSITION_RELATIVE), BST_UNCHECKED);
    EXPECT_EQ(Check(IDC_POSITION_SEARCH), BST_CHECKED);
    ASSERT_TRUE(platform::MoveSlider(Slider(), 7));
    SetCheck(IDC_POSITION_RELATIVE, true);
    SetCheck(IDC_POSITION_SEARCH, false);
    Close();
    DWORD value = 99;
    ASSERT_TRUE(StoredDword(TEXT("m_ctlSliderSpeed"), value));
    EXPECT_EQ(value, 7u);
    ASSERT_TRUE(StoredDword(TEXT("m_PositionTo_IsRelative"), value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(StoredDword(TEXT("m_PositionTo_SearchTarget"), value));
    EXPECT_EQ(value, 0u);

    OpenPositioning();
    EXPECT_EQ(Page().m_speed, 7);
    EXPECT_EQ(SliderPos(), 7);
    EXPECT_EQ(Check(IDC_POSITION_RELATIVE), BST_CHECKED);
    EXPECT_EQ(Check(IDC_POSITION_SEARCH), BST_UNCHECKED);
}

TEST_F(PositioningPageTest, NeverOpeningTheTabWritesNothing) {
    OpenSheet();
    ASSERT_TRUE(device->Disconnect());
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9"))); // leaves the page untouched
    EXPECT_FALSE(Page().m_initialized);
    Close();
    DWORD value = 0;
    EXPECT_FALSE(StoredDword(TEXT("m_ctlSliderSpeed"), value));
    EXPECT_FALSE(StoredDword(TEXT("m_PositionTo_IsRelative"), value));
    EXPECT_FALSE(StoredDword(TEXT("m_PositionTo_SearchTarget"), value));
}

// ---- moving and pointing -----------------------------------------------------------

// The slider sets the speed only when a scroll ends; the move buttons send it signed.
TEST_F(PositioningPageTest, SliderAndMoveButtons) {
    OpenPositioning();
    ASSERT_TRUE(platform::MoveSlider(Slider(), 12)); // a drag: thumb released
    EXPECT_EQ(Page().m_speed, 12);
    // The keyboard: a line step moves the thumb, the end of the scroll takes it.
    ::SendMessageW(Slider(), TBM_SETPOS, TRUE, 13);
    ::SendMessageW(Page().GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(1 /* TB_LINEDOWN */, 0),
                   reinterpret_cast<LPARAM>(Slider()));
    EXPECT_EQ(Page().m_speed, 12);
    ::SendMessageW(Page().GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                   reinterpret_cast<LPARAM>(Slider()));
    EXPECT_EQ(Page().m_speed, 13);
    // Another scroll bar's messages are not the slider's.
    ::SendMessageW(Slider(), TBM_SETPOS, TRUE, 5);
    ::SendMessageW(Page().GetSafeHwnd(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), 0);
    EXPECT_EQ(Page().m_speed, 13);

    ASSERT_TRUE(platform::MoveSlider(Slider(), 9));
    struct Move {
        int button;
        LONG horizontal, vertical;
    };
    const Move moves[] = {{IDC_MOVE_LEFT, 9, 0},
                          {IDC_MOVE_RIGHT, -9, 0},
                          {IDC_MOVE_UP, 0, -9},
                          {IDC_MOVE_DOWN, 0, 9},
                          {IDC_MOVE_STOP, 0, 0}};
    for (const Move& move : moves) {
        Click(move.button);
        EXPECT_EQ(Head().horizontalSpeed, move.horizontal) << move.button;
        EXPECT_EQ(Head().verticalSpeed, move.vertical) << move.button;
    }
    EXPECT_EQ(Sim().CallCount(TEXT("Tracker.Move")), 5);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PositioningPageTest, PositionToSendsTheTypedValuesAndBothFlags) {
    OpenPositioning();
    Type(IDC_POSITION_VALUE1, TEXT("1.5"));
    Type(IDC_POSITION_VALUE2, TEXT("-20"));
    Type(IDC_POSITION_VALUE3, TEXT("3e2"));
    SetCheck(IDC_POSITION_SEARCH, true);
    Click(IDC_POSITION_TO);
    HeadState head = Head();
    EXPECT_EQ(head.lastPositionTo.count, 1);
    EXPECT_EQ(head.lastPositionTo.target, -1);
    EXPECT_TRUE(head.lastPositionTo.search);
    EXPECT_FALSE(head.lastPositionTo.relative);
    EXPECT_EQ(head.lastPositionTo.values[0], 1.5);
    EXPECT_EQ(head.lastPositionTo.values[1], -20.0);
    EXPECT_EQ(head.lastPositionTo.values[2], 300.0);

    SetCheck(IDC_POSITION_SEARCH, false);
    SetCheck(IDC_POSITION_RELATIVE, true);
    Type(IDC_POSITION_VALUE1, TEXT(""));    // empty: 0
    Type(IDC_POSITION_VALUE2, TEXT("abc")); // not a number: 0
    Click(IDC_POSITION_TO);
    head = Head();
    EXPECT_EQ(head.lastPositionTo.count, 2);
    EXPECT_FALSE(head.lastPositionTo.search);
    EXPECT_TRUE(head.lastPositionTo.relative);
    EXPECT_EQ(head.lastPositionTo.values[0], 0.0);
    EXPECT_EQ(head.lastPositionTo.values[1], 0.0);
    EXPECT_EQ(head.lastPositionTo.values[2], 300.0);
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PositioningPageTest, GoAndMeasureMeasuresTheChosenTargetAndShowsTheResult) {
    OpenPositioning();
    Choose(IDC_POSITION_TARGET_LIST, TEXT("RRR 1.5in"));
    Type(IDC_POSITION_VALUE1, TEXT("4"));
    SetCheck(IDC_POSITION_RELATIVE, true);
    SetCheck(IDC_POSITION_SEARCH, true); // not used here
    SampleSpec sample;
    sample.x = 12.5, sample.y = -3.25, sample.z = 1000.0;
    sample.rx = 10.0, sample.ry = 20.5, sample.rz = -30.0;
    Sim().QueueMeasurement(sample);
    // The virtual clock (the measurement's time stamp) on to 12:34:56.789.
    const uint64_t target = ((12 * 60 + 34) * 60 + 56) * 1000 + 789;
    Clock().Advance((target + kDayMs - Clock().NowMs() % kDayMs) % kDayMs);
    Click(IDC_GO_AND_MEASURE);
    const HeadState head = Head();
    EXPECT_EQ(head.lastPositionTo.target, 1);
    EXPECT_TRUE(head.lastPositionTo.relative);
    EXPECT_FALSE(head.lastPositionTo.search);
    EXPECT_EQ(head.lastPositionTo.values[0], 4.0);
    EXPECT_EQ(Results(),
              (std::vector<platform::WideString>{
                  TEXT("X : 12.5 [ mm ]"), TEXT("Y : -3.25 [ mm ]"), TEXT("Z : 1000 [ mm ]"),
                  TEXT("Rx : 10 [ deg ]"), TEXT("Ry : 20.5 [ deg ]"), TEXT("Rz : -30 [ deg ]"),
                  TEXT("RRR 1.5in"), TEXT("12:34:56.789")}));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PositioningPageTest, GoAndMeasureKsr15MakesATargetAndMeasuresIt) {
    OpenPositioning();
    const int before = Sim().TargetCount();
    Type(IDC_POSITION_VALUE3, TEXT("2.5"));
    Click(IDC_GO_AND_MEASURE_KSR15);
    EXPECT_EQ(Sim().TargetCount(), before + 1); // the made target stays
    EXPECT_EQ(Head().lastPositionTo.target, before);
    EXPECT_EQ(Head().lastPositionTo.values[2], 2.5);
    EXPECT_EQ(Text(IDC_RESULT_TARGET), TEXT("KSR 1.5in"));
    EXPECT_EQ(Items(IDC_POSITION_TARGET_LIST).size(), 6u); // the list is not refilled
    EXPECT_TRUE(BoxTexts().empty());

    // "Position To Target" shows only the target found.
    Click(IDC_GO_AND_MEASURE); // a full result first
    const auto shown = Results();
    Choose(IDC_POSITION_TARGET_LIST, TEXT("Radius target"));
    Type(IDC_POSITION_VALUE2, TEXT("7"));
    Click(IDC_POSITION_TO_TARGET);
    EXPECT_EQ(Head().lastPositionTo.target, 3);
    EXPECT_EQ(Head().lastPositionTo.values[1], 7.0);
    auto after = Results();
    EXPECT_EQ(after[6], TEXT("Radius target"));
    after[6] = shown[6];
    EXPECT_EQ(after, shown); // the other texts stay
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(PositioningPageTest, WithoutATrackerEveryButtonDoesNothing) {
    OpenPositioning();
    ASSERT_TRUE(device->Disconnect());
    Sim().Reset(); // call counts
    for (int id :
         {IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_MOVE_LEFT, IDC_MOVE_RIGHT, IDC_MOVE_STOP, IDC_POSITION_TO,
          IDC_FIND_REFLECTOR, IDC_GO_AND_MEASURE, IDC_GO_AND_MEASURE_KSR15, IDC_POSITION_TO_TARGET})
        Click(id);
    EXPECT_EQ(Sim().CallCount(TEXT("Tracker.Move")), 0);
    EXPECT_EQ(Sim().CallCount(TEXT("Tracker.get_TargetCollection")), 0);
    EXPECT_EQ(Head().lastPositionTo.count, 0);
    EXPECT_TRUE(BoxTexts().empty());
}

// ---- empty and null objects ----------------------------------------------------------

TEST_F(PositioningPageTest, EmptyTargetCollection) {
    Sim().SetTargets(nullptr, nullptr, 0);
    OpenPositioning();
    EXPECT_TRUE(Items(IDC_POSITION_TARGET_LIST).empty());
    EXPECT_EQ(Selection(IDC_POSITION_TARGET_LIST), -1);
    // Item -1 is asked for: the library refuses.
    Click(IDC_GO_AND_MEASURE);
    Click(IDC_POSITION_TO_TARGET);
    EXPECT_EQ(BoxTexts(),
              (std::vector<platform::WideString>{TEXT("The index is outside the collection."),
                                                 TEXT("The index is outside the collection.")}));
    // "Go And Measure KSR15" needs no selection.
    Click(IDC_GO_AND_MEASURE_KSR15);
    EXPECT_EQ(Text(IDC_RESULT_TARGET), TEXT("KSR 1.5in"));
    EXPECT_EQ(BoxTexts().size(), 2u);
}

TEST_F(PositioningPageTest, NullObjectsWhereThePageNeedsThemAreInvalidPointers) {
    struct Case {
        const WCHAR* null;
        int button;
        bool reported; // E_POINTER shown; otherwise the button does nothing
    };
    const Case cases[] = {
        {TEXT("Tracker.get_ReflectorFinder"), IDC_FIND_REFLECTOR, true},
        {TEXT("Tracker.get_Measurements"), IDC_GO_AND_MEASURE_KSR15, true},
        {TEXT("Tracker.get_TargetCollection"), IDC_GO_AND_MEASURE, false},
        {TEXT("Tracker.get_TargetCollection"), IDC_POSITION_TO_TARGET, true},
        {TEXT("TargetCollection.get_Item"), IDC_GO_AND_MEASURE, false},
        {TEXT("RmsPosition.get_Y"), IDC_GO_AND_MEASURE, true},
        {TEXT("Rotation.get_Rz"), IDC_GO_AND_MEASURE, true},
    };
    OpenPositioning();
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.null) + " " + std::to_string(c.button));
        const size_t boxes = BoxTexts().size();
        Sim().MakeNull(c.null, false);
        Click(c.button);
        if (c.reported) {
            ASSERT_EQ(BoxTexts().size(), boxes + 1);
            EXPECT_EQ(BoxTexts().back(), TEXT("Invalid pointer"));
        } else {
            EXPECT_EQ(BoxTexts().size(), boxes);
        }
        Sim().ClearFaults();
    }
    // The texts written before a missing value stay; the others were cleared.
    Sim().MakeNull(TEXT("Measurement.get_MeasuredTargetInfo"), false);
    Click(IDC_GO_AND_MEASURE);
    const auto results = Results();
    EXPECT_EQ(results[0].rfind(TEXT("X : "), 0), 0u);
    EXPECT_EQ(results[5].rfind(TEXT("Rz : "), 0), 0u);
    EXPECT_EQ(results[6], TEXT(""));
    EXPECT_EQ(results[7], TEXT(""));
}

TEST_F(PositioningPageTest, ATrackerWithoutTargetsStillMovesAndPoints) {
    Sim().MakeNull(TEXT("Tracker.get_TargetCollection"), false);
    OpenPositioning();
    EXPECT_TRUE(Items(IDC_POSITION_TARGET_LIST).empty());
    Click(IDC_MOVE_UP);
    Click(IDC_POSITION_TO);
    EXPECT_EQ(Head().lastPositionTo.count, 1);
    EXPECT_TRUE(BoxTexts().empty());
}

// ---- failures ------------------------------------------------------------------------
// A library failure behind each button is the session sweep's (the tour uses
// every button).

TEST_F(PositioningPageTest, FailureWhileFillingTheListAtConnectFailsTheConnect) {
    OpenPositioning();
    ASSERT_TRUE(device->Disconnect());
    Sim().InjectFailure(TEXT("TargetCollection.get_Count"), E_FAIL, 4, TEXT("Count failed"), true);
    EXPECT_FALSE(device->Connect(TEXT("10.0.0.9"))); // the connect operation shows it
    EXPECT_EQ(BoxTexts(), std::vector<platform::WideString>{TEXT("Count failed")});
    Sim().ClearFaults();
    ASSERT_TRUE(device->Connect(TEXT("10.0.0.9")));
    EXPECT_EQ(Items(IDC_POSITION_TARGET_LIST).size(), 6u);
}

// ---- the result box with hand-made measurements --------------------------------------

class ResultBoxTest : public PositioningPageTest {
protected:
    void SetUp() override {
        PositioningPageTest::SetUp();
        if (HasFatalFailure())
            return;
        OpenPositioning();
    }
    fakes::MeasurementContent Content() {
        fakes::MeasurementContent content;
        content.info = fakes::TargetInfo::Make(TEXT("TGT-1"), TEXT(""));
        return content;
    }
    // Shows it as a handler would (errors caught and shown).
    void Show(const fakes::MeasurementContent& content) {
        ComPtr<fakes::Measurement> m = fakes::Measurement::Make(content);
        try {
            Page().ShowMeasurementResult(m.Get());
        } catch (const ComError& error) {
            AfxMessageBox(error.Description().empty() ? TEXT("(no description)")
                                                      : error.Description().c_str());
        }
    }
};

TEST_F(ResultBoxTest, NoMeasurementClearsEveryText) {
    Page().ShowMeasurementResult(nullptr);
    EXPECT_EQ(Results(), std::vector<platform::WideString>(8));
}

TEST_F(ResultBoxTest, LaterFacetsOverwriteEarlierOnes) {
    auto content = Content();
    content.rms = fakes::Values::Make(TEXT("R"), 1, 2, 3, TEXT("mm"));
    content.position = fakes::Values::Make(TEXT("P"), 4, 5, 6, TEXT("m"));
    content.orientation = fakes::Values::Make(TEXT("O"), 7, 8, 9, TEXT("rad"));
    content.rotation = fakes::Values::Make(TEXT("S"), 0.5, 0.25, 0.125, TEXT("deg"));
    Show(content);
    EXPECT_EQ(Results(), (std::vector<platform::WideString>{
                             TEXT("P1 : 4 [ m ]"), TEXT("P2 : 5 [ m ]"), TEXT("P3 : 6 [ m ]"),
                             TEXT("S1 : 0.5 [ deg ]"), TEXT("S2 : 0.25 [ deg ]"),
                             TEXT("S3 : 0.125 [ deg ]"), TEXT("RRR 1.5in"), TEXT("12:00:00.000")}));
    EXPECT_TRUE(BoxTexts().empty());
}

// Without a position or six degrees of freedom, the RMS values and the
// directional angles are what show.
TEST_F(ResultBoxTest, RmsValuesAndDirectionalAnglesAlone) {
    auto content = Content();
    content.rms = fakes::Values::Make(TEXT("R"), 1, 2, 3, TEXT("mm"));
    content.orientation = fakes::Values::Make(TEXT("A"), 1e-7, 123456789, -0.0, TEXT("deg"));
    Show(content);
    EXPECT_EQ(Results(), (std::vector<platform::WideString>{
                             TEXT("R1 : 1 [ mm ]"), TEXT("R2 : 2 [ mm ]"), TEXT("R3 : 3 [ mm ]"),
                             TEXT("A1 : 1e-07 [ deg ]"), TEXT("A2 : 1.23457e+08 [ deg ]"),
                             TEXT("A3 : -0 [ deg ]"), TEXT("RRR 1.5in"),
                             TEXT("12:00:00.000")})); // exactly noon
}

TEST_F(ResultBoxTest, MeasuredTargetIsTheFirstMatchingItem) {
    // Two reflectors share an identity: the first shows.
    Sim().SetTargetIdentity(2, TEXT("TGT-1"));
    auto content = Content();
    Show(content);
    EXPECT_EQ(Results()[6], TEXT("RRR 1.5in"));

    // A probe matches by its probe's identity, not by its own.
    content.info = fakes::TargetInfo::Make(TEXT("TGT-0"), TEXT(""));
    Show(content);
    EXPECT_EQ(Results()[6], TEXT("")); // "Q-Wand" is a probe: its identity is not compared
    content.info = fakes::TargetInfo::Make(TEXT(""), TEXT("PRB-0"));
    Show(content);
    EXPECT_EQ(Results()[6], TEXT("Q-Wand"));

    // Case counts; nothing matching leaves the name empty.
    content.info = fakes::TargetInfo::Make(TEXT("tgt-1"), TEXT(""));
    Show(content);
    EXPECT_EQ(Results()[6], TEXT(""));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ResultBoxTest, MissingIdentitiesEqualEmptyOnes) {
    // The probe target "Q-Wand" gives no probe, so its probe's identity is
    // missing; the measurement names no probe either: they are equal.
    Sim().MakeNull(TEXT("ProbeTarget.get_Probe"), false);
    Show(Content());
    EXPECT_EQ(Results()[6], TEXT("Q-Wand"));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(ResultBoxTest, TimeStampOutsideTheCalendarShowsUnfilledFields) {
    auto content = Content();
    content.time = 1e12;
    Show(content);
    EXPECT_EQ(Results()[7], TEXT("00:00:00.000"));
    EXPECT_TRUE(BoxTexts().empty());
}

TEST(FormatValue, NameNumberAndUnit) {
    auto x = fakes::Scalar::Make(12.5, TEXT("X"), TEXT("mm"));
    EXPECT_EQ(WCPropPagePositioning::FormatValue(x.Get()), TEXT("X : 12.5 [ mm ]"));
    auto bare = fakes::Scalar::Make(0.0, nullptr, nullptr); // missing strings are empty
    EXPECT_EQ(WCPropPagePositioning::FormatValue(bare.Get()), TEXT(" : 0 [  ]"));
}

} // namespace
