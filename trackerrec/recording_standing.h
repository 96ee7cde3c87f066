// How a recording stands, as the recorder tells the host that asked for it
// (GetRecordingStanding, exported by the recorder).
#pragma once

namespace trackerrec {

enum class RecordingStanding : int {
    NotRecording = 0, // no session file was opened: the tracker library was not created
    Recording = 1,    // every line so far is written
    NotOpened = 2,    // the session file could not be opened: nothing is recorded
    Ended = 3,        // writing failed: the file holds the session only up to there
};

} // namespace trackerrec
