// zuhost's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HostOptions {
    std::string plugin;  // empty: QNZUDeviceQWand next to zuhost
    std::string out;     // empty: standard output
    std::string trace;   // --trace: the plug-in's trace goes to this file
    std::string address; // empty: let the connect dialog count down with the stored address
    std::string scenario = "session";
    uint32_t seed = 1;
    uint32_t mode = 1;
    double positionHz = 20;      // target-position samples per second while the scenario plays
    double continuousHz = 100;   // measurements per second while continuous measuring runs
    uint64_t durationMs = 10000; // how long the scenario plays
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
};

// Parses argv; on a bad option returns false with a message in error.
bool ParseOptions(int argc, char** argv, HostOptions& options, std::string& error);
const char* UsageText();
