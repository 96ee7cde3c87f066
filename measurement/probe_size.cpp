// The probe size of the selected target: a diameter, never negative.
#include "measurement/library_reads.h"
#include "plugin/CQWandDevice.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"

using namespace tracker;

namespace {

double NonNegative(double value) {
    return value >= 0 ? value : 0;
}

} // namespace

int CQWandDevice::GetProbeSize(double* out) {
    if (!m_connected)
        return 0;
    try {
        ComPtr<TargetCollection> targets = Require(m_tracker, &Tracker::get_TargetCollection);
        ComPtr<Target> selected = Read(targets, &TargetCollection::get_Selected);
        if (!selected) {
            *out = 0;
            return 0;
        }
        if (ComPtr<ProbeTarget> probeTarget = QueryFacet<ProbeTarget>(selected.Get())) {
            ComPtr<Probe> probe = Read(probeTarget, &ProbeTarget::get_Probe);
            ComPtr<TipContainer> tips = probe ? Read(probe, &Probe::get_TipContainer) : nullptr;
            ComPtr<Tip> tip = tips ? Read(tips, &TipContainer::get_CurrentTip) : nullptr;
            ComPtr<SizeValue> size = tip ? Read(tip, &Tip::get_Size) : nullptr;
            if (!size) {
                *out = 0;
                return 0;
            }
            *out = NonNegative(ValueOf(size));
            return 1;
        }
        selected = Require(targets, &TargetCollection::get_Selected);
        if (ComPtr<Reflector> reflector = QueryFacet<Reflector>(selected.Get())) {
            if (QueryFacet<CustomReflector>(selected.Get())) {
                // The diameter the user selected on the probe settings page.
                CComboBox* list = m_settingsDlg ? &m_settingsDlg->m_cbReflectorSizeList : nullptr;
                if (list && list->GetCount() > 0 && list->GetCurSel() != CB_ERR) {
                    CString text;
                    list->GetLBText(list->GetCurSel(), text);
                    *out = NonNegative(_wtof(text));
                    return 1;
                }
                *out = 0;
                return 0;
            }
            ComPtr<SizeValue> radius = Read(reflector, &Reflector::get_Size);
            if (!radius) {
                *out = 0;
                return 0;
            }
            *out = NonNegative(2 * ValueOf(radius));
            return 1;
        }
        selected = Require(targets, &TargetCollection::get_Selected);
        if (QueryFacet<RadiusTarget>(selected.Get())) {
            if (ComPtr<RadiusTargetInfo> info = QueryFacet<RadiusTargetInfo>(selected.Get())) {
                ComPtr<TargetGeometry> geometry = Read(info, &RadiusTargetInfo::get_Geometry);
                ComPtr<SizeValue> radius =
                    geometry ? Read(geometry, &TargetGeometry::get_Size) : nullptr;
                if (!radius) {
                    *out = 0;
                    return 0;
                }
                *out = NonNegative(2 * ValueOf(radius));
                return 1;
            }
        }
        *out = 0;
        return 0;
    } catch (const ComError&) {
        return 0; // the caller's value stays as it was
    }
}
