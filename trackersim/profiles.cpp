#include "profiles.h"

#include "errors.h"
#include "hardware.h"
#include "values.h"

#include <vector>

namespace trackersim {
namespace {

// A profile beyond the list (after the list shrank) reads as a custom one.
ProfileSpec& SpecOf(size_t index) {
    static ProfileSpec gone{ProfileKind::Custom, TEXT(""), 1, 0.0};
    auto& profiles = TheHardware().profiles;
    return index < profiles.size() ? profiles[index] : gone;
}

class CornerObject final : public ComObject<tracker::Position> {
public:
    explicit CornerObject(const Corner& c)
        : ComObject(TEXT("Corner")), m_x(Make<ScalarObject>(c.x, TEXT("X"), TEXT("rad"))),
          m_y(Make<ScalarObject>(c.y, TEXT("Y"), TEXT("rad"))),
          m_z(Make<ScalarObject>(c.z, TEXT("Z"), TEXT(""))) {}
    HRESULT STDMETHODCALLTYPE get_X(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Position.get_X"), m_x.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Y(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Position.get_Y"), m_y.Get(), v);
    }
    HRESULT STDMETHODCALLTYPE get_Z(tracker::ScalarValue** v) override {
        return GiveObject<tracker::ScalarValue>(TEXT("Position.get_Z"), m_z.Get(), v);
    }

private:
    ComPtr<ScalarObject> m_x, m_y, m_z;
};

Region* RegionAt(size_t index) {
    auto& regions = TheHardware().scan.regions;
    return index < regions.size() ? &regions[index] : nullptr;
}

HRESULT RegionGone() {
    return ReportError(E_UNEXPECTED, TEXT("The scan region was cleared."));
}

class CornerListObject final : public ComObject<tracker::CornerList> {
public:
    explicit CornerListObject(size_t region) : ComObject(TEXT("CornerList")), m_region(region) {}
    HRESULT STDMETHODCALLTYPE Add(double x, double y, double z, IDispatch** corner) override {
        if (corner)
            *corner = nullptr;
        if (HRESULT hr = Enter(TEXT("CornerList.Add")); FAILED(hr))
            return hr;
        Region* region = RegionAt(m_region);
        if (!region)
            return RegionGone();
        region->corners.push_back({x, y, z});
        if (corner)
            *corner = Make<CornerObject>(region->corners.back()).Detach()->Self();
        return S_OK;
    }

private:
    size_t m_region;
};

class RegionObject final : public ComObject<tracker::ScanRegion> {
public:
    explicit RegionObject(size_t region)
        : ComObject(TEXT("ScanRegion")), m_region(region),
          m_corners(Make<CornerListObject>(region)) {}
    HRESULT STDMETHODCALLTYPE get_Corners(tracker::CornerList** corners) override {
        return GiveObject<tracker::CornerList>(TEXT("ScanRegion.get_Corners"), m_corners.Get(),
                                               corners);
    }
    HRESULT STDMETHODCALLTYPE get_Switch(LONG* value) override {
        Region* region = RegionAt(m_region);
        return GiveValue(TEXT("ScanRegion.get_Switch"), region ? region->flag : 0, value);
    }
    HRESULT STDMETHODCALLTYPE put_Switch(LONG value) override {
        if (HRESULT hr = Enter(TEXT("ScanRegion.put_Switch")); FAILED(hr))
            return hr;
        Region* region = RegionAt(m_region);
        if (!region)
            return RegionGone();
        region->flag = value;
        return S_OK;
    }

private:
    size_t m_region;
    ComPtr<CornerListObject> m_corners;
};

class RegionListObject final : public ComObject<tracker::RegionList> {
public:
    RegionListObject() : ComObject(TEXT("RegionList")) {}
    HRESULT STDMETHODCALLTYPE NewRegion(tracker::ScanRegion** region) override {
        if (region)
            *region = nullptr;
        if (HRESULT hr = Enter(TEXT("RegionList.NewRegion")); FAILED(hr))
            return hr;
        if (!region)
            return E_POINTER;
        auto& regions = TheHardware().scan.regions;
        regions.emplace_back();
        *region = Make<RegionObject>(regions.size() - 1).Detach()->Self();
        return S_OK;
    }
};

