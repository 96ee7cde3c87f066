// Targets: the target collection with the selected target, the kinds of
// target with their size facets, and target-position events.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"
#include "sim_control.h"

namespace trackersim {

ComPtr<tracker::TargetCollection> CreateTargetCollection();

// TargetPositionChanged to every target collection, carrying the sample.
void FireTargetPosition(const SampleSpec& sample);

} // namespace trackersim
