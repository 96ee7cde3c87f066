#include "triggers.h"

#include "connection_points.h"
#include "errors.h"
#include "hardware.h"
#include "values.h"

#include <string>
#include <vector>

namespace trackersim {
namespace {

constexpr LONG kPressed = 2;
constexpr LONG kReleased = 1;

template <class I> class TriggerObject : public ComObject<I> {
public:
    TriggerObject(platform::WideView className, platform::WideString identity)
        : ComObject<I>(className), m_identity(std::move(identity)) {}
    HRESULT STDMETHODCALLTYPE get_Identity(BSTR* identity) override {
        return GiveString(TEXT("Trigger.get_Identity"), m_identity, identity);
    }

private:
    platform::WideString m_identity;
};

class ProbeButtonTriggerObject final : public TriggerObject<tracker::ProbeButtonTrigger> {
public:
    explicit ProbeButtonTriggerObject(platform::WideString identity)
        : TriggerObject(TEXT("ProbeButtonTrigger"), std::move(identity)) {}
};

class PlainTriggerObject final : public TriggerObject<tracker::Trigger> {
public:
    explicit PlainTriggerObject(platform::WideString identity)
        : TriggerObject(TEXT("Trigger"), std::move(identity)) {}
};

class StableProbingTriggerObject final : public TriggerObject<tracker::StableProbingTrigger> {
public:
    explicit StableProbingTriggerObject(platform::WideString identity)
        : TriggerObject(TEXT("StableProbingTrigger"), std::move(identity)),
          m_enabled(Make<BoolSwitchObject>(TheHardware().stableProbingEnabled, TEXT("Enabled"))),
          m_time(Make<NumericSettingObject>(TheHardware().stableProbingTime)) {}
    HRESULT STDMETHODCALLTYPE get_Enabled(tracker::BoolSwitch** onOff) override {
        return GiveObject<tracker::BoolSwitch>(TEXT("StableProbingTrigger.get_Enabled"),
                                               m_enabled.Get(), onOff);
    }
    HRESULT STDMETHODCALLTYPE get_Time(tracker::NumericSetting** time) override {
        return GiveObject<tracker::NumericSetting>(TEXT("StableProbingTrigger.get_Time"),
                                                   m_time.Get(), time);
    }

private:
    ComPtr<BoolSwitchObject> m_enabled;
    ComPtr<NumericSettingObject> m_time;
};

class ButtonArgsObject final : public ComObject<tracker::ProbeButtonEventArgs> {
public:
    ButtonArgsObject(LONG index, LONG state)
        : ComObject(TEXT("ProbeButtonEventArgs")), m_index(index), m_state(state) {}
    HRESULT STDMETHODCALLTYPE get_ButtonIndex(LONG* index) override {
        return GiveValue(TEXT("ProbeButtonEventArgs.get_ButtonIndex"), m_index, index);
    }
    HRESULT STDMETHODCALLTYPE get_ButtonState(LONG* state) override {
        return GiveValue(TEXT("ProbeButtonEventArgs.get_ButtonState"), m_state, state);
    }

private:
    LONG m_index;
    LONG m_state;
};

struct Item {
    TriggerKind kind;
    ComPtr<tracker::Trigger> trigger;
};

class TriggerCollectionObject final : public EventSource<tracker::TriggerCollection> {
public:
    TriggerCollectionObject()
        : EventSource(TEXT("TriggerCollection"), {tracker::IID_TriggerCollectionEvents}) {
        // Identities stay distinct when a kind repeats.
        int number = 1;
        for (TriggerKind kind : TheHardware().triggerKinds)
            m_items.push_back({kind, MakeTrigger(kind, number++)});
    }

    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        return GiveValue(TEXT("TriggerCollection.get_Count"), static_cast<LONG>(m_items.size()),
                         count);
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, tracker::Trigger** item) override {
        if (item)
            *item = nullptr;
        if (index < 0 || index >= static_cast<LONG>(m_items.size()))
            return ReportError(E_INVALIDARG, TEXT("The index is outside the collection."));
        return GiveObject<tracker::Trigger>(TEXT("TriggerCollection.get_Item"),
                                            m_items[index].trigger.Get(), item);
    }

    tracker::Trigger* At(LONG index) const {
        return index >= 0 && index < static_cast<LONG>(m_items.size())
                   ? m_items[index].trigger.Get()
                   : nullptr;
    }
    tracker::Trigger* LastOf(TriggerKind kind) const {
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
            if (it->kind == kind)
                return it->trigger.Get();
        return nullptr;
    }

private:
    static ComPtr<tracker::Trigger> MakeTrigger(TriggerKind kind, int number) {
        const platform::WideString n = NumberText(number);
        switch (kind) {
        case TriggerKind::ProbeButton:
            return ComPtr<tracker::Trigger>(
                Make<ProbeButtonTriggerObject>(TEXT("ProbeButtons#") + n)->Self());
        case TriggerKind::StableProbing:
            return ComPtr<tracker::Trigger>(
                Make<StableProbingTriggerObject>(TEXT("StableProbing#") + n)->Self());
        default:
            return ComPtr<tracker::Trigger>(Make<PlainTriggerObject>(TEXT("Trigger#") + n)->Self());
        }
    }
    static platform::WideString NumberText(int n) {
        const std::string digits = std::to_string(n);
        return platform::WideString(digits.begin(), digits.end());
    }

    std::vector<Item> m_items;
};

// Posts TriggerHappened; `pick` chooses the sender in each collection (null: skip it).
template <class Pick> void PostTrigger(Pick pick, LONG button, LONG state) {
    ComPtr<ButtonArgsObject> args = Make<ButtonArgsObject>(button, state);
    PostEvent(tracker::IID_TriggerCollectionEvents, tracker::DISPID_TriggerHappened,
              [pick, args](IDispatch& sender) {
                  auto& collection = static_cast<TriggerCollectionObject&>(
                      static_cast<tracker::TriggerCollection&>(sender));
                  ComPtr<tracker::Trigger> trigger = pick(collection);
                  if (!trigger)
                      return std::vector<ComVariant>{};
                  return std::vector<ComVariant>{ComVariant::FromDispatch(trigger.Get()),
                                                 ComVariant::FromDispatch(args->Self())};
              });
}

} // namespace

ComPtr<tracker::TriggerCollection> CreateTriggerCollection() {
    return ComPtr<tracker::TriggerCollection>(Make<TriggerCollectionObject>()->Self());
}

void FireProbeButton(LONG button, bool pressed) {
    PostTrigger(
        [](const TriggerCollectionObject& c) {
            return ComPtr<tracker::Trigger>(c.LastOf(TriggerKind::ProbeButton));
        },
        button, pressed ? kPressed : kReleased);
}

void FireTrigger(LONG item, LONG button, LONG state) {
    ComPtr<tracker::Trigger> foreign;
    if (item < 0)
        foreign =
            ComPtr<tracker::Trigger>(Make<PlainTriggerObject>(TEXT("ForeignTrigger"))->Self());
    PostTrigger(
        [item, foreign](const TriggerCollectionObject& c) {
            return item < 0 ? foreign : ComPtr<tracker::Trigger>(c.At(item));
        },
        button, state);
}

void FireStableProbing() {
    // Stable probing carries no button: index -1, state 0.
    PostTrigger(
        [](const TriggerCollectionObject& c) {
            return ComPtr<tracker::Trigger>(c.LastOf(TriggerKind::StableProbing));
        },
        -1, 0);
}

} // namespace trackersim
