#include "values.h"

namespace trackersim {

HRESULT NumericSettingObject::put_Value(double value) {
    if (HRESULT hr = Enter(TEXT("NumericSetting.put_Value")); FAILED(hr))
        return hr;
    m_cell = value;
    return S_OK;
}

HRESULT BoolSwitchObject::get_Value(VARIANT_BOOL* value) {
    return GiveValue(TEXT("BoolSwitch.get_Value"), m_cell ? VARIANT_TRUE : VARIANT_FALSE, value);
}

BoolSwitchObject::BoolSwitchObject(bool& cell, platform::WideView name,
                                   std::function<void(bool)> onChange)
    : EventSource(TEXT("BoolSwitch"), {tracker::IID_SwitchChangedEvents}), m_cell(cell),
      m_name(name), m_onChange(std::move(onChange)) {}

HRESULT BoolSwitchObject::put_Value(VARIANT_BOOL value) {
    if (HRESULT hr = Enter(TEXT("BoolSwitch.put_Value")); FAILED(hr))
        return hr;
    const bool on = value != VARIANT_FALSE;
    if (on == m_cell)
        return S_OK;
    m_cell = on;
    PostEventFrom(this, tracker::IID_SwitchChangedEvents, tracker::DISPID_InclinationBoolChanged,
                  [on](IDispatch& sender) {
                      return std::vector<ComVariant>{ComVariant::FromDispatch(&sender),
                                                     ComVariant::FromBool(on)};
                  });
    if (m_onChange)
        m_onChange(on);
    return S_OK;
}

BoolStateObject::BoolStateObject(const bool& cell, platform::WideView name)
    : EventSource(TEXT("BoolState"), {tracker::IID_BoolChangedEvents}), m_cell(cell), m_name(name) {
}

HRESULT BoolStateObject::get_Value(VARIANT_BOOL* value) {
    return GiveValue(TEXT("BoolState.get_Value"), m_cell ? VARIANT_TRUE : VARIANT_FALSE, value);
}

void BoolStateObject::Changed() {
    const bool value = m_cell;
    PostEventFrom(this, tracker::IID_BoolChangedEvents, tracker::DISPID_InclinationBoolChanged,
                  [value](IDispatch& sender) {
                      return std::vector<ComVariant>{ComVariant::FromDispatch(&sender),
                                                     ComVariant::FromBool(value)};
                  });
}

} // namespace trackersim
