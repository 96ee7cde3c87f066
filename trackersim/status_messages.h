// The tracker's own messages (errors, warnings, information) and the end of
// its initialisation, as TrackerEvents.
#pragma once

#include "sim_control.h"

#include <string_view>

namespace trackersim {

void FireTrackerMessage(MessageKind kind, platform::WideView text1, platform::WideView text2,
                        LONG number);
void FireInitializeFinished();

} // namespace trackersim
