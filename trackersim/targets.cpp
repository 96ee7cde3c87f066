#include "targets.h"

#include "connection_points.h"
#include "errors.h"
#include "hardware.h"
#include "measurements.h"
#include "values.h"

#include <map>
#include <vector>

namespace trackersim {
namespace {

// The configured kind, name and size of target `index`, read afresh so a
// change of configuration needs no new object; a target beyond the configured
// list is of no kind.
TargetSpec SpecOf(size_t index) {
    const auto& targets = TheHardware().targets;
    return index < targets.size() ? targets[index] : TargetSpec{TargetKind::Other, TEXT(""), 0.0};
}

platform::WideString Numbered(platform::WideView prefix, size_t n) {
    const std::string digits = std::to_string(n);
    return platform::WideString(prefix) + platform::WideString(digits.begin(), digits.end());
}

// Live target objects by COM identity, for resolving target handles.
std::map<IUnknown*, size_t>& LiveTargets() {
    static std::map<IUnknown*, size_t> targets;
    return targets;
}

ComPtr<SizeObject> SizeOf(size_t index) {
    return Make<SizeObject>([index] { return SpecOf(index).size; });
}

class TipObject final : public ComObject<tracker::Tip> {
public:
    explicit TipObject(size_t target) : ComObject(TEXT("Tip")), m_size(SizeOf(target)) {}
    HRESULT STDMETHODCALLTYPE get_Size(tracker::SizeValue** size) override {
        return GiveObject<tracker::SizeValue>(TEXT("Tip.get_Size"), m_size.Get(), size);
    }

private:
    ComPtr<SizeObject> m_size;
};

class TipContainerObject final : public ComObject<tracker::TipContainer> {
public:
    explicit TipContainerObject(size_t target)
        : ComObject(TEXT("TipContainer")), m_tip(Make<TipObject>(target)) {}
    HRESULT STDMETHODCALLTYPE get_CurrentTip(tracker::Tip** tip) override {
        return GiveObject<tracker::Tip>(TEXT("TipContainer.get_CurrentTip"), m_tip.Get(), tip);
    }

private:
    ComPtr<TipObject> m_tip;
};

class ProbeObject final : public ComObject<tracker::Probe> {
public:
    explicit ProbeObject(size_t target)
        : ComObject(TEXT("Probe")), m_target(target), m_tips(Make<TipContainerObject>(target)) {}
    HRESULT STDMETHODCALLTYPE get_TipContainer(tracker::TipContainer** tips) override {
        return GiveObject<tracker::TipContainer>(TEXT("Probe.get_TipContainer"), m_tips.Get(), tips);
    }
    HRESULT STDMETHODCALLTYPE get_Identity(BSTR* identity) override {
        return GiveString(TEXT("Probe.get_Identity"), ProbeIdentity(static_cast<int>(m_target)),
                          identity);
    }

private:
    size_t m_target;
    ComPtr<TipContainerObject> m_tips;
};

class GeometryObject final : public ComObject<tracker::TargetGeometry> {
public:
    explicit GeometryObject(size_t target) : ComObject(TEXT("TargetGeometry")), m_size(SizeOf(target)) {}
    HRESULT STDMETHODCALLTYPE get_Size(tracker::SizeValue** size) override {
        return GiveObject<tracker::SizeValue>(TEXT("TargetGeometry.get_Size"), m_size.Get(), size);
    }

private:
    ComPtr<SizeObject> m_size;
};

class TargetObject final
    : public ComObject<tracker::Target, tracker::ProbeTarget, tracker::Reflector,
                       tracker::CustomReflector, tracker::RadiusTarget, tracker::RadiusTargetInfo,
                       tracker::ScanTarget> {
public:
    explicit TargetObject(size_t index)
        : ComObject(TEXT("Target")), m_index(index), m_probe(Make<ProbeObject>(index)),
          m_size(SizeOf(index)), m_geometry(Make<GeometryObject>(index)) {
        LiveTargets()[static_cast<IUnknown*>(Self())] = index;
    }
    ~TargetObject() override { LiveTargets().erase(static_cast<IUnknown*>(Self())); }

    HRESULT STDMETHODCALLTYPE get_Selectable(VARIANT_BOOL* selectable) override {
        return GiveValue(TEXT("Target.get_Selectable"),
                         SpecOf(m_index).selectable ? VARIANT_TRUE : VARIANT_FALSE, selectable);
    }
    HRESULT STDMETHODCALLTYPE Select() override {
        if (HRESULT hr = Enter(TEXT("Target.Select")); FAILED(hr))
            return hr;
        TheHardware().selectedTarget = static_cast<int>(m_index);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Identity(BSTR* identity) override {
        return GiveString(TEXT("Target.get_Identity"), TargetIdentity(static_cast<int>(m_index)),
                          identity);
    }
    HRESULT STDMETHODCALLTYPE get_Handle(IDispatch** handle) override {
        return GiveObject<IDispatch>(TEXT("Target.get_Handle"), Self(), handle);
    }

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return GiveString(TEXT("Target.get_Name"), SpecOf(m_index).name, name);
    }
    HRESULT STDMETHODCALLTYPE get_Probe(tracker::Probe** probe) override {
        return GiveObject<tracker::Probe>(TEXT("ProbeTarget.get_Probe"), m_probe.Get(), probe);
    }
    HRESULT STDMETHODCALLTYPE get_Size(tracker::SizeValue** radius) override {
        return GiveObject<tracker::SizeValue>(TEXT("Reflector.get_Size"), m_size.Get(), radius);
    }
    HRESULT STDMETHODCALLTYPE get_Geometry(tracker::TargetGeometry** geometry) override {
        return GiveObject<tracker::TargetGeometry>(TEXT("RadiusTargetInfo.get_Geometry"),
                                                   m_geometry.Get(), geometry);
    }

protected:
    bool Offers(REFIID riid) override {
        const TargetKind kind = SpecOf(m_index).kind;
        if (riid == tracker::ProbeTarget::iid)
            return kind == TargetKind::Probe;
        if (riid == tracker::Reflector::iid)
            return kind == TargetKind::Reflector || kind == TargetKind::CustomReflector;
        if (riid == tracker::CustomReflector::iid)
            return kind == TargetKind::CustomReflector;
        if (riid == tracker::RadiusTarget::iid || riid == tracker::RadiusTargetInfo::iid)
            return kind == TargetKind::RadiusTarget;
        if (riid == tracker::ScanTarget::iid)
            return SpecOf(m_index).scanTarget;
        return true;
    }

private:
    size_t m_index;
    ComPtr<ProbeObject> m_probe;
    ComPtr<SizeObject> m_size;
    ComPtr<GeometryObject> m_geometry;
};

class TargetCollectionObject final : public EventSource<tracker::TargetCollection> {
public:
    TargetCollectionObject()
        : EventSource(TEXT("TargetCollection"), {tracker::IID_TargetCollectionEvents}) {}

    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        return GiveValue(TEXT("TargetCollection.get_Count"),
                         static_cast<LONG>(TheHardware().targets.size()), count);
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, tracker::Target** item) override {
        if (item)
            *item = nullptr;
        if (index < 0 || index >= static_cast<LONG>(TheHardware().targets.size()))
            return ReportError(E_INVALIDARG, TEXT("The index is outside the collection."));
        return GiveObject<tracker::Target>(TEXT("TargetCollection.get_Item"), Item(index), item);
    }
    HRESULT STDMETHODCALLTYPE get_Selected(tracker::Target** target) override {
        const int selected = TheHardware().selectedTarget;
        const bool valid =
            selected >= 0 && selected < static_cast<int>(TheHardware().targets.size());
        return GiveObject<tracker::Target>(TEXT("TargetCollection.get_Selected"),
                                           valid ? Item(selected) : nullptr, target);
    }
    HRESULT STDMETHODCALLTYPE put_Selected(tracker::Target* target) override {
        if (HRESULT hr = Enter(TEXT("TargetCollection.put_Selected")); FAILED(hr))
            return hr;
        for (size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i] && IsSameComObject(m_items[i]->Self(), target)) {
                TheHardware().selectedTarget = static_cast<int>(i);
                ComPtr<TargetObject> selected = m_items[i];
                PostEvent(tracker::IID_TargetCollectionEvents, tracker::DISPID_SelectedChanged,
                          [selected](IDispatch& sender) {
                              return std::vector<ComVariant>{
                                  ComVariant::FromDispatch(&sender),
                                  ComVariant::FromDispatch(selected->Self())};
                          });
                return S_OK;
            }
        }
        return ReportError(E_INVALIDARG, TEXT("The target is not one of the tracker's targets."));
    }
    HRESULT STDMETHODCALLTYPE MakeTarget(BSTR product, BSTR name, tracker::Target** made) override {
        if (made)
            *made = nullptr;
        if (HRESULT hr = Enter(TEXT("TargetCollection.MakeTarget")); FAILED(hr))
            return hr;
        if (!made)
            return E_POINTER;
        const platform::WideString productText(product ? product : TEXT(""));
        const platform::WideString nameText(name ? name : TEXT(""));
        if (productText.empty())
            return ReportError(E_INVALIDARG, TEXT("No target product was given."));
        // Products are reflectors; the 1.5 inch one is the common ball.
        const double radius = productText == TEXT("KSR 1.5in") ? 19.05 : 0.0;
        auto& targets = TheHardware().targets;
        targets.push_back(
            TargetSpec{TargetKind::Reflector, nameText.empty() ? productText : nameText, radius});
        *made = Item(targets.size() - 1);
        (*made)->AddRef();
        return S_OK;
    }

