// Events through the recorder: the wrappers of connection point containers and
// connection points, and the sink the library calls in place of the module's.
#pragma once

#include "wrap.h"

namespace trackerrec {

IUnknown* MakeContainerWrapper(void* inner, uint32_t id);
IUnknown* MakeConnectionPointWrapper(void* inner, uint32_t id);

} // namespace trackerrec
