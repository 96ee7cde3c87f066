// Events through the recorder: the wrappers of connection point containers and
// connection points, and the sink the library calls in place of the module's.
#pragma once

#include "wrap.h"

#include <string>
#include <string_view>

namespace trackerrec {

IUnknown* MakeContainerWrapper(void* inner, uint32_t id, bool adopt);
IUnknown* MakeConnectionPointWrapper(void* inner, uint32_t id, bool adopt);

// The event interface's name in the session file ("MeasurementEvents"), and back.
std::string EventName(const IID& iid);
bool EventIid(std::string_view name, IID& iid);

} // namespace trackerrec
