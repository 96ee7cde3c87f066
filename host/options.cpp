#include "host/options.h"

#include "host/number_text.h"
#include "host/page_actions.h"

#include "platform/base/file_names.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <filesystem>
#include <map>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

const char* UsageText() {
    return R"(zuhost - a stand-in for the ZU host: loads the QNZUDeviceQWand plug-in and drives
a probing session against the simulated tracker (or the registered tracker library).

Usage: zuhost [options]

Records go to standard output (or --out), one JSON line each; everything a person
reads (dialogs, message boxes, the countdown, progress, the summary) goes to standard
error.

Where windows are real (Windows), the dialogs, the sheet and the message boxes are
windows for a person to use, on the real clock. Headless (Linux), or with --console,
the console screen prints them and acts for the person: --address and --answer.

  --plugin FILE     the plug-in to load (default: QNZUDeviceQWand next to zuhost)
  --identity        print the identity exports and exit
  --address A       type A into the connect dialog and click "Connect"; without it
                    the dialog's "Automatically apply settings in" box is checked and
                    the countdown connects to the stored address
  --mode N          probe acquisition mode: 0 one point per press, 1 continuous while
                    a button is held (default 1; a replay: the mode its recording
                    measured in)
  --scenario NAME   the simulated probe's path: session (default: the probe's buttons take,
                    cancel and confirm points on a sphere), sphere, plane or cylinder (the
                    probe's A button takes points on the shape, then B confirms)
  --seed N          seed of the scenario's noise, 0 to 4294967295 (default 1)
  --positions HZ    target-position samples per second while probing, 0 to 1000
                    (default 20, 0: none)
  --rate HZ         measurements per second while continuous measuring runs, above 0 up
                    to 1000 (default 100); a scripted press lasts long enough for five
  --duration S      how long the scenario plays, in seconds, from 0.001 to 86400 in whole
                    milliseconds (default: until its script has played; a replay until its
                    last event has fired, another library 10 s)
  --answer NAME     on the console screen: answer the next message box with this button
                    (OK, Cancel, Yes, No, Abort, Retry, Ignore, in any case), or "default";
                    repeat for later boxes; unanswered boxes take their default. A button
                    the box does not offer fails the run
  --show-sheet      show the "Probing Tool Settings" sheet (SelectProbe) and list its pages
  --page-action A   right after Open, operate a page of the sheet as a person would and list
                    it with its values; A is <tab>:<verb>:<control>[=<value>] with the tab's
                    caption (Main, Profiles, Positioning, OVC, Inclination Sensor) or position
                    (0 to 4), the verbs type, choose, slide (with =<value>), check, uncheck,
                    click, and the control's text or #id; or <tab>:wait:<ms> (0 to 86400000)
                    to let events arrive. Repeat for more actions, e.g.
                    --page-action "Positioning:click:Find Reflector". A step that cannot be
                    done fails the run
  --save-camera FILE.bmp  start the overview camera (OVC page) and, at the end, write its
                    last image to FILE.bmp as a BMP picture
  --out FILE        write the records to FILE instead of standard output; FILE is replaced
                    only when the run succeeds
  --plot FILE.svg   draw the session's points in three orthographic views (top, front,
                    side) with each record's probe direction, confirm and cancel marked
  --record FILE     record what the tracker library is asked and answers to FILE, through
                    the recording library put in front of the registered library for the
                    session (send FILE to support with a report of what went wrong)
  --replay FILE     play a recorded session instead of a tracker library: every call gets
                    the recorded answer, every event fires at its recorded time; the first
                    call that differs stops the replay (the message names it). The session
                    runs with the module's settings FILE carries, in a scratch settings
                    store; your own settings are left as they are
  --trace FILE      write the plug-in's trace to FILE (dropped measurements and why,
                    connect steps, failures, message boxes, settings, records per type)
  --cycles N        instead of a session: load, open, close and unload the plug-in N times
                    (1 to 1000000) in this process, then check that no tracker library
                    object is left
  --tour            instead of a session, a tour of the plug-in's windows: the connect
                    dialog (its countdown runs for a moment, then --address, default
                    192.168.0.1, is typed and "Connect" clicked), the "Probing Tool
                    Settings" sheet with each page in tab order, the reflector size dialog
                    from "Add" on the Main page (a diameter is typed, then the dialog is
                    cancelled), an information, a warning and an error from the simulated
                    tracker (each box answered OK), then Close. Every window is described
                    on standard error; nothing goes to standard output
  --screenshots DIR with --tour, where windows are real: every window is captured as it
                    appears and written to DIR (created when missing) as <name>.bmp:
                    connect-dialog, connect-countdown (once its countdown shows), page-main,
                    page-profiles, page-positioning, page-ovc, page-inclination-sensor,
                    reflector-size, box-information, box-warning, box-error; refused on
                    headless windows
  --console         the console screen even where windows are real (headless it is the
                    default, and --console changes nothing)
  --realtime        run on the real clock (default: virtual time, no waiting; where
                    windows are real, always the real clock)
  --help            this text

