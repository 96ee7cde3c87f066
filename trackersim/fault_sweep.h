// The whole-session fault sweep's side in the library: the environment
// variable TRACKERSIM_SWEEP numbers every library call of the process from 1
// and fails one of them, so a program outside can run a host session once per
// call. Its items, separated by ';':
//
//   count=FILE   one line per call: "object <operation>" for a call that hands
//                out an object or interface, "call <operation>" for the others,
//                each word led by "event-" for a call made while an event is
//                delivered (by the sink, or for the event's arguments)
//   fail=N       call N fails (E_FAIL) with the description
//                "Simulated failure of call N (<operation>)" and the number N
//   null=N       call N gives null (an object or interface) or is absent (a
//                facet); a call of another kind goes through
//   report=FILE  when the library ends: "calls <count>" and "live <objects the
//                host left alive>"
//   runs=DIR     (POSIX) the session forks a run at each call: one with the
//                call failing and, where it hands out an object, one with it
//                null; each run's outputs and report are files in DIR
//                (sweep_runs.h)
//   calls=FILE   with runs: only at the calls listed, one number a line, ascending
//   results=FILE with runs: one line per run as it ends, "<fail|null> <N> exit
//                <status>" or "... signal <number>"
#pragma once

#include "fault_injection.h"

namespace trackersim {

// TRACKERSIM_SWEEP is set (read once, when the library first checks a call).
bool SweepActive();

// Marks the calls made while it lives as made for an event.
class SweptEventDelivery {
public:
    SweptEventDelivery();
    ~SweptEventDelivery();
    SweptEventDelivery(const SweptEventDelivery&) = delete;
    SweptEventDelivery& operator=(const SweptEventDelivery&) = delete;
};

// Numbers the call and gives the sweep's fault for it, if any.
std::optional<Fault> SweepCall(platform::WideView operation, bool givesObject);

} // namespace trackersim
