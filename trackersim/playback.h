// Playback of the active scenario on the message loop's clock: its script
// (button presses, stable probing, messages) and a stream of target positions.
#pragma once

namespace trackersim {

// Restarts playback from now; positionHz > 0 also streams target positions.
void PlayScenario(double positionHz);
void StopPlayback();
bool PlaybackRunning();

} // namespace trackersim
