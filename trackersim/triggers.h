// Triggers: the trigger collection with probe-button and stable-probing
// triggers, and TriggerHappened events.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

// Items as configured in the hardware at creation.
ComPtr<tracker::TriggerCollection> CreateTriggerCollection();

// From the last probe-button trigger of each collection; 2 = pressed, 1 = released.
void FireProbeButton(LONG button, bool pressed);
// From item `item` of each collection (-1: a trigger that is in no collection).
void FireTrigger(LONG item, LONG button, LONG state);
// From the last stable-probing trigger of each collection.
void FireStableProbing();

} // namespace trackersim
