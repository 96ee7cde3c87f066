// zuhost sessions against the simulator with its sweep set (TRACKERSIM_SWEEP):
// one that lists every library call, and one that forks a run at each chosen
// call, with what came of each run.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace simtest {

struct SessionRun {
    int status = -1;       // zuhost's exit status
    bool crashed = false;  // ended by a signal, a sanitizer's report or an unknown status
    std::string errors;    // its standard error
    long calls = 0;        // library calls made
    int live = -1;         // library objects left alive at its end
    std::string malformed; // the first record that is not well-formed
    int emptyBoxes = 0;    // message boxes without text

    bool ShowedBox(const std::string& text) const;
};

// A folder of its own, on a memory file system where there is one: every run
// saves the settings, and a disk's flushes would cost more than the run.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// zuhost with `args` and a fresh settings store in `folder`, every library
// call listed in `calls` ("object <operation>" or "call <operation>").
SessionRun CountedSession(const std::filesystem::path& folder, const std::vector<std::string>& args,
                          std::vector<std::string>& calls);

// The same session, with a run forked at each of `chosen` (ascending): one
// with the call failing ("fail") and, where it hands out an object, one with
// it null ("null"). `examine` sees each run as it ends. Returns the session's
// own outcome.
using RunExaminer = std::function<void(const std::string& kind, long call, const SessionRun&)>;
SessionRun SweptSession(const std::filesystem::path& folder, const std::vector<std::string>& args,
                        const std::vector<long>& chosen, const RunExaminer& examine);

} // namespace simtest
