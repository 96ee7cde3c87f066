// The inclination sensor: orienting to gravity (at once or in the background),
// monitoring with its interval and threshold, single measurements.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

ComPtr<tracker::InclinationSensor> CreateInclinationSensor();

// Sets the tracker's inclination; monitoring reports it at its next tick.
void SetInclination(double rotX, double rotY);
void StopInclinometer();

} // namespace trackersim
