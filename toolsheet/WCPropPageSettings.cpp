#include "toolsheet/WCPropPageSettings.h"

#include "measurement/library_reads.h"
#include "platform/base/crt.h"
#include "platform/com/connection_advise.h"
#include "plugin/CQWandDevice.h"
#include "plugin/WCPowerStatusEventSink.h"
#include "plugin/sink_lifetime.h"
#include "settings/CQNRegistry.h"
#include "toolsheet/page_support.h"

namespace {

// A library string read through a getter of the object.
template <class O> CString ReadText(O* object, HRESULT (STDMETHODCALLTYPE O::*getter)(BSTR*)) {
    ComBstr text;
    ThrowIfFailed((object->*getter)(text.Put()));
    return TextOf(text);
}

// Item `index` of a collection; null when the library gives none.
template <class T, class C> ComPtr<T> ItemOf(C* collection, LONG index) {
    ComPtr<T> item;
    ThrowIfFailed(collection->get_Item(index, item.Put()));
    return item;
}

// The collection's count, read anew for every step of a walk.
template <class C> LONG CountOf(C* collection) {
    LONG count = 0;
    ThrowIfFailed(collection->get_Count(&count));
    return count;
}

// A facet the profile was found to offer.
template <class T, class O> ComPtr<T> RequireFacet(O* object) {
    ComPtr<T> facet = QueryFacet<T>(object);
    ThrowIfNull(facet);
    return facet;
}

// Value and unit of a separation: "%g" and " [ %s ]".
void ShowSeparation(tracker::UnitValue* separation, CEdit& edit, CStatic& unitLabel) {
    if (!separation)
        return;
    double value = 0;
    ThrowIfFailed(separation->get_Value(&value));
    ComBstr unit;
    ThrowIfFailed(separation->get_Unit(unit.Put()));
    CString valueText;
    valueText.Format(TEXT("%g"), value);
    CString unitText;
    unitText.Format(TEXT(" [ %s ]"), static_cast<LPCWSTR>(TextOf(unit)));
    edit.SetWindowText(valueText); // its change notification writes the value back
    unitLabel.SetWindowText(unitText);
}

} // namespace

bool TrackerAccuracyOfIndex(int index, LONG& accuracy) {
    if (index < 0 || index > 2)
        return false;
    accuracy = static_cast<LONG>(2 - index);
    return true;
}

bool IndexOfTrackerAccuracy(LONG accuracy, int& index) {
    if (accuracy < 0 || accuracy > 2)
        return false;
    index = static_cast<int>(2 - accuracy);
    return true;
}

WCPropPageSettings::WCPropPageSettings(CQWandDevice* device)
    : CPropertyPage(IDD), m_device(device) {}

WCPropPageSettings::~WCPropPageSettings() {
    // A subscription still standing (a disconnect that failed) must not reach
    // a deleted page.
    DestroyPowerStatusSink();
}

BEGIN_MESSAGE_MAP(WCPropPageSettings, CPropertyPage)
ON_CBN_SELCHANGE(IDC_PROFILE_TARGET_LIST, &WCPropPageSettings::OnTargetSelected)
ON_CBN_SELCHANGE(IDC_PROFILE_LIST, &WCPropPageSettings::OnProfileSelected)
ON_EN_CHANGE(IDC_TIME_SEPARATION, &WCPropPageSettings::OnTimeSeparationChanged)
ON_EN_CHANGE(IDC_DISTANCE_SEPARATION, &WCPropPageSettings::OnDistanceSeparationChanged)
ON_BN_CLICKED(IDC_RB_FAST, &WCPropPageSettings::OnStationaryAccuracyClicked)
ON_BN_CLICKED(IDC_RB_STANDARD, &WCPropPageSettings::OnStationaryAccuracyClicked)
ON_BN_CLICKED(IDC_RB_PRECISE, &WCPropPageSettings::OnStationaryAccuracyClicked)
ON_BN_CLICKED(IDC_RB_SCAN_FAST, &WCPropPageSettings::OnAreaScanAccuracyClicked)
ON_BN_CLICKED(IDC_RB_SCAN_STANDARD, &WCPropPageSettings::OnAreaScanAccuracyClicked)
ON_BN_CLICKED(IDC_RB_SCAN_PRECISE, &WCPropPageSettings::OnAreaScanAccuracyClicked)
END_MESSAGE_MAP()

