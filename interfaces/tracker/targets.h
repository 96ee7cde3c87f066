// Targets: the selectable reflectors and probes, with their size facets.
#pragma once

#include "values.h"

namespace tracker {

struct Target : IDispatch {
    static constexpr IID iid = {0xA5AAE7CE, 0x1F7E, 0x44E6, {0xAE, 0xAF, 0x3D, 0x5A, 0xAC, 0x86, 0x15, 0x4D}};
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
    // Whether the target can be chosen for measuring.
    virtual HRESULT STDMETHODCALLTYPE get_Selectable(VARIANT_BOOL* selectable) = 0;
    // Makes this the selected target.
    virtual HRESULT STDMETHODCALLTYPE Select() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Identity(BSTR* identity) = 0;
    // What pointing and go-and-measure take as the target.
    virtual HRESULT STDMETHODCALLTYPE get_Handle(IDispatch** handle) = 0;
};

struct TargetCollection : IDispatch {
    static constexpr IID iid = {0xE7430F91, 0xE70C, 0x4313, {0x80, 0xC2, 0xF3, 0x67, 0xF4, 0x4F, 0xD4, 0x42}};
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(LONG index, Target** item) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Selected(Target** target) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Selected(Target* target) = 0;
    // A new target of the product, added to the collection.
    virtual HRESULT STDMETHODCALLTYPE MakeTarget(BSTR product, BSTR name, Target** target) = 0;
};

struct Tip : IDispatch {
    static constexpr IID iid = {0xC3AFE778, 0x43A7, 0x4227, {0xA4, 0xD5, 0x63, 0x6B, 0x18, 0x4F, 0x52, 0xE3}};
    virtual HRESULT STDMETHODCALLTYPE get_Size(SizeValue** size) = 0;
};

struct TipContainer : IDispatch {
    static constexpr IID iid = {0xF68023DE, 0xAB6C, 0x4473, {0x99, 0xCD, 0x1A, 0x8D, 0xAC, 0xB5, 0x3C, 0xCB}};
    virtual HRESULT STDMETHODCALLTYPE get_CurrentTip(Tip** tip) = 0;
};

struct Probe : IDispatch {
    static constexpr IID iid = {0x9F43CBEA, 0xD957, 0x4A02, {0x92, 0x1C, 0x55, 0xE4, 0x1F, 0x3A, 0x1D, 0x5D}};
    virtual HRESULT STDMETHODCALLTYPE get_TipContainer(TipContainer** tips) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Identity(BSTR* identity) = 0;
};

struct ProbeTarget : IDispatch {
    static constexpr IID iid = {0x1A173AA5, 0x1E9C, 0x4D65, {0xBE, 0x69, 0x2B, 0x0E, 0x8F, 0x29, 0x5F, 0x46}};
    virtual HRESULT STDMETHODCALLTYPE get_Probe(Probe** probe) = 0;
};

struct Reflector : IDispatch {
    static constexpr IID iid = {0xA1C9F458, 0xFEF0, 0x41FF, {0x94, 0x07, 0x1F, 0x79, 0x45, 0x32, 0xFA, 0xF6}};
    // The reflector's radius.
    virtual HRESULT STDMETHODCALLTYPE get_Size(SizeValue** radius) = 0;
};

// A reflector whose size the user keeps on the probe settings page.
struct CustomReflector : IDispatch {
    static constexpr IID iid = {0x446BF618, 0x5093, 0x436A, {0xBC, 0x94, 0x2B, 0x17, 0x11, 0x38, 0xD2, 0x2E}};
};

struct RadiusTarget : IDispatch {
    static constexpr IID iid = {0x3C85B954, 0xC363, 0x4DEA, {0xBB, 0x20, 0x7B, 0x09, 0xD3, 0xD6, 0x6C, 0xB0}};
};

// A target an area scan can measure.
struct ScanTarget : IDispatch {
    static constexpr IID iid = {0x7BB81977, 0xE088, 0x41A1, {0x82, 0x88, 0x25, 0xE3, 0xF6, 0x52, 0x8E, 0x85}};
};

struct TargetGeometry : IDispatch {
    static constexpr IID iid = {0x3EDDD45E, 0x825F, 0x4F9B, {0x92, 0xF2, 0x87, 0x38, 0x74, 0x8E, 0xD2, 0x8F}};
    // The target's radius.
    virtual HRESULT STDMETHODCALLTYPE get_Size(SizeValue** radius) = 0;
};

struct RadiusTargetInfo : IDispatch {
    static constexpr IID iid = {0x36BDC321, 0x66D1, 0x41DD, {0xAA, 0xB5, 0x9E, 0x78, 0x4C, 0xC8, 0x9C, 0xDB}};
    virtual HRESULT STDMETHODCALLTYPE get_Geometry(TargetGeometry** geometry) = 0;
};

} // namespace tracker
