// The whole-session fault sweep: zuhost's default session runs once with
// every tracker library call counted, then once per call with that call
// failing, and once more with it giving null where it hands out an object.
// Every run must end without a crash, leave no library object alive, post
// only well-formed records, show every failure that reaches the user with
// the library's description and no empty message box, and have Open and
// Close return what they should. The simulator numbers the calls
// (TRACKERSIM_SWEEP); zuhost runs unchanged.
#include "session_run.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <set>
#include <thread>
#include <utility>

namespace {

using simtest::SessionRun;

struct Call {
    long number;
    std::string operation;
    bool givesObject;
    // The connection-point protocol: its failures are silent and change no result.
    bool Silent() const {
        return operation.rfind("IConnectionPoint", 0) == 0 ||
               operation.find(".IConnectionPointContainer") != std::string::npos;
    }
    // Read by the handler of a tracker message event: a failure goes back to
    // the library as the event call's error, and nothing is shown.
    bool MessageEvent() const {
        for (const char* prefix :
             {"TrackerMessage.", "TrackerInformation.", "TrackerWarning.", "TrackerError."})
            if (operation.rfind(prefix, 0) == 0)
                return true;
        return false;
    }
    // The host's own call for the simulator's control interface.
    bool Host() const { return operation.find(".SimControl") != std::string::npos; }
};

// Where a call falls in the session, which decides what the exports return.
struct Phases {
    long connect = 0;    // the connect call
    long connected = 0;  // the last call of the post-connect steps
    long disconnect = 0; // Close's disconnect call
    // 0 opening, 1 the session between, 2 closing.
    int PhaseOf(const Call& call) const {
        return call.number <= connected ? 0 : call.number >= disconnect ? 2 : 1;
    }
    // Open returns 0 for a failure from the library's creation to the end of
    // the post-connect steps; Close returns 0 for one from its disconnect on.
    int ExpectedStatus(const Call& call) const {
        if (call.Silent())
            return 0;
        if (call.number <= connected)
            return 3;
        return call.number >= disconnect ? 4 : 0;
    }
    // The failures the user is told of: the connect call and the post-connect
    // steps (creating the library's objects fails without a message), and
    // Close's disconnect; with `pages`, also every call between (the tour's
    // session holds no other calls than the pages' and the tracker messages').
    bool Shown(const Call& call, bool pages) const {
        if (call.Silent() || call.MessageEvent() || call.number < connect)
            return false;
        return pages || call.number <= connected || call.number >= disconnect;
    }
};

Phases FindPhases(const std::vector<Call>& calls) {
    Phases phases;
    for (const Call& call : calls) {
        if (call.operation == "TrackerConnection.Connect" && !phases.connect)
            phases.connect = call.number;
        if (call.operation == "OverviewCamera.put_Switch2" && !phases.connected)
            phases.connected = call.number;
        if (call.operation == "Tracker.Disconnect")
            phases.disconnect = call.number;
    }
    return phases;
}

struct Totals {
    long calls = 0;
    int swept = 0, runs = 0, crashes = 0, leaks = 0;
};

// Sweeps one zuhost session (`args`; `tour`: zuhost's tour, whose status
// tells which window did not appear): each operation's first call in each
// phase fails, and gives null where it hands out an object; its later calls
// in the phase repeat the same code (one measurement event after another).
void Sweep(const std::filesystem::path& folder, const std::vector<std::string>& args, bool tour,
           Totals& totals) {
    SessionRun counted = SessionRun::Start(folder, args, "count", 0);
    ASSERT_EQ(counted.status, 0) << counted.errors;
    ASSERT_EQ(counted.live, 0);
    std::vector<Call> calls;
    for (const std::string& line : counted.countLines) {
        const size_t space = line.find(' ');
        calls.push_back({static_cast<long>(calls.size()) + 1, line.substr(space + 1),
                         line.compare(0, space, "object") == 0});
    }
    ASSERT_EQ(static_cast<long>(calls.size()), counted.calls);
    const Phases phases = FindPhases(calls);
    ASSERT_GT(phases.connect, 0);
    ASSERT_GT(phases.connected, phases.connect);
    ASSERT_GT(phases.disconnect, phases.connected);
    totals.calls += counted.calls;

    struct Job {
        Call call;
        bool fail;
        SessionRun run;
    };
    std::vector<Job> jobs;
    std::set<std::pair<std::string, int>> seen;
    for (const Call& call : calls) {
        if (call.Host() || !seen.insert({call.operation, phases.PhaseOf(call)}).second)
            continue;
        ++totals.swept;
        jobs.push_back({call, true, {}});
        if (call.givesObject)
            jobs.push_back({call, false, {}});
    }
    // Two sessions at a time, each in a folder of its own.
    std::atomic<size_t> next{0};
    auto worker = [&](int slot) {
        const std::filesystem::path own = folder / ("slot" + std::to_string(slot));
        std::filesystem::create_directories(own);
        for (size_t i; (i = next++) < jobs.size();)
            jobs[i].run =
                SessionRun::Start(own, args, jobs[i].fail ? "fail" : "null", jobs[i].call.number);
    };
    std::thread second(worker, 1);
    worker(0);
    second.join();

    for (const Job& job : jobs) {
        const Call& call = job.call;
        const SessionRun& run = job.run;
        SCOPED_TRACE(std::string(args.empty() ? "session" : args[0]) + ": " +
                     (job.fail ? "fail" : "null") + " call " + std::to_string(call.number) + " " +
                     call.operation);
        ++totals.runs;
        if (run.crashed) {
            ++totals.crashes;
            ADD_FAILURE() << "crashed\n" << run.errors;
            continue;
        }
        if (run.live != 0) {
            ++totals.leaks;
            ADD_FAILURE() << run.live << " library objects left alive";
        }
        EXPECT_EQ(run.malformed, "") << "malformed record";
        EXPECT_EQ(run.emptyBoxes, 0) << run.errors;
        if (job.fail && !tour) {
            EXPECT_EQ(run.status, phases.ExpectedStatus(call)) << run.errors;
        }
        if (job.fail && phases.Shown(call, tour)) {
            EXPECT_TRUE(run.ShowedBox(run.faultDescription)) << run.errors;
        }
    }
}

// The default session, and the tour, which opens every page of the sheet.
TEST(SessionSweep, EveryLibraryCallFailingOrNullEndsCleanly) {
    simtest::TempFolder scratch("session-sweep");
    Totals totals;
    Sweep(scratch.Path(), {}, false, totals);
    // The tour's own status says which of its windows did not appear.
    Sweep(scratch.Path(), {"--tour"}, true, totals);
    std::printf("session sweep: %ld calls in two sessions, %d calls swept, %d runs, %d crashes, "
                "%d leaks\n",
                totals.calls, totals.swept, totals.runs, totals.crashes, totals.leaks);
}

} // namespace
