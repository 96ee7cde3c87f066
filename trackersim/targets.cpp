#include "targets.h"

#include "connection_points.h"
#include "errors.h"
#include "hardware.h"
#include "measurements.h"
#include "values.h"

#include <vector>

namespace trackersim {
namespace {

// The spec of target `index`, read afresh so a change of configuration needs
// no new object; a target beyond the configured list is of no kind.
TargetSpec SpecOf(size_t index) {
    const auto& targets = TheHardware().targets;
    return index < targets.size() ? targets[index] : TargetSpec{TargetKind::Other, u"", 0.0};
}

ComPtr<SizeObject> SizeOf(size_t index) {
    return Make<SizeObject>([index] { return SpecOf(index).size; });
}

class TipObject final : public ComObject<tracker::Tip> {
public:
    explicit TipObject(size_t target) : ComObject(u"Tip"), m_size(SizeOf(target)) {}
    HRESULT STDMETHODCALLTYPE get_Size(tracker::SizeValue** size) override {
        return GiveObject<tracker::SizeValue>(u"Tip.get_Size", m_size.Get(), size);
    }

private:
    ComPtr<SizeObject> m_size;
};

class TipContainerObject final : public ComObject<tracker::TipContainer> {
public:
    explicit TipContainerObject(size_t target)
        : ComObject(u"TipContainer"), m_tip(Make<TipObject>(target)) {}
    HRESULT STDMETHODCALLTYPE get_CurrentTip(tracker::Tip** tip) override {
        return GiveObject<tracker::Tip>(u"TipContainer.get_CurrentTip", m_tip.Get(), tip);
    }

private:
    ComPtr<TipObject> m_tip;
};

class ProbeObject final : public ComObject<tracker::Probe> {
public:
    explicit ProbeObject(size_t target)
        : ComObject(u"Probe"), m_tips(Make<TipContainerObject>(target)) {}
    HRESULT STDMETHODCALLTYPE get_TipContainer(tracker::TipContainer** tips) override {
        return GiveObject<tracker::TipContainer>(u"Probe.get_TipContainer", m_tips.Get(), tips);
    }

private:
    ComPtr<TipContainerObject> m_tips;
};

class GeometryObject final : public ComObject<tracker::TargetGeometry> {
public:
    explicit GeometryObject(size_t target) : ComObject(u"TargetGeometry"), m_size(SizeOf(target)) {}
    HRESULT STDMETHODCALLTYPE get_Size(tracker::SizeValue** size) override {
        return GiveObject<tracker::SizeValue>(u"TargetGeometry.get_Size", m_size.Get(), size);
    }

private:
    ComPtr<SizeObject> m_size;
};

class TargetObject final
    : public ComObject<tracker::Target, tracker::ProbeTarget, tracker::Reflector,
                       tracker::CustomReflector, tracker::RadiusTarget, tracker::RadiusTargetInfo> {
public:
    explicit TargetObject(size_t index)
        : ComObject(u"Target"), m_index(index), m_probe(Make<ProbeObject>(index)),
          m_size(SizeOf(index)), m_geometry(Make<GeometryObject>(index)) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return GiveString(u"Target.get_Name", SpecOf(m_index).name, name);
    }
    HRESULT STDMETHODCALLTYPE get_Probe(tracker::Probe** probe) override {
        return GiveObject<tracker::Probe>(u"ProbeTarget.get_Probe", m_probe.Get(), probe);
    }
    HRESULT STDMETHODCALLTYPE get_Size(tracker::SizeValue** radius) override {
        return GiveObject<tracker::SizeValue>(u"Reflector.get_Size", m_size.Get(), radius);
    }
    HRESULT STDMETHODCALLTYPE get_Geometry(tracker::TargetGeometry** geometry) override {
        return GiveObject<tracker::TargetGeometry>(u"RadiusTargetInfo.get_Geometry",
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
        : EventSource(u"TargetCollection", {tracker::IID_TargetCollectionEvents}) {}

    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        return GiveValue(u"TargetCollection.get_Count",
                         static_cast<LONG>(TheHardware().targets.size()), count);
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, tracker::Target** item) override {
        if (item)
            *item = nullptr;
        if (index < 0 || index >= static_cast<LONG>(TheHardware().targets.size()))
            return ReportError(E_INVALIDARG, u"The index is outside the collection.");
        return GiveObject<tracker::Target>(u"TargetCollection.get_Item", Item(index), item);
    }
    HRESULT STDMETHODCALLTYPE get_Selected(tracker::Target** target) override {
        const int selected = TheHardware().selectedTarget;
        const bool valid =
            selected >= 0 && selected < static_cast<int>(TheHardware().targets.size());
        return GiveObject<tracker::Target>(u"TargetCollection.get_Selected",
                                           valid ? Item(selected) : nullptr, target);
    }
    HRESULT STDMETHODCALLTYPE put_Selected(tracker::Target* target) override {
        if (HRESULT hr = Enter(u"TargetCollection.put_Selected"); FAILED(hr))
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
        return ReportError(E_INVALIDARG, u"The target is not one of the tracker's targets.");
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
