// Value objects: numbers with units, sizes, settings, switches, states and
// the tracker's exception object.
#pragma once

#include "connection_points.h"

#include <functional>
#include <string>

namespace trackersim {

// A ScalarValue, or a CoordinateValue (which reads like one).
template <class I> class NumberObject final : public ComObject<I> {
public:
    NumberObject(double value, platform::WideView name, platform::WideView unit = TEXT("mm"))
        : ComObject<I>(kInterfaceName<I>), m_value(value), m_name(name), m_unit(unit) {}

    HRESULT STDMETHODCALLTYPE get_Value(double* value) override {
        return GiveValue(TEXT("ScalarValue.get_Value"), m_value, value);
    }
    HRESULT STDMETHODCALLTYPE get_Unit(BSTR* unit) override {
        return GiveString(TEXT("ScalarValue.get_Unit"), m_unit, unit);
    }
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return GiveString(TEXT("ScalarValue.get_Name"), m_name, name);
    }

private:
    double m_value;
    platform::WideString m_name;
    platform::WideString m_unit;
};
using ScalarObject = NumberObject<tracker::ScalarValue>;
using CoordinateObject = NumberObject<tracker::CoordinateValue>;

// A size read from the hardware when asked, so a change needs no new object.
class SizeObject final : public ComObject<tracker::SizeValue> {
public:
    explicit SizeObject(std::function<double()> read)
        : ComObject(TEXT("SizeValue")), m_read(std::move(read)) {}
    HRESULT STDMETHODCALLTYPE get_Value(double* value) override {
        return GiveValue(TEXT("SizeValue.get_Value"), m_read(), value);
    }

private:
    std::function<double()> m_read;
};

// A numeric setting stored in the simulated hardware.
class NumericSettingObject final : public ComObject<tracker::NumericSetting> {
public:
    explicit NumericSettingObject(double& cell) : ComObject(TEXT("NumericSetting")), m_cell(cell) {}
    HRESULT STDMETHODCALLTYPE get_Value(double* value) override {
        return GiveValue(TEXT("NumericSetting.get_Value"), m_cell, value);
    }
    HRESULT STDMETHODCALLTYPE put_Value(double value) override;

private:
    double& m_cell;
};

// A setting with a unit, read and written through the hardware.
class UnitValueObject final : public ComObject<tracker::UnitValue> {
public:
    UnitValueObject(std::function<double&()> cell, platform::WideView unit)
        : ComObject(TEXT("UnitValue")), m_cell(std::move(cell)), m_unit(unit) {}
    HRESULT STDMETHODCALLTYPE get_Value(double* value) override {
        return GiveValue(TEXT("NumericSetting.get_Value"), m_cell(), value);
    }
    HRESULT STDMETHODCALLTYPE put_Value(double value) override {
        if (HRESULT hr = Enter(TEXT("NumericSetting.put_Value")); FAILED(hr))
            return hr;
        m_cell() = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Unit(BSTR* unit) override {
        return GiveString(TEXT("UnitValue.get_Unit"), m_unit, unit);
    }

private:
    std::function<double&()> m_cell;
    platform::WideString m_unit;
};

// An on/off switch stored in the simulated hardware; a change fires
// SwitchChangedEvents Changed (sender, new value) and runs onChange.
class BoolSwitchObject final : public EventSource<tracker::BoolSwitch> {
public:
    BoolSwitchObject(bool& cell, platform::WideView name,
                     std::function<void(bool)> onChange = nullptr);
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return GiveString(TEXT("BoolSwitch.get_Name"), m_name, name);
    }

private:
    bool& m_cell;
    platform::WideString m_name;
    std::function<void(bool)> m_onChange;
};

// A read-only state of the hardware with BoolChangedEvents.
class BoolStateObject final : public EventSource<tracker::BoolState> {
public:
    BoolStateObject(const bool& cell, platform::WideView name);
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return GiveString(TEXT("BoolState.get_Name"), m_name, name);
    }
    // Fires BoolChangedEvents Changed (sender, value) from the loop.
    void Changed();

private:
    const bool& m_cell;
    platform::WideString m_name;
};

class TrackerExceptionObject final : public ComObject<tracker::TrackerException> {
public:
    TrackerExceptionObject(LONG number, platform::WideView description)
        : ComObject(TEXT("TrackerException")), m_number(number), m_description(description) {}
    HRESULT STDMETHODCALLTYPE get_Number(LONG* number) override {
        return GiveValue(TEXT("TrackerException.get_Number"), m_number, number);
    }
    HRESULT STDMETHODCALLTYPE get_Description(BSTR* description) override {
        return GiveString(TEXT("TrackerException.get_Description"), m_description, description);
    }

private:
    LONG m_number;
    platform::WideString m_description;
};

} // namespace trackersim
