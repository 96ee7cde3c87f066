// Targets: the target collection with the selected target, the kinds of
// target with their size facets, and target-position events.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"
#include "sim_control.h"

#include <string>

namespace trackersim {

ComPtr<tracker::TargetCollection> CreateTargetCollection();

// The position in the target list of a target object (or its handle); -1 when
// it is not one of the simulator's targets.
int TargetIndexOf(IUnknown* target);
// Identity strings of target `index`: its own, and its probe's (probe targets).
platform::WideString TargetIdentity(int index);
platform::WideString ProbeIdentity(int index);

// TargetPositionChanged to every target collection, carrying the sample.
void FireTargetPosition(const SampleSpec& sample);

} // namespace trackersim
