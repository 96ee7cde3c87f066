// The whole-session fault sweep: short zuhost sessions that together make
// every kind of library call the default session makes (and the pages'), each
// run once with every call counted, then once more with a run forked at each
// call: that call failing, and giving null where it hands out an object.
// Every run must end without a crash, leave no library object alive, post
// only well-formed records, show every failure that reaches the user with the
// library's description and no empty message box, and have Open and Close
// return what they should. The simulator numbers the calls and forks the runs
// (TRACKERSIM_SWEEP); zuhost runs unchanged.
//
// QNZU_SWEEP_SHARD=k/n sweeps the k-th of n interleaved parts of the calls;
// QNZU_SWEEP_STRIDE=s every s-th call of each session, and each operation's
// first call in each phase.
#include "session_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace {

using simtest::SessionRun;

struct Call {
    long number;
    std::string operation;
    bool givesObject;
    // Made while the library delivers an event: a failure goes back to the
    // library as the event call's error, and nothing is shown.
    bool event;
    // The connection-point protocol: its failures are silent and change no result.
    bool Silent() const {
        return operation.rfind("IConnectionPoint", 0) == 0 ||
               operation.find(".IConnectionPointContainer") != std::string::npos;
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
    // Close's disconnect; with `pages`, also every call between made outside
    // an event (the tour's session holds no other calls than the pages').
    bool Shown(const Call& call, bool pages) const {
        if (call.Silent() || call.event || call.number < connect)
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

std::vector<Call> ParseCalls(const std::vector<std::string>& lines) {
    std::vector<Call> calls;
    for (const std::string& line : lines) {
        const size_t space = line.find(' ');
        const std::string kind = line.substr(0, space);
        calls.push_back({static_cast<long>(calls.size()) + 1, line.substr(space + 1),
                         kind == "object" || kind == "event-object", kind.rfind("event-", 0) == 0});
    }
    return calls;
}

// Which calls this process sweeps (QNZU_SWEEP_SHARD, QNZU_SWEEP_STRIDE).
struct Share {
    int shard = 1, shards = 1, stride = 1;

    static Share FromEnvironment() {
        Share share;
        if (const char* text = std::getenv("QNZU_SWEEP_SHARD"))
            if (std::sscanf(text, "%d/%d", &share.shard, &share.shards) != 2 || share.shards < 1 ||
                share.shard < 1 || share.shard > share.shards)
                share.shard = share.shards = 1;
        if (const char* text = std::getenv("QNZU_SWEEP_STRIDE"))
            share.stride = std::max(1, std::atoi(text));
        return share;
    }

    std::vector<long> Choose(const std::vector<Call>& calls, const Phases& phases) const {
        std::vector<long> chosen;
        std::set<std::pair<std::string, int>> seen;
        size_t index = 0;
        for (const Call& call : calls) {
            if (call.Host())
                continue;
            const bool first = seen.insert({call.operation, phases.PhaseOf(call)}).second;
            if (index++ % static_cast<size_t>(stride) == 0 || first)
                chosen.push_back(call.number);
        }
        std::vector<long> mine;
        for (size_t i = static_cast<size_t>(shard - 1); i < chosen.size();
             i += static_cast<size_t>(shards))
            mine.push_back(chosen[i]);
        return mine;
    }

    std::string Describe() const {
        std::string text;
        if (shards > 1)
            text += "shard " + std::to_string(shard) + " of " + std::to_string(shards);
        if (stride > 1)
            text += std::string(text.empty() ? "" : ", ") + "every " + std::to_string(stride) +
                    "th call and each operation's first in each phase";
        return text.empty() ? "" : " (" + text + ")";
    }
};

struct Totals {
    long calls = 0;
    int swept = 0, runs = 0, crashes = 0, leaks = 0;
};

struct SweptSessionKind {
    const char* name;
    std::vector<std::string> args;
    bool tour; // zuhost's tour, whose status tells which window did not appear
};

// Probing in both acquisition modes with the default scenario's presses (take,
// cancel, take, confirm) at the slowest rates that still hold every kind of
// call, and the tour of every page of the sheet.
const std::vector<SweptSessionKind>& SweptSessions() {
    static const std::vector<SweptSessionKind> sessions{
        {"probing, continuous", {"--rate", "50", "--positions", "1"}, false},
        {"probing, one point per press",
         {"--mode", "0", "--rate", "50", "--positions", "1"},
         false},
        {"tour", {"--tour"}, true},
    };
    return sessions;
}

std::set<std::string> Operations(const std::vector<Call>& calls) {
    std::set<std::string> operations;
    for (const Call& call : calls)
        operations.insert(call.operation);
    return operations;
}

// Sweeps one session: counts it, then plays it with runs forked at this
// process's share of its calls; two sessions at a time when the process
// sweeps every share.
void Sweep(const std::filesystem::path& folder, const SweptSessionKind& session, const Share& share,
           std::set<std::string>& operations, Totals& totals) {
    std::vector<std::string> lines;
    const SessionRun counted = simtest::CountedSession(folder, session.args, lines);
    ASSERT_EQ(counted.status, 0) << counted.errors;
    ASSERT_EQ(counted.live, 0);
    const std::vector<Call> calls = ParseCalls(lines);
    ASSERT_EQ(static_cast<long>(calls.size()), counted.calls);
    const Phases phases = FindPhases(calls);
    ASSERT_GT(phases.connect, 0);
    ASSERT_GT(phases.connected, phases.connect);
    ASSERT_GT(phases.disconnect, phases.connected);
    totals.calls += counted.calls;
    const std::set<std::string> made = Operations(calls);
    operations.insert(made.begin(), made.end());

    const std::vector<long> chosen = share.Choose(calls, phases);
    totals.swept += static_cast<int>(chosen.size());
    std::mutex lock;
    auto examine = [&](const std::string& kind, long number, const SessionRun& run) {
        const std::lock_guard<std::mutex> hold(lock);
        const Call& call = calls.at(static_cast<size_t>(number - 1));
        SCOPED_TRACE(std::string(session.name) + ": " + kind + " call " + std::to_string(number) +
                     " " + call.operation);
        ++totals.runs;
        if (run.crashed) {
            ++totals.crashes;
            ADD_FAILURE() << "crashed (status " << run.status << ")\n" << run.errors;
            return;
        }
        if (run.live != 0) {
            ++totals.leaks;
            ADD_FAILURE() << run.live << " library objects left alive";
        }
        EXPECT_EQ(run.malformed, "") << "malformed record";
        EXPECT_EQ(run.emptyBoxes, 0) << run.errors;
        if (kind == "fail" && !session.tour) {
            EXPECT_EQ(run.status, phases.ExpectedStatus(call)) << run.errors;
        }
        if (kind == "fail" && phases.Shown(call, session.tour)) {
            const std::string description =
                "Simulated failure of call " + std::to_string(number) + " (";
            EXPECT_TRUE(run.ShowedBox(description)) << run.errors;
        }
    };
    const int parts = share.shards == 1 ? 2 : 1;
    std::vector<std::vector<long>> part(static_cast<size_t>(parts));
    for (size_t i = 0; i < chosen.size(); ++i)
        part[i % part.size()].push_back(chosen[i]);
    std::vector<SessionRun> own(part.size());
    auto play = [&](size_t p) {
        const std::filesystem::path slot = folder / ("part" + std::to_string(p));
        std::filesystem::create_directories(slot);
        own[p] = simtest::SweptSession(slot, session.args, part[p], examine);
    };
    std::vector<std::thread> others;
    for (size_t p = 1; p < part.size(); ++p)
        others.emplace_back(play, p);
    play(0);
    for (std::thread& other : others)
        other.join();
    for (const SessionRun& run : own) {
        EXPECT_EQ(run.status, 0) << session.name << ": the session itself\n" << run.errors;
        EXPECT_EQ(run.live, 0) << session.name << ": the session itself";
    }
}

TEST(SessionSweep, EveryLibraryCallFailingOrNullEndsCleanly) {
    const simtest::ScratchFolder scratch;
    ASSERT_FALSE(scratch.Path().empty());
    const Share share = Share::FromEnvironment();
    Totals totals;
    std::set<std::string> operations;
    for (const SweptSessionKind& session : SweptSessions()) {
        Sweep(scratch.Path(), session, share, operations, totals);
        if (HasFatalFailure())
            return;
    }
    // The swept sessions are shorter than the default one: they must still
    // make every kind of call it makes.
    if (share.shard == 1) {
        std::vector<std::string> lines;
        const SessionRun defaultSession = simtest::CountedSession(scratch.Path(), {}, lines);
        ASSERT_EQ(defaultSession.status, 0) << defaultSession.errors;
        for (const std::string& operation : Operations(ParseCalls(lines)))
            EXPECT_TRUE(operations.count(operation))
                << operation << ", made by the default session, is not swept";
    }
    std::printf("session sweep%s: %ld calls in %zu sessions, %d calls swept, %d runs, "
                "%d crashes, %d leaks\n",
                share.Describe().c_str(), totals.calls, SweptSessions().size(), totals.swept,
                totals.runs, totals.crashes, totals.leaks);
}

} // namespace