--tour, --cycles and --identity are runs of their own: options of a session given with
them are refused. Ctrl-C during a session ends it as a normal one ends (the device is
closed and the summary printed) with status 130.

Settings (the "Probing Tool Settings" and the connect dialog's address) live in the
registry of the current user. On Linux that is a file in the Windows registry export
format: the file named by the environment variable QNZU_REGISTRY, else
$XDG_CONFIG_HOME/qnzu/HKEY_CURRENT_USER.reg, else ~/.config/qnzu/HKEY_CURRENT_USER.reg.
A file that is not a registry export is refused and left as it is.

Exit status:
  0    the session (or the tour, or the cycles) opened, probed and closed
  1    the plug-in could not be loaded or lacks an export, or no tracker library could be
       registered (the settings file cannot be used: the message says why)
  2    a bad option (--screenshots on headless windows too)
  3    Open failed
  4    Close failed
  5    --cycles left tracker library objects or process handles
  6    a step of the tour did not happen (the message says which)
  7    a file (--out, --plot, --save-camera, --record) could not be written; an existing
       --out file is left as it was
  8    a --page-action or --answer could not be carried out
  130  interrupted (Ctrl-C); the device was closed and the records written
)";
}

namespace {

// The options a run of each kind uses; any other given with it is refused.
bool CheckCombination(const HostOptions& o, std::string& error) {
    const char* run = o.tour           ? "--tour"
                      : o.cycles       ? "--cycles"
                      : o.identityOnly ? "--identity"
                                       : nullptr;
    if (!run)
        return true;
    static const std::map<std::string, std::set<std::string>> allowed = {
        {"--tour",
         {"--tour", "--plugin", "--address", "--screenshots", "--console", "--realtime",
          "--trace"}},
        {"--cycles", {"--cycles", "--plugin", "--address", "--realtime", "--trace"}},
        {"--identity", {"--identity", "--plugin"}},
    };
    const std::set<std::string>& fits = allowed.at(run);
    for (const std::string& option : o.given) {
        if (fits.count(option))
            continue;
        if (option == "--tour" || option == "--cycles" || option == "--identity")
            error = std::string(run) + " and " + option + " are different runs: choose one";
        else
            error = option + " has no effect with " + run + "; leave it out";
        return false;
    }
    return true;
}

// A path given on the command line (UTF-8), as one spelling of the file it
// names: absolute, with "." and ".." and, where they exist, links resolved.
std::filesystem::path OneSpelling(const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path given = platform::PathFromUtf8(name);
    std::error_code error;
    fs::path path = fs::weakly_canonical(fs::absolute(given, error), error);
    if (error)
        path = given.lexically_normal();
#ifdef _WIN32
    std::wstring text = path.native(); // Windows compares file names without case
    std::transform(text.begin(), text.end(), text.begin(), ::towlower);
    path = text;
#endif
    return path;
}

bool IsBoxAnswer(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* box : {"ok", "cancel", "yes", "no", "abort", "retry", "ignore", "default"})
        if (lower == box)
            return true;
    return false;
}

} // namespace

