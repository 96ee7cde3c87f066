// One run of zuhost's default session against the simulator with the
// simulator's sweep set (TRACKERSIM_SWEEP), and what came of it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace simtest {

struct SessionRun {
    // zuhost with `args`; `mode`: "count" (every call listed), "fail" or
    // "null" (at call `call`). The run has a settings store of its own, fresh
    // each time.
    static SessionRun Start(const std::filesystem::path& folder,
                            const std::vector<std::string>& args, const std::string& mode,
                            long call);

    int status = -1;      // zuhost's exit status
    bool crashed = false; // ended by a signal, a sanitizer's report or an unknown status
    std::string errors;   // its standard error
    long calls = 0;       // library calls made
    int live = -1;        // library objects left alive at its end
    std::vector<std::string> countLines;
    std::string malformed; // the first record that is not well-formed
    int emptyBoxes = 0;    // message boxes without text
    std::string faultDescription;

    bool ShowedBox(const std::string& text) const;
};

} // namespace simtest