class SetupObject final : public ComObject<tracker::ScanRegionSetup> {
public:
    SetupObject()
        : ComObject(TEXT("ScanRegionSetup")),
          m_setting1(Make<UnitValueObject>([]() -> double& { return TheHardware().scan.setting1; },
                                           TEXT("rad"))),
          m_setting2(Make<UnitValueObject>([]() -> double& { return TheHardware().scan.setting2; },
                                           TEXT("rad"))),
          m_regions(Make<RegionListObject>()) {}
    HRESULT STDMETHODCALLTYPE get_Setting1(tracker::UnitValue** value) override {
        return GiveObject<tracker::UnitValue>(TEXT("ScanRegionSetup.get_Setting1"),
                                              m_setting1.Get(), value);
    }
    HRESULT STDMETHODCALLTYPE get_Setting2(tracker::UnitValue** value) override {
        return GiveObject<tracker::UnitValue>(TEXT("ScanRegionSetup.get_Setting2"),
                                              m_setting2.Get(), value);
    }
    HRESULT STDMETHODCALLTYPE get_RegionList(tracker::RegionList** regions) override {
        return GiveObject<tracker::RegionList>(TEXT("ScanRegionSetup.get_RegionList"),
                                               m_regions.Get(), regions);
    }

private:
    ComPtr<UnitValueObject> m_setting1, m_setting2;
    ComPtr<RegionListObject> m_regions;
};

