// One connection to the tracker, shared by its Tracker object and the objects
// under it: whether it is still connected, and the continuous measuring it
// runs. Every Tracker has its own, so releasing one tracker object leaves the
// connections of the others as they are.
#pragma once

#include "loop_timer.h"

#include <memory>

namespace trackersim {

class TrackerLink {
public:
    TrackerLink();
    ~TrackerLink();
    TrackerLink(const TrackerLink&) = delete;
    TrackerLink& operator=(const TrackerLink&) = delete;

    bool Connected() const { return m_connected; }
    // Ends the connection and stops its continuous measuring.
    void End();
    LoopTimer& Continuous() { return m_continuous; }
    RatePacer& Pacer() { return m_pacer; }

private:
    bool m_connected = true;
    LoopTimer m_continuous;
    RatePacer m_pacer;
};

// For the control interface: whether any connection is still connected, or
// measures continuously; stopping every connection's continuous measuring.
bool AnyLinkConnected();
bool AnyContinuousRunning();
void StopAllContinuous();

} // namespace trackersim