void WCPropPageSettings::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROFILE_LIST, m_cbProfileList);
    DDX_Control(pDX, IDC_TIME_SEPARATION, m_TimeSeperation);
    DDX_Control(pDX, IDC_DISTANCE_SEPARATION, m_DistanceSeperation);
    DDX_Radio(pDX, IDC_RB_FAST, m_rbFast);
    DDX_Radio(pDX, IDC_RB_SCAN_FAST, m_rbScanFast);
    DDX_Control(pDX, IDC_PROFILE_TARGET_LIST, m_cbTargetList);
    DDX_Control(pDX, IDC_TIME_UNIT, m_lblTimeUnit);
    DDX_Control(pDX, IDC_DISTANCE_UNIT, m_lblDistanceUnit);
    DDX_Control(pDX, IDC_POWER_SOURCE, m_lblPowerSource);
    DDX_Control(pDX, IDC_POWER_LEVEL, m_lblPowerLevel);
}

BOOL WCPropPageSettings::OnInitDialog() {
    CPropertyPage::OnInitDialog(); // pushes m_rbFast and m_rbScanFast
    if (m_initialized)
        return TRUE;
    m_initialized = true;
    // The connect hooks leave their errors to the caller; here the page is
    // its own caller, and a window procedure must not throw.
    try {
        OnTrackerConnected();
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
    LoadSettings();
    return TRUE;
}

tracker::Tracker* WCPropPageSettings::ConnectedTracker() const {
    if (!m_initialized || !m_device || !GetSafeHwnd())
        return nullptr;
    return m_device->m_tracker.Get();
}

ComPtr<tracker::MeasurementProfileCollection> WCPropPageSettings::Profiles() const {
    ComPtr<tracker::MeasurementProfileCollection> profiles;
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return profiles;
    ComPtr<tracker::Measurements> measurements = Read(device, &tracker::Tracker::get_Measurements);
    if (measurements)
        profiles = Read(measurements, &tracker::Measurements::get_MeasurementProfileCollection);
    return profiles;
}

// The kinds are told apart by their facets, tested in the Part's order.
WCPropPageSettings::ProfileKind WCPropPageSettings::KindOf(tracker::MeasurementProfile* profile) {
    if (!profile)
        return ProfileKind::None;
    if (QueryFacet<tracker::StationaryProfile>(profile))
        return ProfileKind::Stationary;
    if (QueryFacet<tracker::AreaScanProfile>(profile))
        return ProfileKind::AreaScan;
    if (QueryFacet<tracker::ContinuousTimeProfile>(profile))
        return ProfileKind::ContinuousTime;
    if (QueryFacet<tracker::ContinuousDistanceProfile>(profile))
        return ProfileKind::ContinuousDistance;
    if (QueryFacet<tracker::CustomProfile>(profile))
        return ProfileKind::Other;
    return ProfileKind::None;
}

ComPtr<tracker::MeasurementProfile>
WCPropPageSettings::FirstProfileOf(tracker::MeasurementProfileCollection* profiles,
                                   ProfileKind kind) {
    if (profiles)
        for (LONG i = 0; i < CountOf(profiles); ++i) {
            ComPtr<tracker::MeasurementProfile> profile =
                ItemOf<tracker::MeasurementProfile>(profiles, i);
            if (KindOf(profile.Get()) == kind)
                return profile;
        }
    return nullptr;
}

void WCPropPageSettings::OnTrackerConnected() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;

    // Profiles: names, and the settings of each kind.
    m_cbProfileList.ResetContent();
    ComPtr<tracker::MeasurementProfileCollection> profiles = Profiles();
    if (profiles)
        for (LONG i = 0; i < CountOf(profiles.Get()); ++i) {
            ComPtr<tracker::MeasurementProfile> profile =
                ItemOf<tracker::MeasurementProfile>(profiles.Get(), i);
            if (!profile)
                continue;
            m_cbProfileList.AddString(
                ReadText(profile.Get(), &tracker::MeasurementProfile::get_Name));
            LONG accuracy = 0;
            switch (KindOf(profile.Get())) {
            case ProfileKind::Stationary:
                ThrowIfFailed(RequireFacet<tracker::StationaryProfile>(profile.Get())
                                  ->get_Accuracy(&accuracy));
                IndexOfTrackerAccuracy(accuracy, m_rbFast); // another value leaves it
                break;
            case ProfileKind::AreaScan:
                ThrowIfFailed(
                    RequireFacet<tracker::AreaScanProfile>(profile.Get())->get_Accuracy(&accuracy));
                IndexOfTrackerAccuracy(accuracy, m_rbScanFast);
                break;
            case ProfileKind::ContinuousTime:
                ShowSeparation(Read(RequireFacet<tracker::ContinuousTimeProfile>(profile.Get()),
                                    &tracker::ContinuousTimeProfile::get_TimeSeparation)
                                   .Get(),
                               m_TimeSeperation, m_lblTimeUnit);
                break;
            case ProfileKind::ContinuousDistance:
                ShowSeparation(Read(RequireFacet<tracker::ContinuousDistanceProfile>(profile.Get()),
                                    &tracker::ContinuousDistanceProfile::get_DistanceSeparation)
                                   .Get(),
                               m_DistanceSeperation, m_lblDistanceUnit);
                break;
            default:
                break;
            }
        }

    // Targets: the selectable ones.
    m_cbTargetList.ResetContent();
    ComPtr<tracker::TargetCollection> targets =
        Read(device, &tracker::Tracker::get_TargetCollection);
    if (targets)
        for (LONG i = 0; i < CountOf(targets.Get()); ++i) {
            ComPtr<tracker::Target> target = ItemOf<tracker::Target>(targets.Get(), i);
            if (!target)
                continue;
            VARIANT_BOOL selectable = VARIANT_FALSE;
            ThrowIfFailed(target->get_Selectable(&selectable));
            if (selectable)
                m_cbTargetList.AddString(ReadText(target.Get(), &tracker::Target::get_Name));
        }

    UpdateData(FALSE);

    // The active profile and the current target, looked up without regard to case.
    if (profiles)
        if (ComPtr<tracker::MeasurementProfile> active =
                Read(profiles, &tracker::MeasurementProfileCollection::get_Active))
            m_cbProfileList.SetCurSel(m_cbProfileList.FindStringExact(
                -1, ReadText(active.Get(), &tracker::MeasurementProfile::get_Name)));
    if (targets)
        if (ComPtr<tracker::Target> current =
                Read(targets, &tracker::TargetCollection::get_Selected)) {
            VARIANT_BOOL selectable = VARIANT_FALSE;
            ThrowIfFailed(current->get_Selectable(&selectable));
            if (selectable)
                m_cbTargetList.SetCurSel(m_cbTargetList.FindStringExact(
                    -1, ReadText(current.Get(), &tracker::Target::get_Name)));
        }

    UpdatePowerStatus();
    SubscribeToPowerStatus();
}

