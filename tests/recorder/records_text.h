// Comparing zuhost's records across runs.
#pragma once

#include <string>

namespace {

// The records without their "time": the host's calendar time, which a replay
// on another day cannot give again. Everything the tracker said must match.
std::string WithoutTime(const std::string& records) {
    std::string out;
    size_t at = 0;
    for (size_t found; (found = records.find("\"time\":", at)) != std::string::npos;) {
        out.append(records, at, found - at);
        at = records.find_first_of(",}", found);
        if (at != std::string::npos && records[at] == ',')
            ++at;
    }
    if (at != std::string::npos)
        out.append(records, at, std::string::npos);
    return out;
}

} // namespace