private:
    // The same object for the same position, so identities compare equal.
    tracker::Target* Item(size_t index) {
        if (m_items.size() <= index)
            m_items.resize(index + 1);
        if (!m_items[index])
            m_items[index] = Make<TargetObject>(index);
        return m_items[index]->Self();
    }

    std::vector<ComPtr<TargetObject>> m_items;
};

} // namespace

int TargetIndexOf(IUnknown* target) {
    if (!target)
        return -1;
    ComPtr<IUnknown> identity;
    if (FAILED(target->QueryInterface(IID_IUnknown, identity.PutVoid())))
        return -1;
    auto it = LiveTargets().find(identity.Get());
    return it == LiveTargets().end() ? -1 : static_cast<int>(it->second);
}

platform::WideString TargetIdentity(int index) {
    const platform::WideString& identity = SpecOf(static_cast<size_t>(index)).identity;
    if (!identity.empty())
        return identity;
    return Numbered(TEXT("TGT-"), static_cast<size_t>(index));
}

platform::WideString ProbeIdentity(int index) {
    return SpecOf(static_cast<size_t>(index)).kind == TargetKind::Probe
               ? Numbered(TEXT("PRB-"), static_cast<size_t>(index))
               : platform::WideString();
}

ComPtr<tracker::TargetCollection> CreateTargetCollection() {
    return ComPtr<tracker::TargetCollection>(Make<TargetCollectionObject>()->Self());
}

void FireTargetPosition(const SampleSpec& sample) {
    ComPtr<tracker::PositionMeasurement> position = CreatePositionSample(sample);
    PostEvent(tracker::IID_TargetCollectionEvents, tracker::DISPID_TargetPositionChanged,
              [position](IDispatch& sender) {
                  // The sample goes as its PositionMeasurement facet: the module
                  // uses the argument as that interface without asking.
                  return std::vector<ComVariant>{ComVariant::FromDispatch(&sender),
                                                 ComVariant::FromDispatch(position.Get())};
              });
}

} // namespace trackersim
