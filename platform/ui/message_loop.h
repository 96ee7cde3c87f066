// Driving the thread's message loop from a host or a test.
#pragma once

#include "winuser.h"

#include <cstdint>
#include <functional>

namespace platform {

// Delivers every message already queued and every timer already due; does not
// wait and does not move the clock. Returns the number of messages delivered.
int PumpMessages();

// Runs the loop for the given time: timers fire in deadline order and queued
// messages are delivered. With a virtual clock this costs no wall time.
void RunMessagesFor(uint64_t milliseconds);

// Called by GetMessage when nothing is queued, before it waits for a timer.
// The handler returns true when it did something that may have queued a
// message (a scripted or console screen typing or clicking).
using IdleHandler = std::function<bool()>;
void SetIdleHandler(IdleHandler handler);
// Installs a handler and returns the one it replaces (modal loops put the
// screen's handler in place for their duration).
IdleHandler SwapIdleHandler(IdleHandler handler);

// The deadline of the earliest timer of this thread; false when none.
bool NextTimerDeadline(uint64_t* deadline);

// Headless windows: a handle whose messages go to a procedure.
HWND CreateHeadlessWindow(WNDPROC procedure, void* userData);
void DestroyHeadlessWindow(HWND hwnd);
void* GetHeadlessWindowData(HWND hwnd);

// Runs a task on this thread from its message loop (the way a library hands
// events to its apartment): queued now, run when the loop dispatches it.
void PostTask(std::function<void()> task);

// Timers and messages still pending (for leak checks in tests).
size_t PendingTimerCount();

} // namespace platform
