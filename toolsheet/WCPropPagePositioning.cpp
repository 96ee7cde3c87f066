#include "toolsheet/WCPropPagePositioning.h"

#include "measurement/library_reads.h"
#include "platform/base/crt.h"
#include "plugin/CQWandDevice.h"
#include "settings/CQNRegistry.h"
#include "toolsheet/automation_date.h"
#include "toolsheet/page_support.h"

namespace {

constexpr int kSlowest = 4;
constexpr int kFastest = 20;

// The target that "Go And Measure KSR15" makes: product and name.
constexpr const WCHAR* kKsr15Product = TEXT("KSR 1.5in");
constexpr const WCHAR* kKsr15Name = TEXT("");

CString ReadName(tracker::Target* target) {
    ComBstr name;
    ThrowIfFailed(target->get_Name(name.Put()));
    return TextOf(name);
}

// The collection's item at `index`; null when the library gives none.
ComPtr<tracker::Target> ItemAt(tracker::TargetCollection* targets, int index) {
    ComPtr<tracker::Target> item;
    ThrowIfFailed(targets->get_Item(static_cast<LONG>(index), item.Put()));
    return item;
}

LONG CountOf(tracker::TargetCollection* targets) {
    LONG count = 0;
    ThrowIfFailed(targets->get_Count(&count));
    return count;
}

// X, Y and Z (or Rx, Ry and Rz) of a value holder into three labels.
template <class Holder, class Value>
void ShowValues(Holder* holder, HRESULT (STDMETHODCALLTYPE Holder::*first)(Value**),
                HRESULT (STDMETHODCALLTYPE Holder::*second)(Value**),
                HRESULT (STDMETHODCALLTYPE Holder::*third)(Value**), CStatic& a, CStatic& b,
                CStatic& c) {
    ThrowIfNull(holder);
    // Coordinates are used through their ScalarValue interface.
    a.SetWindowText(WCPropPagePositioning::FormatValue(Read(holder, first).Get()));
    b.SetWindowText(WCPropPagePositioning::FormatValue(Read(holder, second).Get()));
    c.SetWindowText(WCPropPagePositioning::FormatValue(Read(holder, third).Get()));
}

// Whether a target of the collection is the one a measurement names: a probe
// target by its probe's identity, any other by its own.
bool IsMeasuredTarget(tracker::Target* item, BSTR targetIdentity, BSTR probeIdentity) {
    if (ComPtr<tracker::ProbeTarget> probeTarget = QueryFacet<tracker::ProbeTarget>(item)) {
        ComBstr identity;
        if (ComPtr<tracker::Probe> probe = Read(probeTarget, &tracker::ProbeTarget::get_Probe))
            ThrowIfFailed(probe->get_Identity(identity.Put()));
        return SameBstr(identity.Get(), probeIdentity);
    }
    ComBstr identity;
    ThrowIfFailed(item->get_Identity(identity.Put()));
    return SameBstr(identity.Get(), targetIdentity);
}

} // namespace

WCPropPagePositioning::WCPropPagePositioning(CQWandDevice* device)
    : CPropertyPage(IDD), m_device(device) {}
WCPropPagePositioning::~WCPropPagePositioning() = default;

BEGIN_MESSAGE_MAP(WCPropPagePositioning, CPropertyPage)
ON_BN_CLICKED(IDC_MOVE_UP, &WCPropPagePositioning::OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, &WCPropPagePositioning::OnMoveDown)
ON_BN_CLICKED(IDC_MOVE_LEFT, &WCPropPagePositioning::OnMoveLeft)
ON_BN_CLICKED(IDC_MOVE_RIGHT, &WCPropPagePositioning::OnMoveRight)
ON_BN_CLICKED(IDC_MOVE_STOP, &WCPropPagePositioning::OnMoveStop)
ON_BN_CLICKED(IDC_POSITION_TO, &WCPropPagePositioning::OnPositionTo)
ON_BN_CLICKED(IDC_FIND_REFLECTOR, &WCPropPagePositioning::OnFindReflector)
ON_BN_CLICKED(IDC_GO_AND_MEASURE, &WCPropPagePositioning::OnGoAndMeasure)
ON_BN_CLICKED(IDC_GO_AND_MEASURE_KSR15, &WCPropPagePositioning::OnGoAndMeasureKsr15)
ON_BN_CLICKED(IDC_POSITION_TO_TARGET, &WCPropPagePositioning::OnPositionToTarget)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