class ScanRegionsObject final : public ComObject<tracker::ScanRegions> {
public:
    ScanRegionsObject() : ComObject(TEXT("ScanRegions")), m_setup(Make<SetupObject>()) {}
    HRESULT STDMETHODCALLTYPE Clear() override {
        if (HRESULT hr = Enter(TEXT("ScanRegions.Clear")); FAILED(hr))
            return hr;
        TheHardware().scan.regions.clear();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Apply() override {
        if (HRESULT hr = Enter(TEXT("ScanRegions.Apply")); FAILED(hr))
            return hr;
        TheHardware().scan.applied = TheHardware().scan.regions;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Setup(tracker::ScanRegionSetup** setup) override {
        return GiveObject<tracker::ScanRegionSetup>(TEXT("ScanRegions.get_Setup"), m_setup.Get(),
                                                    setup);
    }

private:
    ComPtr<SetupObject> m_setup;
};

class ProfileObject final
    : public ComObject<tracker::MeasurementProfile, tracker::StationaryProfile,
                       tracker::AreaScanProfile, tracker::ContinuousTimeProfile,
                       tracker::ContinuousDistanceProfile, tracker::CustomProfile> {
public:
    explicit ProfileObject(size_t index)
        : ComObject(TEXT("MeasurementProfile")), m_index(index),
          m_separation(Make<UnitValueObject>(
              [index]() -> double& { return SpecOf(index).separation; }, Unit(index))),
          m_regions(Make<ScanRegionsObject>()) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        return GiveString(TEXT("MeasurementProfile.get_Name"), SpecOf(m_index).name, name);
    }
    HRESULT STDMETHODCALLTYPE Select() override {
        if (HRESULT hr = Enter(TEXT("MeasurementProfile.Select")); FAILED(hr))
            return hr;
        TheHardware().activeProfile = static_cast<int>(m_index);
        return S_OK;
    }
    // Shared by the stationary and area-scan kinds; named after the profile's kind.
    HRESULT STDMETHODCALLTYPE get_Accuracy(LONG* accuracy) override {
        return GiveValue(IsAreaScan() ? TEXT("AreaScanProfile.get_Accuracy")
                                      : TEXT("StationaryProfile.get_Accuracy"),
                         SpecOf(m_index).accuracy, accuracy);
    }
    HRESULT STDMETHODCALLTYPE put_Accuracy(LONG accuracy) override {
        if (HRESULT hr = Enter(IsAreaScan() ? TEXT("AreaScanProfile.put_Accuracy")
                                            : TEXT("StationaryProfile.put_Accuracy"));
            FAILED(hr))
            return hr;
        if (accuracy < 0 || accuracy > 2)
            return ReportError(E_INVALIDARG, TEXT("The accuracy must be 0, 1 or 2."));
        SpecOf(m_index).accuracy = accuracy;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_ScanRegions(tracker::ScanRegions** regions) override {
        return GiveObject<tracker::ScanRegions>(TEXT("AreaScanProfile.get_ScanRegions"),
                                                m_regions.Get(), regions);
    }
    HRESULT STDMETHODCALLTYPE get_TimeSeparation(tracker::UnitValue** separation) override {
        return GiveObject<tracker::UnitValue>(TEXT("ContinuousTimeProfile.get_TimeSeparation"),
                                              m_separation.Get(), separation);
    }
    HRESULT STDMETHODCALLTYPE get_DistanceSeparation(tracker::UnitValue** separation) override {
        return GiveObject<tracker::UnitValue>(
            TEXT("ContinuousDistanceProfile.get_DistanceSeparation"), m_separation.Get(),
            separation);
    }

protected:
    bool Offers(REFIID riid) override {
        const ProfileKind kind = SpecOf(m_index).kind;
        if (riid == tracker::StationaryProfile::iid)
            return kind == ProfileKind::Stationary;
        if (riid == tracker::AreaScanProfile::iid)
            return kind == ProfileKind::AreaScan;
        if (riid == tracker::ContinuousTimeProfile::iid)
            return kind == ProfileKind::ContinuousTime;
        if (riid == tracker::ContinuousDistanceProfile::iid)
            return kind == ProfileKind::ContinuousDistance;
        if (riid == tracker::CustomProfile::iid)
            return kind == ProfileKind::Custom;
        return true;
    }

private:
    bool IsAreaScan() const { return SpecOf(m_index).kind == ProfileKind::AreaScan; }
    static platform::WideView Unit(size_t index) {
        return SpecOf(index).kind == ProfileKind::ContinuousTime ? TEXT("ms") : TEXT("mm");
    }

    size_t m_index;
    ComPtr<UnitValueObject> m_separation;
    ComPtr<ScanRegionsObject> m_regions;
};

class ProfileCollectionObject final : public ComObject<tracker::MeasurementProfileCollection> {
public:
    ProfileCollectionObject() : ComObject(TEXT("MeasurementProfileCollection")) {}
    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
        return GiveValue(TEXT("MeasurementProfileCollection.get_Count"),
                         static_cast<LONG>(TheHardware().profiles.size()), count);
    }
    HRESULT STDMETHODCALLTYPE get_Item(LONG index, tracker::MeasurementProfile** item) override {
        if (item)
            *item = nullptr;
        if (index < 0 || index >= static_cast<LONG>(TheHardware().profiles.size()))
            return ReportError(E_INVALIDARG, TEXT("The index is outside the collection."));
        return GiveObject<tracker::MeasurementProfile>(
            TEXT("MeasurementProfileCollection.get_Item"), Item(index), item);
    }
    HRESULT STDMETHODCALLTYPE get_Active(tracker::MeasurementProfile** active) override {
        const int index = TheHardware().activeProfile;
        const bool valid = index >= 0 && index < static_cast<int>(TheHardware().profiles.size());
        return GiveObject<tracker::MeasurementProfile>(
            TEXT("MeasurementProfileCollection.get_Active"), valid ? Item(index) : nullptr, active);
    }

private:
    // The same object for the same position.
    tracker::MeasurementProfile* Item(size_t index) {
        if (m_items.size() <= index)
            m_items.resize(index + 1);
        if (!m_items[index])
            m_items[index] = Make<ProfileObject>(index);
        return m_items[index]->Self();
    }

    std::vector<ComPtr<ProfileObject>> m_items;
};

} // namespace

ComPtr<tracker::MeasurementProfileCollection> CreateProfileCollection() {
    return ComPtr<tracker::MeasurementProfileCollection>(Make<ProfileCollectionObject>()->Self());
}

} // namespace trackersim
