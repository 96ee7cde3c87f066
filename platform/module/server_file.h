// The file an in-process COM server registers itself by.
#pragma once

#include "../base/text.h"
#include "../base/wintypes.h"

namespace platform {

// The full path of the server `module` (platform::ThisModule() in it), in the
// form the system's class registration loads (native on Linux); empty when it
// cannot be found.
WideString ServerFileOf(HMODULE module);

} // namespace platform
