#include "module_state.h"

#include <atomic>

namespace trackersim {
namespace {

std::atomic<int> g_objects{0};
std::atomic<int> g_controls{0};
std::atomic<int> g_locks{0};
std::atomic<int> g_pending{0};
std::atomic<int> g_timers{0};

} // namespace

void ObjectCreated() {
    ++g_objects;
}
void ObjectDestroyed() {
    --g_objects;
}
int LiveObjects() {
    return g_objects;
}

void ControlObjectCreated() {
    ++g_controls;
}
void ControlObjectDestroyed() {
    --g_controls;
}
int ControlObjects() {
    return g_controls;
}

void LockServer(bool lock) {
    if (lock)
        ++g_locks;
    else
        --g_locks;
}

std::shared_ptr<void> PendingDelivery() {
    ++g_pending;
    return std::shared_ptr<void>(nullptr, [](void*) { --g_pending; });
}

void TimerStarted() {
    ++g_timers;
}
void TimerStopped() {
    --g_timers;
}

bool CanUnload() {
    return g_objects == 0 && g_locks == 0 && g_pending == 0 && g_timers == 0;
}

} // namespace trackersim
