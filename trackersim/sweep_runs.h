// The sweep's runs forked from one session: at a chosen call the process
// forks, the child takes the fault and plays the rest of the session as a run
// of its own, the parent waits for it and goes on as if nothing happened. A
// session is thus played once for all its runs, each run costing only what
// follows its call. POSIX only.
//
// A run's files in the runs folder: <kind>-<N>.out and .err (standard output
// and error: what the session had written before the call, then the run's
// own) and <kind>-<N>.report (the sweep's report), <kind> being fail or null.
// The settings hive named by QNZU_REGISTRY is put back as it was before each
// run, so every run starts from the session's own settings. A run still going
// after five minutes is ended by SIGALRM.
#pragma once

#include <cstdio>
#include <string>

namespace trackersim {

struct RunOutcome {
    bool started = false;
    bool signalled = false;
    int code = 0; // the exit status, or the signal
};

// Forks a run. In the child: true, with its outputs redirected and `report`
// set to its report file. In the parent: false, once the run has ended, with
// its outcome and the hive put back.
bool ForkRun(const std::string& folder, const char* kind, long call, std::string& report,
             RunOutcome& outcome);

// "<kind> <N> exit <status>" or "<kind> <N> signal <number>"; "... none 0"
// when the run could not be started.
void WriteOutcome(std::FILE* results, const char* kind, long call, const RunOutcome& outcome);

} // namespace trackersim