void WCPropPagePositioning::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_POSITION_VALUE1, m_PositionTo_Value1);
    DDX_Control(pDX, IDC_POSITION_VALUE2, m_PositionTo_Value2);
    DDX_Control(pDX, IDC_POSITION_VALUE3, m_PositionTo_Value3);
    DDX_Control(pDX, IDC_POSITION_RELATIVE, m_PositionTo_IsRelative);
    DDX_Control(pDX, IDC_POSITION_SEARCH, m_PositionTo_SearchTarget);
    DDX_Control(pDX, IDC_RESULT_X, m_resultX);
    DDX_Control(pDX, IDC_RESULT_Y, m_resultY);
    DDX_Control(pDX, IDC_RESULT_Z, m_resultZ);
    DDX_Control(pDX, IDC_RESULT_RX, m_resultRx);
    DDX_Control(pDX, IDC_RESULT_RY, m_resultRy);
    DDX_Control(pDX, IDC_RESULT_RZ, m_resultRz);
    DDX_Control(pDX, IDC_RESULT_TARGET, m_resultTarget);
    DDX_Control(pDX, IDC_RESULT_TIMESTAMP, m_resultTimestamp);
    DDX_Control(pDX, IDC_SLIDER_SPEED, m_ctlSliderSpeed);
    DDX_Control(pDX, IDC_POSITION_TARGET_LIST, m_cbTargetList);
}

BOOL WCPropPagePositioning::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_initialized = true;
    // Filling the list leaves its errors to the caller; here the page is its
    // own caller, and a window procedure must not throw: the error is shown
    // and the page initialises on.
    try {
        OnTrackerConnected();
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
    LoadSettings();
    return TRUE;
}

void WCPropPagePositioning::LoadSettings() {
    m_speed = kFastest;
    m_ctlSliderSpeed.SetRange(kSlowest, kFastest, FALSE);
    m_ctlSliderSpeed.SetPos(kFastest);
#ifdef TBM_SETTICFREQ
    m_ctlSliderSpeed.SendMessage(TBM_SETTICFREQ, 1, 0);
#endif

    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    DWORD value = 0;
    // The stored speed is used as stored (also outside 4 to 20) until the
    // slider moves; the slider shows the nearest end of its range.
    if (registry.ReadDword(TEXT("m_ctlSliderSpeed"), value)) {
        m_speed = static_cast<LONG>(value);
        m_ctlSliderSpeed.SetPos(static_cast<int>(m_speed));
    }
    value = 0;
    if (registry.ReadDword(TEXT("m_PositionTo_IsRelative"), value))
        m_PositionTo_IsRelative.SetCheck(value ? BST_CHECKED : BST_UNCHECKED);
    value = 0;
    if (registry.ReadDword(TEXT("m_PositionTo_SearchTarget"), value))
        m_PositionTo_SearchTarget.SetCheck(value ? BST_CHECKED : BST_UNCHECKED);
}

void WCPropPagePositioning::SaveSettings() {
    if (!m_initialized || !GetSafeHwnd())
        return;
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    registry.WriteDword(TEXT("m_ctlSliderSpeed"), static_cast<DWORD>(m_speed));
    registry.WriteDword(TEXT("m_PositionTo_IsRelative"),
                        m_PositionTo_IsRelative.GetCheck() == BST_CHECKED ? 1 : 0);
    registry.WriteDword(TEXT("m_PositionTo_SearchTarget"),
                        m_PositionTo_SearchTarget.GetCheck() == BST_CHECKED ? 1 : 0);
}

tracker::Tracker* WCPropPagePositioning::ConnectedTracker() const {
    return m_device && GetSafeHwnd() ? m_device->m_tracker.Get() : nullptr;
}

void WCPropPagePositioning::OnTrackerConnected() {
    FillTargetList();
}

void WCPropPagePositioning::FillTargetList() {
    tracker::Tracker* device = m_initialized ? ConnectedTracker() : nullptr;
    if (!device)
        return;
    ComPtr<tracker::TargetCollection> targets =
        Read(device, &tracker::Tracker::get_TargetCollection);
    if (!targets)
        return;
    m_cbTargetList.ResetContent();
    for (LONG i = 0; i < CountOf(targets.Get()); ++i) {
        ComPtr<tracker::Target> item = ItemAt(targets.Get(), static_cast<int>(i));
        // A missing item keeps its place, so that positions in the list stay
        // positions in the collection.
        m_cbTargetList.AddString(item ? ReadName(item.Get()) : CString());
    }
    m_cbTargetList.SetCurSel(0);
}

void WCPropPagePositioning::OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar) {
    if (scrollBar && scrollBar->GetSafeHwnd() &&
        scrollBar->GetSafeHwnd() == m_ctlSliderSpeed.GetSafeHwnd() &&
        (code == TB_THUMBPOSITION || code == TB_ENDTRACK))
        m_speed = m_ctlSliderSpeed.GetPos();
    CPropertyPage::OnHScroll(code, pos, scrollBar);
}

