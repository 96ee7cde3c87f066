// The tracker library's interfaces as the recorder sees them: one line per
// interface (its name, and whether its objects are values that never change)
// and one line per member with its parameter types. What a member returns (an
// object, a value, a string or nothing) follows from its last parameter; the
// wrappers made from this list override the declarations of
// interfaces/tracker, so the compiler checks the two agree.
//
// Members are named after the interface that declares them, as the
// simulator's fault injection names them ("ScalarValue.get_Value").
#pragma once

#include "../interfaces/tracker/connection.h"
#include "../interfaces/tracker/profiles.h"
#include "../interfaces/tracker/status.h"

// I(interface, kind): kind is Value (read once per object) or Live.
#define QN_TRACKER_INTERFACES(I)                                                                   \
    I(TrackerConnection, Live)                                                                     \
    I(Tracker, Live)                                                                               \
    I(TrackerModel, Live)                                                                          \
    I(MeasurementStatusDetail, Live)                                                               \
    I(MeasurementStatus, Live)                                                                     \
    I(Measurements, Live)                                                                          \
    I(MeasurementCollection, Value)                                                                \
    I(Measurement, Value)                                                                          \
    I(Position, Value)                                                                             \
    I(RmsPosition, Value)                                                                          \
    I(Direction, Value)                                                                            \
    I(Rotation, Value)                                                                             \
    I(RmsMeasurement, Value)                                                                       \
    I(PositionMeasurement, Value)                                                                  \
    I(DirectionalMeasurement, Value)                                                               \
    I(SixDofMeasurement, Value)                                                                    \
    I(ScalarValue, Value)                                                                          \
    I(CoordinateValue, Value)                                                                      \
    I(SizeValue, Live)                                                                             \
    I(NumericSetting, Live)                                                                        \
    I(UnitValue, Live)                                                                             \
    I(BoolSwitch, Live)                                                                            \
    I(BoolState, Live)                                                                             \
    I(TrackerException, Value)                                                                     \
    I(OverviewCameraOptions, Live)                                                                 \
    I(OverviewCamera, Live)                                                                        \
    I(OverviewCameraDialog, Live)                                                                  \
    I(OverviewCameraStream, Live)                                                                  \
    I(Target, Live)                                                                                \
    I(TargetCollection, Live)                                                                      \
    I(Tip, Live)                                                                                   \
    I(TipContainer, Live)                                                                          \
    I(Probe, Live)                                                                                 \
    I(ProbeTarget, Live)                                                                           \
    I(Reflector, Live)                                                                             \
    I(CustomReflector, Live)                                                                       \
    I(RadiusTarget, Live)                                                                          \
    I(ScanTarget, Live)                                                                            \
    I(TargetGeometry, Live)                                                                        \
    I(RadiusTargetInfo, Live)                                                                      \
    I(Trigger, Live)                                                                               \
    I(ProbeButtonTrigger, Live)                                                                    \
    I(StableProbingTrigger, Live)                                                                  \
    I(TriggerCollection, Live)                                                                     \
    I(ProbeButtonEventArgs, Value)                                                                 \
    I(TrackerError, Value)                                                                         \
    I(TrackerWarning, Value)                                                                       \
    I(TrackerInformation, Value)                                                                   \
    I(Inclination, Value)                                                                          \
    I(InclinationToGravity, Value)                                                                 \
    I(InclinationMonitoring, Live)                                                                 \
    I(InclinationSensor, Live)                                                                     \
    I(PowerSource, Live)                                                                           \
    I(PowerLevel, Live)                                                                            \
    I(PowerStatus, Live)                                                                           \
    I(ReflectorFinder, Live)                                                                       \
    I(TrackerAngles, Live)                                                                         \
    I(MeasuredTargetInfo, Value)                                                                   \
    I(CornerList, Live)                                                                            \
    I(ScanRegion, Live)                                                                            \
    I(RegionList, Live)                                                                            \
    I(ScanRegionSetup, Live)                                                                       \
    I(ScanRegions, Live)                                                                           \
    I(MeasurementProfile, Live)                                                                    \
    I(StationaryProfile, Live)                                                                     \
    I(AreaScanProfile, Live)                                                                       \
    I(ContinuousTimeProfile, Live)                                                                 \
    I(ContinuousDistanceProfile, Live)                                                             \
    I(CustomProfile, Live)                                                                         \
    I(MeasurementProfileCollection, Live)

