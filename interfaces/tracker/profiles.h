// Measurement profiles and the area scan's regions.
#pragma once

#include "values.h"

namespace tracker {

struct CornerList : IDispatch {
    static constexpr IID iid = {
        0x1A4AE977, 0x35FC, 0x473A, {0x89, 0xD2, 0xBC, 0x87, 0x10, 0x0B, 0x7A, 0x11}};
    virtual HRESULT STDMETHODCALLTYPE Add(double x, double y, double z, IDispatch** corner) = 0;
};

struct ScanRegion : IDispatch {
    static constexpr IID iid = {
        0x28FF367D, 0x1366, 0x4452, {0xB9, 0x24, 0x60, 0xC4, 0xEF, 0xD1, 0x44, 0xB0}};
    virtual HRESULT STDMETHODCALLTYPE get_Corners(CornerList** corners) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Switch(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Switch(LONG value) = 0;
};

struct RegionList : IDispatch {
    static constexpr IID iid = {
        0x59FE0115, 0x8695, 0x4A0E, {0xBE, 0x87, 0x28, 0x94, 0xAC, 0x61, 0x9B, 0x57}};
    // A new region, added to the list.
    virtual HRESULT STDMETHODCALLTYPE NewRegion(ScanRegion** region) = 0;
};

struct ScanRegionSetup : IDispatch {
    static constexpr IID iid = {
        0xC0B721B3, 0xB013, 0x4441, {0xA4, 0xCA, 0xEC, 0x47, 0xF0, 0x9E, 0xC2, 0x57}};
    virtual HRESULT STDMETHODCALLTYPE get_Setting1(UnitValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Setting2(UnitValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RegionList(RegionList** regions) = 0;
};

struct ScanRegions : IDispatch {
    static constexpr IID iid = {
        0x5B9E8B7A, 0x59E6, 0x4941, {0xBC, 0xF1, 0x40, 0xC3, 0x8B, 0xAD, 0x1B, 0x05}};
    virtual HRESULT STDMETHODCALLTYPE Clear() = 0;
    // Makes the regions defined so far the ones the area scan uses.
    virtual HRESULT STDMETHODCALLTYPE Apply() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Setup(ScanRegionSetup** setup) = 0;
};

struct MeasurementProfile : IDispatch {
    static constexpr IID iid = {
        0x32BEDFB9, 0x382C, 0x44E7, {0x8E, 0x4C, 0x28, 0xC7, 0xAD, 0x04, 0x54, 0xA3}};
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
    // Makes this the active profile.
    virtual HRESULT STDMETHODCALLTYPE Select() = 0;
};

// Profile kinds, asked for by interface. Accuracy: 0 precise, 1 standard, 2 fast.
struct StationaryProfile : IDispatch {
    static constexpr IID iid = {
        0xB6481672, 0xA9B2, 0x4785, {0xA3, 0x78, 0x48, 0x8C, 0x1F, 0xBE, 0x2F, 0x76}};
    virtual HRESULT STDMETHODCALLTYPE get_Accuracy(LONG* accuracy) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Accuracy(LONG accuracy) = 0;
};

struct AreaScanProfile : IDispatch {
    static constexpr IID iid = {
        0xA9EE326E, 0xA2DF, 0x4355, {0x99, 0x12, 0xAE, 0x1E, 0xA4, 0x13, 0x6C, 0x41}};
    virtual HRESULT STDMETHODCALLTYPE get_Accuracy(LONG* accuracy) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Accuracy(LONG accuracy) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ScanRegions(ScanRegions** regions) = 0;
};

struct ContinuousTimeProfile : IDispatch {
    static constexpr IID iid = {
        0xFB09F601, 0xD556, 0x4F0F, {0xB7, 0x6C, 0x58, 0xCC, 0xAD, 0x18, 0x7A, 0x1C}};
    virtual HRESULT STDMETHODCALLTYPE get_TimeSeparation(UnitValue** separation) = 0;
};

struct ContinuousDistanceProfile : IDispatch {
    static constexpr IID iid = {
        0x56D928AC, 0x7C10, 0x43BC, {0xB2, 0xE1, 0x4C, 0x9E, 0xB7, 0x2C, 0x82, 0x59}};
    virtual HRESULT STDMETHODCALLTYPE get_DistanceSeparation(UnitValue** separation) = 0;
};

// A further kind that the module recognises and leaves alone.
struct CustomProfile : IDispatch {
    static constexpr IID iid = {
        0x611E9DD3, 0xC9DB, 0x431C, {0xAF, 0x91, 0x01, 0x51, 0xD2, 0x06, 0x4A, 0x46}};
};

struct MeasurementProfileCollection : IDispatch {
    static constexpr IID iid = {
        0x892A6B12, 0x77D0, 0x4591, {0xA5, 0xEB, 0xD6, 0x2F, 0x1A, 0x5D, 0xAF, 0xD2}};
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(LONG index, MeasurementProfile** item) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Active(MeasurementProfile** active) = 0;
};

} // namespace tracker
