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
    void ConnectedAddress(WCHAR* buffer, int32_t size) override;
};

template <> inline constexpr std::u16string_view kInterfaceName<Control> = u"SimControl";

} // namespace trackersim