// M(declaring interface, member, parameter types...), per interface.
#define QN_MEMBERS_TrackerConnection(M) M(TrackerConnection, Connect, BSTR, tracker::Tracker**)
#define QN_MEMBERS_Tracker(M)                                                                      \
    M(Tracker, Disconnect)                                                                         \
    M(Tracker, get_Measurements, tracker::Measurements**)                                          \
    M(Tracker, get_TargetCollection, tracker::TargetCollection**)                                  \
    M(Tracker, get_TriggerCollection, tracker::TriggerCollection**)                                \
    M(Tracker, get_OverviewCamera, tracker::OverviewCamera**)                                      \
    M(Tracker, get_InclinationSensor, tracker::InclinationSensor**)                                \
    M(Tracker, get_PowerStatus, tracker::PowerStatus**)                                            \
    M(Tracker, get_ReflectorFinder, tracker::ReflectorFinder**)                                    \
    M(Tracker, get_OverviewCameraStream, tracker::OverviewCameraStream**)                          \
    M(Tracker, get_TrackerAngles, tracker::TrackerAngles**)                                        \
    M(Tracker, Move, LONG, LONG)                                                                   \
    M(Tracker, PositionTo, VARIANT_BOOL, VARIANT_BOOL, double, double, double, IDispatch**)        \
    M(Tracker, PositionToTarget, IDispatch*, VARIANT_BOOL, double, double, double,                 \
      tracker::Target**)
#define QN_MEMBERS_TrackerModel(M) M(TrackerModel, get_QuickRelease, tracker::BoolState**)
#define QN_MEMBERS_MeasurementStatusDetail(M) M(MeasurementStatusDetail, get_Value, LONG*)
#define QN_MEMBERS_MeasurementStatus(M)                                                            \
    M(MeasurementStatus, get_Value, LONG*)                                                         \
    M(MeasurementStatus, get_MeasurementStatusDetail, tracker::MeasurementStatusDetail**)
#define QN_MEMBERS_Measurements(M)                                                                 \
    M(Measurements, get_MeasurementStatus, tracker::MeasurementStatus**)                           \
    M(Measurements, StartMeasurement)                                                              \
    M(Measurements, StopMeasurement)                                                               \
    M(Measurements, Measure, tracker::Measurement**)                                               \
    M(Measurements, get_MeasurementProfileCollection, tracker::MeasurementProfileCollection**)     \
    M(Measurements, GoAndMeasure, IDispatch*, VARIANT_BOOL, double, double, double,                \
      tracker::Measurement**)
#define QN_MEMBERS_MeasurementCollection(M)                                                        \
    M(MeasurementCollection, get_Count, LONG*)                                                     \
    M(MeasurementCollection, get_Item, LONG, tracker::Measurement**)
#define QN_MEMBERS_Measurement(M)                                                                  \
    M(Measurement, get_TimeStamp, DATE*)                                                           \
    M(Measurement, get_Reading1, tracker::ScalarValue**)                                           \
    M(Measurement, get_Reading2, tracker::ScalarValue**)                                           \
    M(Measurement, get_Reading3, tracker::ScalarValue**)                                           \
    M(Measurement, get_MeasuredTargetInfo, IDispatch**)
#define QN_MEMBERS_Position(M)                                                                     \
    M(Position, get_X, tracker::ScalarValue**)                                                     \
    M(Position, get_Y, tracker::ScalarValue**)                                                     \
    M(Position, get_Z, tracker::ScalarValue**)
#define QN_MEMBERS_RmsPosition(M)                                                                  \
    M(RmsPosition, get_X, tracker::CoordinateValue**)                                              \
    M(RmsPosition, get_Y, tracker::CoordinateValue**)                                              \
    M(RmsPosition, get_Z, tracker::CoordinateValue**)                                              \
    M(RmsPosition, get_Rms, tracker::ScalarValue**)
#define QN_MEMBERS_Direction(M)                                                                    \
    M(Direction, get_I, tracker::ScalarValue**)                                                    \
    M(Direction, get_J, tracker::ScalarValue**)                                                    \
    M(Direction, get_K, tracker::ScalarValue**)
#define QN_MEMBERS_Rotation(M)                                                                     \
    M(Rotation, get_Rx, tracker::ScalarValue**)                                                    \
    M(Rotation, get_Ry, tracker::ScalarValue**)                                                    \
    M(Rotation, get_Rz, tracker::ScalarValue**)
