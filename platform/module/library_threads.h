// Whether a library may run a thread of its own and wait for it as it is
// unloaded or as the process ends. On Windows it may not: the system ends a
// process's other threads before its libraries hear that it ends, and no
// thread can finish while a library is being unloaded, so such a wait never
// returns and the host hangs. There a library does its work on its caller's
// thread.
#pragma once

namespace platform {

#ifdef _WIN32
inline constexpr bool kLibraryMayWaitForItsThreads = false;
#else
inline constexpr bool kLibraryMayWaitForItsThreads = true;
#endif

} // namespace platform
