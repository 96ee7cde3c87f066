// --plot: the session's points in three orthographic views (top: X right, Y
// up; front: X right, Z up; side: Y right, Z up), at one scale, each record's
// probe direction as a short line, confirm and cancel marked. SVG, so any
// browser shows it.
#pragma once

#include "host/session_stats.h"

#include <string>
#include <vector>

std::string PlotSvg(const std::vector<SessionPoint>& points);

// Writes the picture to path (through a temporary file renamed over it);
// false with the reason.
bool WritePlot(const std::string& path, const std::vector<SessionPoint>& points,
               std::string& error);