#define QN_MEMBERS_RmsMeasurement(M) M(RmsMeasurement, get_RmsPosition, tracker::RmsPosition**)
#define QN_MEMBERS_PositionMeasurement(M) M(PositionMeasurement, get_Position, tracker::Position**)
#define QN_MEMBERS_DirectionalMeasurement(M)                                                       \
    M(DirectionalMeasurement, get_Direction, tracker::Direction**)                                 \
    M(DirectionalMeasurement, get_Orientation, tracker::Rotation**)
#define QN_MEMBERS_SixDofMeasurement(M)                                                            \
    M(SixDofMeasurement, get_Rotation, tracker::Rotation**)                                        \
    M(SixDofMeasurement, get_Direction, tracker::Direction**)
#define QN_MEMBERS_ScalarValue(M)                                                                  \
    M(ScalarValue, get_Value, double*)                                                             \
    M(ScalarValue, get_Unit, BSTR*)                                                                \
    M(ScalarValue, get_Name, BSTR*)
#define QN_MEMBERS_CoordinateValue(M) QN_MEMBERS_ScalarValue(M)
#define QN_MEMBERS_SizeValue(M) M(SizeValue, get_Value, double*)
#define QN_MEMBERS_NumericSetting(M)                                                               \
    M(NumericSetting, get_Value, double*)                                                          \
    M(NumericSetting, put_Value, double)
#define QN_MEMBERS_UnitValue(M) QN_MEMBERS_NumericSetting(M) M(UnitValue, get_Unit, BSTR*)
#define QN_MEMBERS_BoolSwitch(M)                                                                   \
    M(BoolSwitch, get_Value, VARIANT_BOOL*)                                                        \
    M(BoolSwitch, put_Value, VARIANT_BOOL)                                                         \
    M(BoolSwitch, get_Name, BSTR*)
#define QN_MEMBERS_BoolState(M)                                                                    \
    M(BoolState, get_Value, VARIANT_BOOL*)                                                         \
    M(BoolState, get_Name, BSTR*)
#define QN_MEMBERS_TrackerException(M)                                                             \
    M(TrackerException, get_Number, LONG*)                                                         \
    M(TrackerException, get_Description, BSTR*)
#define QN_CAMERA_SWITCHES(M, Interface)                                                           \
    M(Interface, get_Switch1, LONG*)                                                               \
    M(Interface, put_Switch1, LONG)                                                                \
    M(Interface, get_Switch2, LONG*)                                                               \
    M(Interface, put_Switch2, LONG)
#define QN_MEMBERS_OverviewCameraOptions(M) QN_CAMERA_SWITCHES(M, OverviewCameraOptions)
#define QN_MEMBERS_OverviewCamera(M)                                                               \
    QN_CAMERA_SWITCHES(M, OverviewCamera)                                                          \
    M(OverviewCamera, get_Options, tracker::OverviewCameraOptions**)
#define QN_MEMBERS_OverviewCameraDialog(M) M(OverviewCameraDialog, Show)
#define QN_MEMBERS_OverviewCameraStream(M)                                                         \
    M(OverviewCameraStream, Start)                                                                 \
    M(OverviewCameraStream, Stop)                                                                  \
    M(OverviewCameraStream, get_Dialog, tracker::OverviewCameraDialog**)
#define QN_MEMBERS_Target(M)                                                                       \
    M(Target, get_Name, BSTR*)                                                                     \
    M(Target, get_Selectable, VARIANT_BOOL*)                                                       \
    M(Target, Select)                                                                              \
    M(Target, get_Identity, BSTR*)                                                                 \
    M(Target, get_Handle, IDispatch**)
#define QN_MEMBERS_TargetCollection(M)                                                             \
    M(TargetCollection, get_Count, LONG*)                                                          \
    M(TargetCollection, get_Item, LONG, tracker::Target**)                                         \
    M(TargetCollection, get_Selected, tracker::Target**)                                           \
    M(TargetCollection, put_Selected, tracker::Target*)                                            \
    M(TargetCollection, MakeTarget, BSTR, BSTR, tracker::Target**)
#define QN_MEMBERS_Tip(M) M(Tip, get_Size, tracker::SizeValue**)
#define QN_MEMBERS_TipContainer(M) M(TipContainer, get_CurrentTip, tracker::Tip**)
#define QN_MEMBERS_Probe(M)                                                                        \
    M(Probe, get_TipContainer, tracker::TipContainer**)                                            \
    M(Probe, get_Identity, BSTR*)
