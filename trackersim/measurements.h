// Measurements: the Measurements object with its status, one-shot and
// continuous measuring, measurement collections and measurements with facets.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"
#include "sim_control.h"

#include <memory>
#include <string_view>
#include <vector>

namespace trackersim {

class TrackerLink;

// The Measurements of one connection: it measures only while the link is connected.
ComPtr<tracker::Measurements> CreateMeasurements(std::shared_ptr<TrackerLink> link);

// A measurement offering the facets the sample names; className names its
// facets for fault injection ("Measurement", "TargetPosition").
ComPtr<tracker::Measurement> CreateMeasurement(const SampleSpec& sample,
                                               platform::WideView className = TEXT("Measurement"));
// The same object as its PositionMeasurement facet (what position events carry).
ComPtr<tracker::PositionMeasurement> CreatePositionSample(const SampleSpec& sample);

// Sets the measurement status and its detail, and fires their Changed events.
void FireMeasurementStatus(LONG status, LONG detail);

// MeasurementArrived to every Measurements object; exceptionNumber != 0 adds a TrackerException.
void FireMeasurements(std::vector<SampleSpec> samples, LONG exceptionNumber,
                      platform::WideView exceptionText);

} // namespace trackersim