void WCPropPagePositioning::Move(LONG horizontalSpeed, LONG verticalSpeed) {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    try {
        ThrowIfFailed(device->Move(horizontalSpeed, verticalSpeed));
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPagePositioning::OnMoveLeft() {
    Move(m_speed, 0);
}
void WCPropPagePositioning::OnMoveRight() {
    Move(-m_speed, 0);
}
void WCPropPagePositioning::OnMoveUp() {
    Move(0, -m_speed);
}
void WCPropPagePositioning::OnMoveDown() {
    Move(0, m_speed);
}
void WCPropPagePositioning::OnMoveStop() {
    Move(0, 0);
}

void WCPropPagePositioning::ReadValues(double (&values)[3]) const {
    values[0] = _wtof(ControlText(m_PositionTo_Value1));
    values[1] = _wtof(ControlText(m_PositionTo_Value2));
    values[2] = _wtof(ControlText(m_PositionTo_Value3));
}

// The flags go as 1 or 0.
VARIANT_BOOL WCPropPagePositioning::RelativeFlag() const {
    return static_cast<VARIANT_BOOL>(m_PositionTo_IsRelative.GetCheck() == BST_CHECKED ? 1 : 0);
}
VARIANT_BOOL WCPropPagePositioning::SearchFlag() const {
    return static_cast<VARIANT_BOOL>(m_PositionTo_SearchTarget.GetCheck() == BST_CHECKED ? 1 : 0);
}

void WCPropPagePositioning::OnPositionTo() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    try {
        double values[3];
        ReadValues(values);
        ComPtr<IDispatch> result; // released unused
        ThrowIfFailed(device->PositionTo(SearchFlag(), RelativeFlag(), values[0], values[1],
                                         values[2], result.Put()));
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPagePositioning::OnFindReflector() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    try {
        ComPtr<tracker::ReflectorFinder> finder =
            Require(device, &tracker::Tracker::get_ReflectorFinder);
        ComPtr<IDispatch> result; // released unused
        ThrowIfFailed(finder->Start(result.Put()));
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPagePositioning::OnGoAndMeasure() {
    GoAndMeasure(false);
}

void WCPropPagePositioning::OnGoAndMeasureKsr15() {
    GoAndMeasure(true);
}

void WCPropPagePositioning::GoAndMeasure(bool madeTarget) {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    try {
        ComPtr<tracker::TargetCollection> targets =
            Read(device, &tracker::Tracker::get_TargetCollection);
        if (!targets)
            return;
        if (!madeTarget && !ItemAt(targets.Get(), m_cbTargetList.GetCurSel()))
            return;
        double values[3];
        ReadValues(values);
        const VARIANT_BOOL relative = RelativeFlag();

        // The target, read again: the selected item's handle, or a new target.
        targets = Require(device, &tracker::Tracker::get_TargetCollection);
        ComPtr<IDispatch> target;
        ComPtr<tracker::Target> made;
        if (madeTarget) {
            const ComBstr product = LibraryString(kKsr15Product);
            const ComBstr name = LibraryString(kKsr15Name);
            ThrowIfFailed(targets->MakeTarget(product.Get(), name.Get(), made.Put()));
            target = ComPtr<IDispatch>(made.Get());
        } else {
            ComPtr<tracker::Target> item = ItemAt(targets.Get(), m_cbTargetList.GetCurSel());
            ThrowIfNull(item);
            target = Read(item, &tracker::Target::get_Handle);
        }

        ComPtr<tracker::Measurements> measurements =
            Require(device, &tracker::Tracker::get_Measurements);
        ComPtr<tracker::Measurement> measurement;
        ThrowIfFailed(measurements->GoAndMeasure(target.Get(), relative, values[0], values[1],
                                                 values[2], measurement.Put()));
        ShowMeasurementResult(measurement.Get());
        // The made target stays in the collection; the page only lets it go.
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPagePositioning::OnPositionToTarget() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    try {
        m_resultTarget.SetWindowText(TEXT(""));
        double values[3];
        ReadValues(values);
        const VARIANT_BOOL relative = RelativeFlag();

        ComPtr<tracker::TargetCollection> targets =
            Require(device, &tracker::Tracker::get_TargetCollection);
        ComPtr<tracker::Target> item = ItemAt(targets.Get(), m_cbTargetList.GetCurSel());
        ThrowIfNull(item);
        ComPtr<IDispatch> handle = Read(item, &tracker::Target::get_Handle);

        ComPtr<tracker::Target> found;
        ThrowIfFailed(device->PositionToTarget(handle.Get(), relative, values[0], values[1],
                                               values[2], found.Put()));
        if (found)
            m_resultTarget.SetWindowText(ReadName(found.Get()));
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPagePositioning::ShowMeasurementResult(tracker::Measurement* measurement) {
    for (CStatic* text : {&m_resultX, &m_resultY, &m_resultZ, &m_resultRx, &m_resultRy, &m_resultRz,
                          &m_resultTarget, &m_resultTimestamp})
        text->SetWindowText(TEXT(""));
    if (!measurement)
        return;

    // The facets in this order; a later one overwrites what an earlier one wrote.
    if (ComPtr<tracker::RmsMeasurement> rms = QueryFacet<tracker::RmsMeasurement>(measurement))
        ShowValues(Require(rms, &tracker::RmsMeasurement::get_RmsPosition).Get(),
                   &tracker::RmsPosition::get_X, &tracker::RmsPosition::get_Y,
                   &tracker::RmsPosition::get_Z, m_resultX, m_resultY, m_resultZ);
    if (ComPtr<tracker::DirectionalMeasurement> directional =
            QueryFacet<tracker::DirectionalMeasurement>(measurement))
        ShowValues(Require(directional, &tracker::DirectionalMeasurement::get_Orientation).Get(),
                   &tracker::Rotation::get_Rx, &tracker::Rotation::get_Ry,
                   &tracker::Rotation::get_Rz, m_resultRx, m_resultRy, m_resultRz);
    if (ComPtr<tracker::PositionMeasurement> position =
            QueryFacet<tracker::PositionMeasurement>(measurement))
        ShowValues(Require(position, &tracker::PositionMeasurement::get_Position).Get(),
                   &tracker::Position::get_X, &tracker::Position::get_Y, &tracker::Position::get_Z,
                   m_resultX, m_resultY, m_resultZ);
    if (ComPtr<tracker::SixDofMeasurement> sixDof =
            QueryFacet<tracker::SixDofMeasurement>(measurement))
        ShowValues(Require(sixDof, &tracker::SixDofMeasurement::get_Rotation).Get(),
                   &tracker::Rotation::get_Rx, &tracker::Rotation::get_Ry,
                   &tracker::Rotation::get_Rz, m_resultRx, m_resultRy, m_resultRz);

    // The measured target: the first item of the collection that matches the
    // measurement's target description.
    ComPtr<IDispatch> infoObject =
        Require(measurement, &tracker::Measurement::get_MeasuredTargetInfo);
    ComPtr<tracker::MeasuredTargetInfo> info;
    ThrowIfFailed(infoObject.As(info));
    ThrowIfNull(info);
    ComBstr targetIdentity;
    ThrowIfFailed(info->get_TargetIdentity(targetIdentity.Put()));
    ComBstr probeIdentity;
    ThrowIfFailed(info->get_ProbeIdentity(probeIdentity.Put()));
    CString name;
    if (tracker::Tracker* device = ConnectedTracker())
        if (ComPtr<tracker::TargetCollection> targets =
                Read(device, &tracker::Tracker::get_TargetCollection))
            for (LONG i = 0; i < CountOf(targets.Get()); ++i) {
                ComPtr<tracker::Target> item = ItemAt(targets.Get(), static_cast<int>(i));
                if (item &&
                    IsMeasuredTarget(item.Get(), targetIdentity.Get(), probeIdentity.Get())) {
                    name = ReadName(item.Get());
                    break;
                }
            }
    m_resultTarget.SetWindowText(name);

    // The time of day with milliseconds; fields that nothing filled show zero.
    DATE stamp = 0;
    ThrowIfFailed(measurement->get_TimeStamp(&stamp));
    CalendarTime fields;
    TimeStampToCalendar(stamp, fields);
    m_resultTimestamp.SetWindowText(FormatTimeOfDay(fields));
}

CString WCPropPagePositioning::FormatValue(tracker::ScalarValue* value) {
    ThrowIfNull(value);
    double number = 0;
    ThrowIfFailed(value->get_Value(&number));
    ComBstr unit;
    ThrowIfFailed(value->get_Unit(unit.Put()));
    ComBstr name;
    ThrowIfFailed(value->get_Name(name.Put()));
    CString namePart;
    namePart.Format(TEXT("%s : "), static_cast<LPCWSTR>(TextOf(name)));
    CString numberPart;
    numberPart.Format(TEXT("%g"), number);
    CString unitPart;
    unitPart.Format(TEXT(" [ %s ]"), static_cast<LPCWSTR>(TextOf(unit)));
    return namePart + numberPart + unitPart;
}
