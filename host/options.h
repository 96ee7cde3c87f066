// zuhost's command line.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// Exit statuses, listed in --help.
enum HostStatus : int {
    kStatusOk = 0,
    kStatusNoPlugin = 1,    // the plug-in or the tracker library could not be used
    kStatusBadOption = 2,   // bad command line
    kStatusOpenFailed = 3,  // Open returned 0
    kStatusCloseFailed = 4, // Close returned 0
    kStatusLeftObjects = 5, // --cycles left tracker library objects or handles
    kStatusTourMissed = 6,  // a step of the tour did not happen
    kStatusNotWritten = 7,  // a file (--out, --plot, --save-camera, --record) was not written
    kStatusStepFailed = 8,  // a --page-action or --answer could not be carried out
    kStatusInterrupted = 130,
};

// The fastest rate the simulated tracker measures or streams at, per second.
inline constexpr double kMaxRateHz = 1000.0;

struct HostOptions {
    std::string plugin;  // empty: QNZUDeviceQWand next to zuhost
    std::string out;     // empty: standard output
    std::string plot;    // empty: no picture
    std::string trace;   // --trace: the plug-in's trace goes to this file
    std::string address; // empty: let the connect dialog count down with the stored address
    std::string scenario = "session";
    uint32_t seed = 1;
    uint32_t mode = 1;
    double positionHz = 20;    // target-position samples per second while the scenario plays
    double continuousHz = 100; // measurements per second while continuous measuring runs
    uint64_t durationMs = 0;   // how long the scenario plays; 0: until its script has played
    bool identityOnly = false;
    int cycles =
        0; // > 0: load, open, close and unload the plug-in this often, then check for leaks
    bool realtime = false;
    bool showSheet = false;
    bool tour = false;       // the tour instead of a session
    std::string screenshots; // --tour: the folder its window pictures go to
    bool console = false;    // the console screen where windows are real
    bool help = false;
    std::vector<std::string> answers; // message box answers, in order
    std::string saveCamera;
    std::vector<std::string> pageActions; // --page-action, in order
    std::set<std::string> given;          // the options on the command line
    std::string record;                   // --record: the session file to write
    std::string replay;                   // --replay: the session file to play
};

// Parses argv; on a bad option returns false with a message in error.
bool ParseOptions(int argc, char** argv, HostOptions& options, std::string& error);
// No two of the files a run reads or writes (the plug-in `plugin` among
// them) may be one; false with a message in error when two are.
bool CheckFilesApart(const HostOptions& options, const std::string& plugin, std::string& error);
const char* UsageText();
