// The calling thread's identifier, which names its message queue.
#include "../winuser.h"

#include <sys/syscall.h>
#include <unistd.h>

extern "C" DWORD GetCurrentThreadId() {
    return static_cast<DWORD>(syscall(SYS_gettid));
}