#define QN_MEMBERS_ProbeTarget(M) M(ProbeTarget, get_Probe, tracker::Probe**)
#define QN_MEMBERS_Reflector(M) M(Reflector, get_Size, tracker::SizeValue**)
#define QN_MEMBERS_CustomReflector(M)
#define QN_MEMBERS_RadiusTarget(M)
#define QN_MEMBERS_ScanTarget(M)
#define QN_MEMBERS_TargetGeometry(M) M(TargetGeometry, get_Size, tracker::SizeValue**)
#define QN_MEMBERS_RadiusTargetInfo(M) M(RadiusTargetInfo, get_Geometry, tracker::TargetGeometry**)
#define QN_MEMBERS_Trigger(M) M(Trigger, get_Identity, BSTR*)
#define QN_MEMBERS_ProbeButtonTrigger(M) QN_MEMBERS_Trigger(M)
#define QN_MEMBERS_StableProbingTrigger(M)                                                         \
    QN_MEMBERS_Trigger(M) M(StableProbingTrigger, get_Enabled, tracker::BoolSwitch**)              \
        M(StableProbingTrigger, get_Time, tracker::NumericSetting**)
#define QN_MEMBERS_TriggerCollection(M)                                                            \
    M(TriggerCollection, get_Count, LONG*)                                                         \
    M(TriggerCollection, get_Item, LONG, tracker::Trigger**)
#define QN_MEMBERS_ProbeButtonEventArgs(M)                                                         \
    M(ProbeButtonEventArgs, get_ButtonIndex, LONG*)                                                \
    M(ProbeButtonEventArgs, get_ButtonState, LONG*)
#define QN_MEMBERS_TrackerMessage(M)                                                               \
    M(TrackerMessage, get_Text1, BSTR*)                                                            \
    M(TrackerMessage, get_Text2, BSTR*)                                                            \
    M(TrackerMessage, get_Number, LONG*)
#define QN_MEMBERS_TrackerError(M) QN_MEMBERS_TrackerMessage(M)
#define QN_MEMBERS_TrackerWarning(M) QN_MEMBERS_TrackerMessage(M)
#define QN_MEMBERS_TrackerInformation(M) QN_MEMBERS_TrackerMessage(M)
#define QN_MEMBERS_Inclination(M)                                                                  \
    M(Inclination, get_RotX, tracker::ScalarValue**)                                               \
    M(Inclination, get_RotY, tracker::ScalarValue**)
#define QN_MEMBERS_InclinationToGravity(M)                                                         \
    M(InclinationToGravity, get_RotX, tracker::ScalarValue**)                                      \
    M(InclinationToGravity, get_RotY, tracker::ScalarValue**)
#define QN_MEMBERS_InclinationMonitoring(M)                                                        \
    M(InclinationMonitoring, get_Enabled, tracker::BoolSwitch**)                                   \
    M(InclinationMonitoring, get_CurrentInclination, tracker::Inclination**)                       \
    M(InclinationMonitoring, get_ThresholdExceeded, tracker::BoolState**)                          \
    M(InclinationMonitoring, get_Threshold, tracker::NumericSetting**)                             \
    M(InclinationMonitoring, get_Interval, tracker::NumericSetting**)                              \
    M(InclinationMonitoring, Reset)
#define QN_MEMBERS_InclinationSensor(M)                                                            \
    M(InclinationSensor, get_InclinationSwitch, tracker::BoolSwitch**)                             \
    M(InclinationSensor, get_InclinationToGravity, tracker::InclinationToGravity**)                \
    M(InclinationSensor, get_Monitoring, tracker::InclinationMonitoring**)                         \
    M(InclinationSensor, OrientToGravity, tracker::InclinationToGravity**)                         \
    M(InclinationSensor, BeginOrientToGravity)                                                     \
    M(InclinationSensor, Measure, tracker::Inclination**)
#define QN_MEMBERS_PowerSource(M) M(PowerSource, get_Value, LONG*)
#define QN_MEMBERS_PowerLevel(M) M(PowerLevel, get_Value, double*)
#define QN_MEMBERS_PowerStatus(M)                                                                  \
    M(PowerStatus, get_Source, tracker::PowerSource**)                                             \
    M(PowerStatus, get_Level, tracker::PowerLevel**)
