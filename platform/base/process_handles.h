// How many handles the process holds (open files on Linux), for leak checks.
#pragma once

#include <cstddef>

namespace platform {

// False when the system does not tell (Wine reports no handle counts).
bool ProcessHandleCount(size_t* count);

} // namespace platform