void WCPropPageSettings::SubscribeToPowerStatus() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    // A subscription left by a connect that failed half-way is ended first.
    DestroyPowerStatusSink();
    ComPtr<tracker::PowerStatus> power = Read(device, &tracker::Tracker::get_PowerStatus);
    if (!power)
        return;
    ComPtr<tracker::PowerSource> source = Read(power, &tracker::PowerStatus::get_Source);
    ComPtr<tracker::PowerLevel> level = Read(power, &tracker::PowerStatus::get_Level);
    m_powerStatusSink = new WCPowerStatusEventSink(m_device);
    m_powerStatusSinkDisp = ComPtr<IDispatch>::Attach(m_powerStatusSink->GetIDispatch(TRUE));
    if (source)
        AfxConnectionAdvise(source.Get(), tracker::IID_PowerSourceEvents,
                            m_powerStatusSinkDisp.Get(), TRUE, &m_powerSourceCookie);
    if (level)
        AfxConnectionAdvise(level.Get(), tracker::IID_PowerLevelEvents, m_powerStatusSinkDisp.Get(),
                            TRUE, &m_powerLevelCookie);
}

void WCPropPageSettings::OnTrackerDisconnecting() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device || !m_powerStatusSink)
        return;
    if (ComPtr<tracker::PowerStatus> power = Read(device, &tracker::Tracker::get_PowerStatus)) {
        if (ComPtr<tracker::PowerSource> source = Read(power, &tracker::PowerStatus::get_Source))
            AfxConnectionUnadvise(source.Get(), tracker::IID_PowerSourceEvents,
                                  m_powerStatusSinkDisp.Get(), TRUE, m_powerSourceCookie);
        if (ComPtr<tracker::PowerLevel> level = Read(power, &tracker::PowerStatus::get_Level))
            AfxConnectionUnadvise(level.Get(), tracker::IID_PowerLevelEvents,
                                  m_powerStatusSinkDisp.Get(), TRUE, m_powerLevelCookie);
    }
    DestroyPowerStatusSink();
}

