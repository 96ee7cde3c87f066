// The control interface's implementation: configuration, fault injection,
// firing and inspection of the process's simulated tracker. Mixed into the
// TrackerConnection object, which answers QueryInterface for SimControl.
#pragma once

#include "interface_names.h"
#include "sim_control.h"

namespace trackersim {

class Control : public SimControl {
public:
    void Reset() override;

    void SetAcceptedAddresses(const WCHAR* addresses) override;
    void SetQuickReleaseClosed(bool closed) override;
    void SetOffersTrackerModel(bool offers) override;
    void SetTriggerKinds(const TriggerKind* kinds, int32_t count) override;
    void SetSelectedTarget(TargetKind kind, double size) override;
    void SetContinuousRate(double hertz) override;
    void SetMeasurementsPerEvent(int32_t count) override;
    HRESULT SelectScenario(const WCHAR* name, uint32_t seed) override;
    void GetScenarioShape(ShapeInfo* shape) override;
    void QueueMeasurement(const SampleSpec& sample) override;

    void InjectFailure(const WCHAR* operation, HRESULT hr, int32_t number, const WCHAR* description,
                       bool once) override;
    void MakeNull(const WCHAR* operation, bool once) override;
    void MakeAbsent(const WCHAR* facet, bool once) override;
    void ClearFault(const WCHAR* operation) override;
    void ClearFaults() override;

    void FireMeasurements(const SampleSpec* samples, int32_t count, int32_t exceptionNumber,
                          const WCHAR* exceptionText) override;
    void FireTargetPosition(const SampleSpec& sample) override;
    void FireProbeButton(int32_t button, bool pressed) override;
    void FireTrigger(int32_t item, int32_t button, int32_t state) override;
    void FireStableProbing() override;
    void FireTrackerMessage(MessageKind kind, const WCHAR* text1, const WCHAR* text2,
                            int32_t number) override;
    void FireInitializeFinished() override;
    void FireMeasurementStatus(int32_t status, int32_t detail) override;

    void SetScript(const ScriptStep* steps, int32_t count) override;
    void PlayScenario(double positionHz) override;
    void StopScenario() override;
    bool IsScenarioPlaying() override;
    void NextScenarioSample(SampleSpec* sample) override;

    int32_t LiveObjectCount() override;
    int32_t LiveConnectionCount(REFIID eventInterface) override;
    bool IsConnected() override;
    bool IsContinuousRunning() override;
    bool StableProbingEnabled() override;
    double StableProbingTime() override;
    int32_t CameraSwitch1() override;
    int32_t CameraSwitch2() override;
    int32_t CallCount(const WCHAR* operation) override;
    void SetCallCounting(bool on) override;
    void ConnectedAddress(WCHAR* buffer, int32_t size) override;

    void SetInclination(double rotX, double rotY) override;
    void SetOrientDuration(uint32_t milliseconds) override;
    void GetInclinometer(InclinometerState* state) override;
    void SetPowerStatus(int32_t source, double level) override;
    void SetProfileKinds(const ProfileKind* kinds, int32_t count) override;
    int32_t ProfileCount() override;
    void GetProfile(int32_t index, ProfileState* state) override;
    void SetTargetSelectable(int32_t index, bool selectable) override;
    int32_t TargetCount() override;
    void SetTrackerAngles(double angle1, double angle2) override;
    void GetHead(HeadState* state) override;
    void SetImageRate(double hertz) override;
    void GetCamera(CameraState* state) override;
    uint32_t LastCameraImage(BYTE* buffer, uint32_t size) override;
    int32_t ScanRegionCount(bool applied) override;
    int32_t ScanRegionCorners(bool applied, int32_t region, double* xyz,
                              int32_t maxCorners) override;
    int32_t ScanRegionFlag(bool applied, int32_t region) override;
    void ScanSettings(double* setting1, double* setting2) override;
    void SetTargets(const TargetKind* kinds, const WCHAR* const* names, int32_t count) override;
    void SetTargetIdentity(int32_t index, const WCHAR* identity) override;
    void SetProfile(int32_t index, const WCHAR* name, int32_t accuracy, double separation) override;
    uint32_t ScriptLengthMs() override;

    void SetSinkHolding(SinkHolding holding) override;
    int32_t ReleaseLateSinks() override;
    int32_t LateSinkCount() override;
};

template <> inline constexpr platform::WideView kInterfaceName<Control> = TEXT("SimControl");

} // namespace trackersim
