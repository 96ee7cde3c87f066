// Measurements and the facets of one measurement.
#pragma once

#include "values.h"

namespace tracker {

struct Measurement;
struct MeasurementCollection;
struct MeasurementProfileCollection;

struct MeasurementStatusDetail : IDispatch {
    static constexpr IID iid = {0xF457B74A, 0x6ADC, 0x4DF8, {0xA9, 0x1A, 0x35, 0x08, 0x6B, 0x81, 0x07, 0x06}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(LONG* value) = 0;
};

struct MeasurementStatus : IDispatch {
    static constexpr IID iid = {0x179A0D98, 0x8410, 0x49FF, {0x81, 0x2D, 0x06, 0x92, 0xF1, 0x46, 0x00, 0x7A}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MeasurementStatusDetail(MeasurementStatusDetail** detail) = 0;
};

struct Measurements : IDispatch {
    static constexpr IID iid = {0x7E50D913, 0xA58D, 0x4CEB, {0x8F, 0x44, 0x3B, 0x5B, 0x67, 0xEE, 0x85, 0x90}};
    virtual HRESULT STDMETHODCALLTYPE get_MeasurementStatus(MeasurementStatus** status) = 0;
    // Continuous measuring: points arrive as MeasurementArrived events.
    virtual HRESULT STDMETHODCALLTYPE StartMeasurement() = 0;
    virtual HRESULT STDMETHODCALLTYPE StopMeasurement() = 0;
    // One measurement now.
    virtual HRESULT STDMETHODCALLTYPE Measure(Measurement** measurement) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    get_MeasurementProfileCollection(MeasurementProfileCollection** profiles) = 0;
    // Points at the target (a target's handle, or a target) and measures it.
    virtual HRESULT STDMETHODCALLTYPE GoAndMeasure(IDispatch* target, VARIANT_BOOL relative,
                                                   double value1, double value2, double value3,
                                                   Measurement** measurement) = 0;
};

struct MeasurementCollection : IDispatch {
    static constexpr IID iid = {0xA5547307, 0x11DA, 0x4224, {0xAF, 0x12, 0x17, 0xB7, 0x80, 0xD3, 0xDA, 0x14}};
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(LONG index, Measurement** item) = 0;
};

struct Measurement : IDispatch {
    static constexpr IID iid = {0xC147F123, 0xBE1C, 0x4D3F, {0xAB, 0x19, 0x1C, 0x0B, 0xA0, 0xD6, 0x20, 0xF9}};
    virtual HRESULT STDMETHODCALLTYPE get_TimeStamp(DATE* time) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Reading1(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Reading2(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Reading3(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MeasuredTargetInfo(IDispatch** info) = 0;
};

struct Position : IDispatch {
    static constexpr IID iid = {0xD2F5A77D, 0xC4EE, 0x460D, {0x92, 0xC0, 0x62, 0x2B, 0xF1, 0xBF, 0x9F, 0xA8}};
    virtual HRESULT STDMETHODCALLTYPE get_X(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Y(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Z(ScalarValue** value) = 0;
};

struct RmsPosition : IDispatch {
    static constexpr IID iid = {0x19A9A235, 0x41AF, 0x4F7A, {0xB8, 0x33, 0x3C, 0x68, 0xC8, 0x6F, 0x07, 0x56}};
    virtual HRESULT STDMETHODCALLTYPE get_X(CoordinateValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Y(CoordinateValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Z(CoordinateValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Rms(ScalarValue** value) = 0;
};

struct Direction : IDispatch {
    static constexpr IID iid = {0xD34928E6, 0xD26D, 0x4219, {0x89, 0xD1, 0xFE, 0xEB, 0xD2, 0xCC, 0x6D, 0x2E}};
    virtual HRESULT STDMETHODCALLTYPE get_I(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_J(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_K(ScalarValue** value) = 0;
};

struct Rotation : IDispatch {
    static constexpr IID iid = {0x5733FA68, 0x7E44, 0x42BA, {0x84, 0x63, 0xF4, 0x4F, 0xEC, 0xFA, 0x9D, 0x48}};
    virtual HRESULT STDMETHODCALLTYPE get_Rx(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Ry(ScalarValue** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Rz(ScalarValue** value) = 0;
};

// Facets, asked for by interface; E_NOINTERFACE means absent.
struct RmsMeasurement : IDispatch {
    static constexpr IID iid = {0x97FD602E, 0xF057, 0x45E9, {0x9B, 0x4C, 0xAC, 0x90, 0xBA, 0xCE, 0x72, 0xB2}};
    virtual HRESULT STDMETHODCALLTYPE get_RmsPosition(RmsPosition** position) = 0;
};

struct PositionMeasurement : IDispatch {
    static constexpr IID iid = {0xBD8A695D, 0xD280, 0x4AA3, {0xA7, 0x52, 0xD3, 0x26, 0x87, 0x85, 0x11, 0xFB}};
    virtual HRESULT STDMETHODCALLTYPE get_Position(Position** position) = 0;
};

struct DirectionalMeasurement : IDispatch {
    static constexpr IID iid = {0xC3DFA120, 0xEE9C, 0x42DB, {0x95, 0x3A, 0x3C, 0x79, 0x13, 0x23, 0x33, 0xB8}};
    virtual HRESULT STDMETHODCALLTYPE get_Direction(Direction** direction) = 0;
    // The three angles of the direction.
    virtual HRESULT STDMETHODCALLTYPE get_Orientation(Rotation** orientation) = 0;
};

struct SixDofMeasurement : IDispatch {
    static constexpr IID iid = {0x2BB64522, 0x8636, 0x4AE9, {0x8A, 0x19, 0x3A, 0x56, 0x80, 0xE4, 0x1F, 0xA7}};
    virtual HRESULT STDMETHODCALLTYPE get_Rotation(Rotation** rotation) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Direction(Direction** direction) = 0;
};

} // namespace tracker