#define QN_MEMBERS_ReflectorFinder(M) M(ReflectorFinder, Start, IDispatch**)
#define QN_MEMBERS_TrackerAngles(M)                                                                \
    M(TrackerAngles, get_Angle1, tracker::ScalarValue**)                                           \
    M(TrackerAngles, get_Angle2, tracker::ScalarValue**)
#define QN_MEMBERS_MeasuredTargetInfo(M)                                                           \
    M(MeasuredTargetInfo, get_TargetIdentity, BSTR*)                                               \
    M(MeasuredTargetInfo, get_ProbeIdentity, BSTR*)
#define QN_MEMBERS_CornerList(M) M(CornerList, Add, double, double, double, IDispatch**)
#define QN_MEMBERS_ScanRegion(M)                                                                   \
    M(ScanRegion, get_Corners, tracker::CornerList**)                                              \
    M(ScanRegion, get_Switch, LONG*)                                                               \
    M(ScanRegion, put_Switch, LONG)
#define QN_MEMBERS_RegionList(M) M(RegionList, NewRegion, tracker::ScanRegion**)
#define QN_MEMBERS_ScanRegionSetup(M)                                                              \
    M(ScanRegionSetup, get_Setting1, tracker::UnitValue**)                                         \
    M(ScanRegionSetup, get_Setting2, tracker::UnitValue**)                                         \
    M(ScanRegionSetup, get_RegionList, tracker::RegionList**)
#define QN_MEMBERS_ScanRegions(M)                                                                  \
    M(ScanRegions, Clear)                                                                          \
    M(ScanRegions, Apply)                                                                          \
    M(ScanRegions, get_Setup, tracker::ScanRegionSetup**)
#define QN_MEMBERS_MeasurementProfile(M)                                                           \
    M(MeasurementProfile, get_Name, BSTR*)                                                         \
    M(MeasurementProfile, Select)
#define QN_MEMBERS_StationaryProfile(M)                                                            \
    M(StationaryProfile, get_Accuracy, LONG*)                                                      \
    M(StationaryProfile, put_Accuracy, LONG)
#define QN_MEMBERS_AreaScanProfile(M)                                                              \
    M(AreaScanProfile, get_Accuracy, LONG*)                                                        \
    M(AreaScanProfile, put_Accuracy, LONG)                                                         \
    M(AreaScanProfile, get_ScanRegions, tracker::ScanRegions**)
#define QN_MEMBERS_ContinuousTimeProfile(M)                                                        \
    M(ContinuousTimeProfile, get_TimeSeparation, tracker::UnitValue**)
#define QN_MEMBERS_ContinuousDistanceProfile(M)                                                    \
    M(ContinuousDistanceProfile, get_DistanceSeparation, tracker::UnitValue**)
#define QN_MEMBERS_CustomProfile(M)
#define QN_MEMBERS_MeasurementProfileCollection(M)                                                 \
    M(MeasurementProfileCollection, get_Count, LONG*)                                              \
    M(MeasurementProfileCollection, get_Item, LONG, tracker::MeasurementProfile**)                 \
    M(MeasurementProfileCollection, get_Active, tracker::MeasurementProfile**)

namespace trackerrec {

// An interface's place in the recorder's table and its kind, known when compiling.
namespace interface_kind {
inline constexpr bool Value = true;
inline constexpr bool Live = false;
} // namespace interface_kind

#define QN_INTERFACE_ORDINAL(Name, Kind) kInterface_##Name,
enum : int { QN_TRACKER_INTERFACES(QN_INTERFACE_ORDINAL) kTrackerInterfaceCount };
#undef QN_INTERFACE_ORDINAL

template <class I> struct TrackerInterface {
    static constexpr int index = -1; // not one of the library's
    static constexpr bool value = false;
};
#define QN_INTERFACE_TRAITS(Name, Kind)                                                            \
    template <> struct TrackerInterface<tracker::Name> {                                           \
        static constexpr int index = kInterface_##Name;                                            \
        static constexpr bool value = interface_kind::Kind;                                        \
    };
QN_TRACKER_INTERFACES(QN_INTERFACE_TRAITS)
#undef QN_INTERFACE_TRAITS

// The system interfaces follow the library's in the table.
inline constexpr int kDispatchIndex = kTrackerInterfaceCount;
inline constexpr int kConnectionPointContainerIndex = kTrackerInterfaceCount + 1;
inline constexpr int kConnectionPointIndex = kTrackerInterfaceCount + 2;

} // namespace trackerrec