bool ParseOptions(int argc, char** argv, HostOptions& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            into = argv[++i];
            return true;
        };
        auto whole = [&](uint64_t min, uint64_t max, const std::string& range, uint64_t& out) {
            std::string text;
            if (!value(text))
                return false;
            if (!ParseWholeNumber(text, min, max, out)) {
                error = arg + " takes " + range + ", not '" + text + "'";
                return false;
            }
            return true;
        };
        auto real = [&](double min, double max, bool lowOpen, const std::string& range,
                        double& out) {
            std::string text;
            if (!value(text))
                return false;
            if (!ParseRealNumber(text, min, max, lowOpen, out)) {
                error = arg + " takes " + range + ", not '" + text + "'";
                return false;
            }
            return true;
        };
        if (arg.rfind("--", 0) == 0 && arg != "--answer" && arg != "--page-action" &&
            arg != "--help" && o.given.count(arg)) {
            error = arg + " is given twice";
            return false;
        }
        o.given.insert(arg);
        std::string text;
        uint64_t number = 0;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--identity") {
            o.identityOnly = true;
        } else if (arg == "--realtime") {
            o.realtime = true;
        } else if (arg == "--show-sheet") {
            o.showSheet = true;
        } else if (arg == "--tour") {
            o.tour = true;
        } else if (arg == "--console") {
            o.console = true;
        } else if (arg == "--screenshots") {
            if (!value(o.screenshots))
                return false;
            if (o.screenshots.empty()) {
                error = "--screenshots needs a folder";
                return false;
            }
        } else if (arg == "--plugin" || arg == "--out" || arg == "--plot" ||
                   arg == "--save-camera" || arg == "--record" || arg == "--replay" ||
                   arg == "--trace") {
            std::string& into = arg == "--plugin"   ? o.plugin
                                : arg == "--out"    ? o.out
                                : arg == "--plot"   ? o.plot
                                : arg == "--record" ? o.record
                                : arg == "--replay" ? o.replay
                                : arg == "--trace"  ? o.trace
                                                    : o.saveCamera;
            if (!value(into))
                return false;
            if (into.empty()) {
                error = arg + " needs a file name";
                return false;
            }
        } else if (arg == "--address") {
            if (!value(o.address))
                return false;
        } else if (arg == "--scenario") {
            if (!value(o.scenario))
                return false;
            if (o.scenario != "session" && o.scenario != "sphere" && o.scenario != "plane" &&
                o.scenario != "cylinder") {
                error =
                    "--scenario takes session, sphere, plane or cylinder, not '" + o.scenario + "'";
                return false;
            }
        } else if (arg == "--answer") {
            if (!value(text))
                return false;
            // The console screen also takes dialog scripts (action;action).
            if (text.find(':') == std::string::npos && !IsBoxAnswer(text)) {
                error = "--answer takes OK, Cancel, Yes, No, Abort, Retry, Ignore or default, "
                        "not '" +
                        text + "'";
                return false;
            }
            o.answers.push_back(text);
        } else if (arg == "--page-action") {
            if (!value(text))
                return false;
            if (!CheckPageAction(text, &error))
                return false;
            o.pageActions.push_back(text);
        } else if (arg == "--cycles") {
            if (!whole(1, 1000000, "a whole number from 1 to 1000000", number))
                return false;
            o.cycles = static_cast<int>(number);
        } else if (arg == "--seed") {
            if (!whole(0, UINT32_MAX, "a whole number from 0 to 4294967295", number))
                return false;
            o.seed = static_cast<uint32_t>(number);
        } else if (arg == "--mode") {
            if (!whole(0, 1, "0 (one point per press) or 1 (continuous)", number))
                return false;
            o.mode = static_cast<uint32_t>(number);
        } else if (arg == "--rate") {
            if (!real(0, kMaxRateHz, true, "a number of measurements per second above 0 up to 1000",
                      o.continuousHz))
                return false;
        } else if (arg == "--positions") {
            if (!real(0, kMaxRateHz, false, "a number of samples per second from 0 to 1000",
                      o.positionHz))
                return false;
        } else if (arg == "--duration") {
            double seconds = 0;
            if (!real(0, 86400, true, "a number of seconds from 0.001 to 86400", seconds))
                return false;
            const double ms = seconds * 1000;
            if (ms < 1 || std::fabs(ms - std::round(ms)) > 1e-6 * std::max(1.0, ms)) {
                error = "--duration counts whole milliseconds (0.001 to 86400 seconds), not '" +
                        std::string(argv[i]) + "'";
                return false;
            }
            o.durationMs = static_cast<uint64_t>(std::llround(ms));
        } else {
            error = "unknown option " + arg + " (see --help)";
            return false;
        }
    }
    if (o.help)
        return true;
    if (!o.record.empty() && !o.replay.empty()) {
        error = "--record and --replay go one at a time";
        return false;
    }
    if (!o.screenshots.empty() && !o.tour) {
        error = "--screenshots goes with --tour";
        return false;
    }
    if (!o.saveCamera.empty()) {
        const std::string& name = o.saveCamera;
        std::string ext = name.size() >= 4 ? name.substr(name.size() - 4) : std::string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext != ".bmp") {
            error = "--save-camera writes a BMP picture: name the file .bmp, not '" + name + "'";
            return false;
        }
    }
    return CheckCombination(o, error);
}

