// What keeps the library loaded: live objects, server locks, events posted but
// not yet delivered, and running timers (their procedures live in this library).
#pragma once

#include <memory>

namespace trackersim {

void ObjectCreated();
void ObjectDestroyed();
int LiveObjects();

// Objects that carry the control interface for a test or host: alive, but
// not part of what the module holds.
void ControlObjectCreated();
void ControlObjectDestroyed();
int ControlObjects();

void LockServer(bool lock);

// Held by a posted task until it has run or been discarded.
std::shared_ptr<void> PendingDelivery();

void TimerStarted();
void TimerStopped();

// True when nothing of the library is in use.
bool CanUnload();

} // namespace trackersim
