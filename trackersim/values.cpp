#include "values.h"

namespace trackersim {

HRESULT NumericSettingObject::put_Value(double value) {
    if (HRESULT hr = Enter(u"NumericSetting.put_Value"); FAILED(hr))
        return hr;
    m_cell = value;
    return S_OK;
}

HRESULT BoolSwitchObject::get_Value(VARIANT_BOOL* value) {
    return GiveValue(u"BoolSwitch.get_Value", m_cell ? VARIANT_TRUE : VARIANT_FALSE, value);
}

HRESULT BoolSwitchObject::put_Value(VARIANT_BOOL value) {
    if (HRESULT hr = Enter(u"BoolSwitch.put_Value"); FAILED(hr))
        return hr;
    m_cell = value != VARIANT_FALSE;
    return S_OK;
}

BoolStateObject::BoolStateObject(const bool& cell, std::u16string_view name)
    : EventSource(u"BoolState", {tracker::IID_BoolChangedEvents}), m_cell(cell), m_name(name) {}

HRESULT BoolStateObject::get_Value(VARIANT_BOOL* value) {
    return GiveValue(u"BoolState.get_Value", m_cell ? VARIANT_TRUE : VARIANT_FALSE, value);
}

} // namespace trackersim