void WCPropPageSettings::DestroyPowerStatusSink() {
    m_powerStatusSinkDisp.Reset();
    DestroySink(m_powerStatusSink); // a sink a source still holds is cut off from the device
    m_powerSourceCookie = 0;
    m_powerLevelCookie = 0;
}

void WCPropPageSettings::UpdatePowerStatus() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    ComPtr<tracker::PowerStatus> power = Read(device, &tracker::Tracker::get_PowerStatus);
    if (!power)
        return;
    if (ComPtr<tracker::PowerSource> source = Read(power, &tracker::PowerStatus::get_Source)) {
        LONG code = -1;
        ThrowIfFailed(source->get_Value(&code));
        if (code == 0)
            m_lblPowerSource.SetWindowText(TEXT("Mains"));
        else if (code == 1)
            m_lblPowerSource.SetWindowText(TEXT("Battery"));
    }
    if (ComPtr<tracker::PowerLevel> level = Read(power, &tracker::PowerStatus::get_Level)) {
        double percent = 0;
        ThrowIfFailed(level->get_Value(&percent));
        CString text;
        text.Format(TEXT("%g"), percent);
        m_lblPowerLevel.SetWindowText(text);
    }
}

void WCPropPageSettings::LoadSettings() {
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    RegString text;
    // Setting an edit's text raises its change notification, which applies it.
    if (registry.ReadString(TEXT("m_TimeSeperation"), text))
        m_TimeSeperation.SetWindowText(text.c_str());
    if (registry.ReadString(TEXT("m_DistanceSeperation"), text))
        m_DistanceSeperation.SetWindowText(text.c_str());
    // A stored choice outside the three buttons is ignored: the tracker's
    // accuracy stays as it is shown.
    DWORD stored = 0;
    if (registry.ReadDword(TEXT("m_rbFast"), stored) && stored <= 2) {
        m_rbFast = static_cast<int>(stored);
        ApplyAccuracy(AccuracyGroup::Stationary, true);
    }
    if (registry.ReadDword(TEXT("m_rbScanFast"), stored) && stored <= 2) {
        m_rbScanFast = static_cast<int>(stored);
        ApplyAccuracy(AccuracyGroup::AreaScan, true);
    }
}

void WCPropPageSettings::SaveSettings() {
    if (!m_initialized || !GetSafeHwnd())
        return;
    CQNRegistry registry;
    registry.SetKey(kDeviceKeyName, true);
    const CString time = ControlText(m_TimeSeperation);
    if (!time.IsEmpty())
        registry.WriteString(TEXT("m_TimeSeperation"), time.Str());
    const CString distance = ControlText(m_DistanceSeperation);
    if (!distance.IsEmpty())
        registry.WriteString(TEXT("m_DistanceSeperation"), distance.Str());
    registry.WriteDword(TEXT("m_rbFast"), static_cast<DWORD>(m_rbFast));
    registry.WriteDword(TEXT("m_rbScanFast"), static_cast<DWORD>(m_rbScanFast));
}