// The records written over the recording being replayed, or over the
// plug-in, would be lost.
bool CheckFilesApart(const HostOptions& o, const std::string& plugin, std::string& error) {
    const std::pair<const char*, const std::string*> files[] = {
        {"the plug-in", &plugin}, {"--record", &o.record}, {"--replay", &o.replay},
        {"--out", &o.out},        {"--plot", &o.plot},     {"--save-camera", &o.saveCamera},
        {"--trace", &o.trace},
    };
    constexpr size_t kFiles = std::size(files);
    std::filesystem::path spellings[kFiles];
    for (size_t i = 0; i < kFiles; ++i)
        if (!files[i].second->empty())
            spellings[i] = OneSpelling(*files[i].second);
    for (size_t i = 0; i < kFiles; ++i)
        for (size_t j = i + 1; j < kFiles; ++j) {
            std::error_code unknown; // a file that does not exist yet is none of the others
            if (spellings[i].empty() || spellings[j].empty() ||
                (spellings[i] != spellings[j] &&
                 !std::filesystem::equivalent(spellings[i], spellings[j], unknown)))
                continue;
            error = std::string(files[i].first) + " and " + files[j].first +
                    " name the same file, " + *files[j].second + ": give each its own";
            return false;
        }
#ifndef _WIN32
    // Without --out the records go to standard output: a file option naming
    // that file (/dev/stdout, or the file it is redirected to) would mix into
    // them. Standard output on a device that keeps nothing (/dev/null) is let be.
    struct stat records;
    if (o.out.empty() && fstat(STDOUT_FILENO, &records) == 0 &&
        (!S_ISCHR(records.st_mode) || isatty(STDOUT_FILENO)))
        for (size_t i = 1; i < kFiles; ++i) {
            struct stat file;
            if (!files[i].second->empty() && stat(files[i].second->c_str(), &file) == 0 &&
                file.st_dev == records.st_dev && file.st_ino == records.st_ino) {
                error = std::string(files[i].first) + " names standard output, " +
                        *files[i].second +
                        ", where the records go: give it a file of its own, or the records --out";
                return false;
            }
        }
#endif
    return true;
}
