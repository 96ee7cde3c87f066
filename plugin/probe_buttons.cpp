// The probe's buttons and the stable-probing trigger: which trigger fired,
// which action the button has, and carrying the action out.
#include "measurement/library_reads.h"
#include "plugin/CQWandDevice.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"

using namespace tracker;

namespace {

enum ButtonAction { kMeasurement = 0, kConfirm = 1, kCancel = 2 };

ComBstr IdentityOf(Trigger* trigger) {
    ComBstr identity;
    ThrowIfFailed(trigger->get_Identity(identity.Put()));
    return identity;
}

ComBstr SenderIdentity(IDispatch* sender) {
    ComPtr<Trigger> trigger;
    ThrowIfFailed(sender->QueryInterface(IidOf<Trigger>(), trigger.PutVoid()));
    return IdentityOf(trigger.Get());
}

} // namespace

bool SameBstr(BSTR a, BSTR b) {
    if (a == b)
        return true;
    const UINT length = SysStringLen(a);
    if (length != SysStringLen(b))
        return false;
    for (UINT i = 0; i < length; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

void CQWandDevice::OnTriggerHappened(IDispatch* sender, IDispatch* arguments) {
    if (!sender)
        return;
    // Everything an event needs is read before anything is done, so an event
    // whose reading fails takes no action at all.
    enum class Effect { None, Press, Release };
    Effect effect = Effect::None;
    LONG index = 0;
    bool stable = false;
    if (m_probeButtonTrigger) {
        if (SameBstr(SenderIdentity(sender).Get(), IdentityOf(m_probeButtonTrigger.Get()).Get())) {
            ComPtr<ProbeButtonEventArgs> button;
            ThrowIfNull(arguments);
            ThrowIfFailed(
                arguments->QueryInterface(IidOf<ProbeButtonEventArgs>(), button.PutVoid()));
            LONG state = 0;
            ThrowIfFailed(button->get_ButtonState(&state));
            ThrowIfFailed(button->get_ButtonIndex(&index));
            effect = state == 2 ? Effect::Press : Effect::Release;
        }
    }
    if (m_stableProbingTrigger)
        stable =
            SameBstr(SenderIdentity(sender).Get(), IdentityOf(m_stableProbingTrigger.Get()).Get());

    if (effect == Effect::Press)
        OnButtonPressed(index);
    else if (effect == Effect::Release)
        OnButtonReleased(index);
    if (stable)
        MeasureSinglePoint();
}

bool CQWandDevice::OnButtonPressed(int index) {
    const int action = m_settingsDlg ? m_settingsDlg->GetButtonAction(index) : index;
    switch (action) {
    case kMeasurement:
        if (m_acqMode == 0)
            MeasureSinglePoint();
        else if (m_acqMode == 1)
            StartContinuousMeasurement();
        return true;
    case kConfirm:
        PostConfirm();
        return true;
    case kCancel:
        PostCancel();
        return true;
    default:
        return false;
    }
}

bool CQWandDevice::OnButtonReleased(int index) {
    const int action = m_settingsDlg ? m_settingsDlg->GetButtonAction(index) : index;
    if (action != kMeasurement)
        return false;
    if (m_acqMode == 1)
        StopContinuousMeasurement();
    return true;
}