void WCPropPageSettings::OnTargetSelected() {
    tracker::Tracker* device = ConnectedTracker();
    if (!device)
        return;
    try {
        ComPtr<tracker::TargetCollection> targets =
            Read(device, &tracker::Tracker::get_TargetCollection);
        const int selection = m_cbTargetList.GetCurSel();
        if (!targets || selection < 0)
            return;
        CString chosen;
        m_cbTargetList.GetLBText(selection, chosen);
        for (LONG i = 0; i < CountOf(targets.Get()); ++i) {
            ComPtr<tracker::Target> target = ItemOf<tracker::Target>(targets.Get(), i);
            if (!target)
                continue;
            VARIANT_BOOL selectable = VARIANT_FALSE;
            ThrowIfFailed(target->get_Selectable(&selectable));
            if (selectable && ReadText(target.Get(), &tracker::Target::get_Name) == chosen)
                ThrowIfFailed(target->Select());
        }
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPageSettings::OnProfileSelected() {
    if (!ConnectedTracker())
        return;
    try {
        ComPtr<tracker::MeasurementProfileCollection> profiles = Profiles();
        const int selection = m_cbProfileList.GetCurSel();
        if (!profiles || selection < 0)
            return;
        CString chosen;
        m_cbProfileList.GetLBText(selection, chosen);
        for (LONG i = 0; i < CountOf(profiles.Get()); ++i) {
            ComPtr<tracker::MeasurementProfile> profile =
                ItemOf<tracker::MeasurementProfile>(profiles.Get(), i);
            if (profile &&
                ReadText(profile.Get(), &tracker::MeasurementProfile::get_Name) == chosen)
                ThrowIfFailed(profile->Select());
        }
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPageSettings::OnTimeSeparationChanged() {
    ApplyTimeSeparation();
}

ComPtr<tracker::MeasurementProfile>
WCPropPageSettings::SeparationProfile(CEdit& edit, ProfileKind kind, CString& text) {
    if (!ConnectedTracker())
        return nullptr;
    text = ControlText(edit);
    if (text.IsEmpty())
        return nullptr;
    return FirstProfileOf(Profiles().Get(), kind);
}

void WCPropPageSettings::ApplyTimeSeparation() {
    try {
        CString text;
        ComPtr<tracker::MeasurementProfile> profile =
            SeparationProfile(m_TimeSeperation, ProfileKind::ContinuousTime, text);
        if (!profile)
            return;
        ComPtr<tracker::UnitValue> separation =
            Read(RequireFacet<tracker::ContinuousTimeProfile>(profile.Get()),
                 &tracker::ContinuousTimeProfile::get_TimeSeparation);
        if (!separation)
            return;
        ThrowIfFailed(separation->put_Value(_wtof(text))); // as typed, no unit conversion
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

// The distance edit is disabled and its value is not applied (whether it should
// be is open): the handler finds the profile and parses the text, as
// the time separation does, but passes nothing to the tracker.
void WCPropPageSettings::OnDistanceSeparationChanged() {
    try {
        CString text;
        if (SeparationProfile(m_DistanceSeperation, ProfileKind::ContinuousDistance, text))
            [[maybe_unused]]
            const double distance = _wtof(text);
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}

void WCPropPageSettings::OnStationaryAccuracyClicked() {
    ApplyAccuracy(AccuracyGroup::Stationary, false);
}

void WCPropPageSettings::OnAreaScanAccuracyClicked() {
    ApplyAccuracy(AccuracyGroup::AreaScan, false);
}

void WCPropPageSettings::ApplyAccuracy(AccuracyGroup group, bool force) {
    // Forced (after loading) the buttons show the loaded choice also while no
    // tracker is connected, so that what the page saves is what it shows.
    if (force && GetSafeHwnd())
        UpdateData(FALSE);
    if (!ConnectedTracker())
        return; // a click only moves the button
    try {
        ComPtr<tracker::Measurements> measurements =
            Read(ConnectedTracker(), &tracker::Tracker::get_Measurements);
        if (!measurements)
            return;
        int& member = group == AccuracyGroup::Stationary ? m_rbFast : m_rbScanFast;
        const int previous = member;
        if (!force) {
            UpdateData(TRUE);
            if (member == previous)
                return;
        }
        LONG accuracy = 0;
        if (!TrackerAccuracyOfIndex(member, accuracy))
            return;
        ComPtr<tracker::MeasurementProfileCollection> profiles =
            Read(measurements, &tracker::Measurements::get_MeasurementProfileCollection);
        if (group == AccuracyGroup::Stationary) {
            if (ComPtr<tracker::MeasurementProfile> profile =
                    FirstProfileOf(profiles.Get(), ProfileKind::Stationary))
                ThrowIfFailed(RequireFacet<tracker::StationaryProfile>(profile.Get())
                                  ->put_Accuracy(accuracy));
        } else {
            if (ComPtr<tracker::MeasurementProfile> profile =
                    FirstProfileOf(profiles.Get(), ProfileKind::AreaScan))
                ThrowIfFailed(
                    RequireFacet<tracker::AreaScanProfile>(profile.Get())->put_Accuracy(accuracy));
        }
    } catch (const ComError& error) {
        ShowLibraryError(error);
    }
}
