#include "host/options.h"

#include "host/page_actions.h"

#include <cstdlib>
#include <cstring>

const char* UsageText() {
    return R"(zuhost - a stand-in for the ZU host: loads the QNZUDeviceQWand plug-in and drives
a probing session against the simulated tracker (or the registered tracker library).

Usage: zuhost [options]

Records go to standard output (or --out), one JSON line each; everything a person
reads (dialogs, message boxes, the countdown, the summary) goes to standard error.

Where windows are real (Windows), the dialogs, the sheet and the message boxes are
windows for a person to use, on the real clock. Headless (Linux), or with --console,
the console screen prints them and acts for the person: --address and --answer.

  --plugin FILE     the plug-in to load (default: QNZUDeviceQWand next to zuhost)
  --identity        print the identity exports and exit
  --address A       type A into the connect dialog and click "Connect"; without it
                    the dialog's "Automatically apply settings in" box is checked and
                    the countdown connects to the stored address
  --mode N          probe acquisition mode: 0 one point per press, 1 continuous (default 1)
  --scenario NAME   the simulated probe's path: session (default: the probe's buttons take,
                    confirm and cancel points on a sphere), sphere, plane or cylinder
  --seed N          seed of the scenario's noise (default 1)
  --positions HZ    target-position samples per second while probing (default 20, 0: none)
  --rate HZ         measurements per second while continuous measuring runs (default 100)
  --duration S      how long the scenario plays, in seconds (default 10)
  --answer TEXT     on the console screen: answer the next message box with this button
                    (OK, Cancel, Yes, No); repeat for later boxes; unanswered boxes take
                    their default
  --show-sheet      show the "Probing Tool Settings" sheet (SelectProbe) and list its pages
  --page-action A   right after Open, operate a page of the sheet as a person would and list
                    it with its values; A is <tab>:<verb>:<control>[=<value>] with the tab's
                    caption (Main, Profiles, Positioning, OVC, Inclination Sensor) or position,
                    the verbs type, choose, slide (with =<value>), check, uncheck, click, and
                    the control's text or #id; or <tab>:wait:<ms> to let events arrive.
                    Repeat for more actions, e.g. --page-action "Positioning:click:Find Reflector"
  --out FILE        write the records to FILE instead of standard output
  --trace FILE      write the plug-in's trace to FILE (dropped measurements and why,
                    connect steps, failures, message boxes, settings, records per type)
  --cycles N        instead of a session: load, open, close and unload the plug-in N times
                    in this process, then check that no tracker library object is left
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

Exit status: 0 when the session (or the tour) opened, probed and closed; 1 when the
plug-in could not be loaded or lacks an export; 2 for a bad option (--screenshots on
headless windows too); 3 when Open failed; 5 when --cycles left tracker library
objects; 6 when a step of the tour did not happen (the message says which).
)";
}

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
        std::string text;
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
        } else if (arg == "--plugin") {
            if (!value(o.plugin))
                return false;
        } else if (arg == "--out") {
            if (!value(o.out))
                return false;
        } else if (arg == "--trace") {
            if (!value(o.trace))
                return false;
        } else if (arg == "--address") {
            if (!value(o.address))
                return false;
        } else if (arg == "--scenario") {
            if (!value(o.scenario))
                return false;
        } else if (arg == "--answer") {
            if (!value(text))
                return false;
            o.answers.push_back(text);
        } else if (arg == "--page-action") {
            if (!value(text))
                return false;
            if (!CheckPageAction(text, &error))
                return false;
            o.pageActions.push_back(text);
        } else if (arg == "--save-camera") {
            if (!value(o.saveCamera))
                return false;
        } else if (arg == "--cycles") {
            if (!value(text))
                return false;
            o.cycles = std::atoi(text.c_str());
            if (o.cycles <= 0) {
                error = "--cycles takes a positive number, not '" + text + "'";
                return false;
            }
        } else if (arg == "--seed" || arg == "--mode" || arg == "--positions" || arg == "--rate" ||
                   arg == "--duration") {
            if (!value(text))
                return false;
            char* end = nullptr;
            const double number = std::strtod(text.c_str(), &end);
            if (end == text.c_str() || *end || number < 0) {
                error = arg + " takes a number, not '" + text + "'";
                return false;
            }
            if (arg == "--seed")
                o.seed = static_cast<uint32_t>(number);
            else if (arg == "--mode")
                o.mode = static_cast<uint32_t>(number);
            else if (arg == "--rate")
                o.continuousHz = number;
            else if (arg == "--duration")
                o.durationMs = static_cast<uint64_t>(number * 1000);
            else
                o.positionHz = number;
        } else {
            error = "unknown option " + arg + " (see --help)";
            return false;
        }
    }
    if (!o.screenshots.empty() && !o.tour) {
        error = "--screenshots goes with --tour";
        return false;
    }
    return true;
}
