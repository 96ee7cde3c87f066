// Where a replay stands, as the recorder tells the host that runs it
// (GetReplayStanding, exported by the recorder).
#pragma once

namespace trackerrec {

enum class ReplayStanding : int {
    NotPlaying = 0,   // no replay loaded, or every recorded event has fired
    Playing = 1,      // events are left to fire
    AwaitingCall = 2, // the recording has a call next that the module has owed for a second
    Diverged = 3,     // the module made a call the recording does not have
};

} // namespace trackerrec
