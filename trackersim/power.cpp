#include "power.h"

#include "connection_points.h"
#include "hardware.h"

namespace trackersim {
namespace {

class PowerSourceObject final : public EventSource<tracker::PowerSource> {
public:
    PowerSourceObject() : EventSource(TEXT("PowerSource"), {tracker::IID_PowerSourceEvents}) {}
    HRESULT STDMETHODCALLTYPE get_Value(LONG* code) override {
        return GiveValue(TEXT("PowerSource.get_Value"), TheHardware().powerSource, code);
    }
};

class PowerLevelObject final : public EventSource<tracker::PowerLevel> {
public:
    PowerLevelObject() : EventSource(TEXT("PowerLevel"), {tracker::IID_PowerLevelEvents}) {}
    HRESULT STDMETHODCALLTYPE get_Value(double* level) override {
        return GiveValue(TEXT("PowerLevel.get_Value"), TheHardware().powerLevel, level);
    }
};

class PowerStatusObject final : public ComObject<tracker::PowerStatus> {
public:
    PowerStatusObject()
        : ComObject(TEXT("PowerStatus")), m_source(Make<PowerSourceObject>()),
          m_level(Make<PowerLevelObject>()) {}
    HRESULT STDMETHODCALLTYPE get_Source(tracker::PowerSource** source) override {
        return GiveObject<tracker::PowerSource>(TEXT("PowerStatus.get_Source"), m_source->Self(),
                                                source);
    }
    HRESULT STDMETHODCALLTYPE get_Level(tracker::PowerLevel** level) override {
        return GiveObject<tracker::PowerLevel>(TEXT("PowerStatus.get_Level"), m_level->Self(),
                                               level);
    }

private:
    ComPtr<PowerSourceObject> m_source;
    ComPtr<PowerLevelObject> m_level;
};

} // namespace

ComPtr<tracker::PowerStatus> CreatePowerStatus() {
    return ComPtr<tracker::PowerStatus>(Make<PowerStatusObject>()->Self());
}

void FirePowerStatus(LONG source, double level) {
    TheHardware().powerSource = source;
    TheHardware().powerLevel = level;
    PostEvent(tracker::IID_PowerSourceEvents, tracker::DISPID_PowerSourceChanged,
              [source](IDispatch& sender) {
                  return std::vector<ComVariant>{ComVariant::FromDispatch(&sender),
                                                 ComVariant::FromLong(source)};
              });
    PostEvent(tracker::IID_PowerLevelEvents, tracker::DISPID_PowerLevelChanged,
              [level](IDispatch& sender) {
                  return std::vector<ComVariant>{ComVariant::FromDispatch(&sender),
                                                 ComVariant::FromDouble(level)};
              });
}

} // namespace trackersim
