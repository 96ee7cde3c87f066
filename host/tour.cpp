#include "host/tour.h"

#include "host/plugin_exports.h"
#include "host/session.h"
#include "host/sheet_catcher.h"
#include "host/simulator_setup.h"
#include "host/tour_screen.h"
#include "platform/base/file_names.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/window_capture.h"
#include "resources/resource.h"

#include <cstdio>
#include <string>
#include <filesystem>

namespace {

using platform::Act;

constexpr uint64_t kCountdownMs = 1500; // the connect dialog counts down this long
constexpr uint64_t kLookMs = 1000;      // a page, dialog or box stays this long

struct TrackerMessage {
    trackersim::MessageKind kind;
    UINT icon;
    const char* name;
    const WCHAR* text1;
    const WCHAR* text2;
    int32_t number;
};

const TrackerMessage kMessages[] = {
    {trackersim::MessageKind::Information, MB_ICONASTERISK, "information",
     TEXT("Information from the simulated tracker"), TEXT("The tracker is ready."), 101},
    {trackersim::MessageKind::Warning, MB_ICONEXCLAMATION, "warning",
     TEXT("Warning from the simulated tracker"), TEXT("The tracker is still warming up."), 201},
    {trackersim::MessageKind::Error, MB_ICONHAND, "error", TEXT("Error from the simulated tracker"),
     TEXT("The laser beam was interrupted."), 301},
};

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : separator) + part;
    return out;
}

// What the tour saw, and what it missed.
struct TourLog {
    std::vector<std::string> seen;
    std::vector<std::string> missing;
    void Check(bool happened, const std::string& what, const std::string& otherwise) {
        (happened ? seen : missing).push_back(happened ? what : otherwise);
    }
};

// A dialog with this caption was shown and the script (not the default) ended it.
bool DialogSeen(TourScreen& screen, platform::WideView caption) {
    for (const auto& dialog : screen.script().Dialogs())
        if (dialog.shown.caption == caption && !dialog.defaulted)
            return true;
    return false;
}

HWND VisiblePage(HWND sheet) {
    for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (platform::ClassName(child) == WC_DIALOGW && IsWindowVisible(child))
            return child;
    return nullptr;
}

bool Connect(const PluginExports& plugin, TourScreen& screen, const std::string& address,
             TourLog& log) {
    // The countdown runs for a moment, then the address is typed and
    // "Connect" clicked before the countdown would connect by itself.
    screen.script().OnDialog(TEXT("Connect"),
                             {Act::Check(IDC_CONNECT_AUTO_APPLY), Act::Wait(kCountdownMs),
                              Act::Type(IDC_CONNECT_ADDRESS, platform::WideFromUtf8(address)),
                              Act::Click(IDOK)});
    const bool opened = plugin.Open(nullptr) != 0;
    log.Check(DialogSeen(screen, TEXT("Connect")), "connect dialog",
              "the connect dialog was not shown or not answered");
    log.Check(opened, "connected to " + address, "Open failed");
    return opened;
}

void OpenPages(HWND sheet, TourScreen& screen, TourLog& log) {
    std::string opened;
    int count = 0;
    for (int tab = 0; tab < static_cast<int>(std::size(kSheetTabs)); ++tab) {
        const LRESULT chosen = ::SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
        // The camera page shows what the camera sees while its stream runs.
        const bool camera = std::string(kSheetTabs[tab]) == "OVC" &&
                            platform::Click(platform::FindControl(sheet, IDC_OVC_START));
        platform::RunMessagesFor(kLookMs);
        HWND page = VisiblePage(sheet);
        const platform::WideString caption = page ? platform::WindowText(page) : TEXT("");
        if (!chosen || caption != platform::WideFromUtf8(kSheetTabs[tab])) {
            log.missing.push_back(std::string("the page \"") + kSheetTabs[tab] + "\" did not open");
            continue;
        }
        screen.DescribeOnce(page);
        screen.Capture(sheet, "page-" + PictureName(caption));
        if (camera)
            platform::Click(platform::FindControl(sheet, IDC_OVC_STOP));
        opened += (count++ ? ", " : "") + platform::Utf8FromWide(caption);
    }
    if (count == static_cast<int>(std::size(kSheetTabs)))
        log.seen.push_back(std::to_string(count) + " pages (" + opened + ")");
}

void AddReflectorSize(HWND sheet, TourScreen& screen, TourLog& log) {
    ::SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
    platform::PumpMessages();
    // A diameter is typed, then the dialog is cancelled: the stored list of
    // diameters stays as it was.
    screen.script().OnDialog(
        TEXT("Add Reflector Size"),
        {Act::Type(IDC_REFLECTOR_DIAMETER, TEXT("12.7")), Act::Wait(kLookMs), Act::Cancel()});
    const bool clicked = platform::Click(platform::FindControl(sheet, IDC_REFLECTOR_ADD));
    platform::PumpMessages();
    log.Check(clicked && DialogSeen(screen, TEXT("Add Reflector Size")), "reflector size dialog",
              "the reflector size dialog did not open from \"Add\"");
}

// What the tracker's pages do with the library, each done once: every button
// that calls it is clicked, and every choice, edit, slider and check box that
// sends a setting is changed and then put back, so the stored settings stay as
// they were. A fault sweep of the tour thus fails each of these calls. None of
// them shows a message box here.
bool ChangeAndPutBack(HWND sheet, int id) {
    HWND control = platform::FindControl(sheet, id);
    const platform::DialogSnapshot page = platform::Snapshot(::GetParent(control));
    const platform::ControlSnapshot* was = page.Find(id);
    if (!was)
        return false;
    if (was->className == WC_EDITW)
        return platform::TypeText(control, TEXT("7")) && platform::TypeText(control, was->text);
    if (was->className == WC_COMBOBOXW) {
        if (was->items.size() < 2 || was->curSel < 0)
            return false;
        const size_t other = (static_cast<size_t>(was->curSel) + 1) % was->items.size();
        return platform::ChooseItem(control, was->items[other]) &&
               platform::ChooseItem(control, was->items[static_cast<size_t>(was->curSel)]);
    }
    if (was->className == TRACKBAR_CLASSW)
        return platform::MoveSlider(control, was->pos + 1) &&
               platform::MoveSlider(control, was->pos);
    return platform::SetChecked(control, was->check != BST_CHECKED) &&
           platform::SetChecked(control, was->check == BST_CHECKED);
}

// A radio button of the group other than the checked one, then the checked one.
bool ChooseOtherAndBack(HWND sheet, const int (&group)[3]) {
    int checked = 0;
    for (int i = 0; i < 3; ++i)
        if (::SendMessageW(platform::FindControl(sheet, group[i]), BM_GETCHECK, 0, 0) ==
            BST_CHECKED)
            checked = i;
    return platform::Click(platform::FindControl(sheet, group[(checked + 1) % 3])) &&
           platform::Click(platform::FindControl(sheet, group[checked]));
}

void UsePageButtons(HWND sheet, TourScreen& screen, TourLog& log) {
    enum Kind { kClick, kChange, kWait };
    struct Step {
        int tab;
        Kind kind;
        int id; // the milliseconds of a wait
    };
    static const int kStationary[3] = {IDC_RB_FAST, IDC_RB_STANDARD, IDC_RB_PRECISE};
    static const int kAreaScan[3] = {IDC_RB_SCAN_FAST, IDC_RB_SCAN_STANDARD, IDC_RB_SCAN_PRECISE};
    const Step steps[] = {
        {1, kChange, IDC_TIME_SEPARATION},
        {1, kChange, IDC_PROFILE_LIST},
        {1, kChange, IDC_PROFILE_TARGET_LIST},
        {2, kClick, IDC_MOVE_UP},
        {2, kClick, IDC_MOVE_STOP},
        {2, kChange, IDC_SLIDER_SPEED},
        {2, kClick, IDC_POSITION_TO},
        {2, kClick, IDC_FIND_REFLECTOR},
        {2, kClick, IDC_GO_AND_MEASURE},
        {2, kClick, IDC_GO_AND_MEASURE_KSR15},
        {2, kClick, IDC_POSITION_TO_TARGET},
        {3, kClick, IDC_OVC_SHOW_DIALOG},
        {3, kClick, IDC_OVC_CLEAR_REGIONS},
        {3, kClick, IDC_OVC_DEFINE_SIX_SIDED_REGIONS},
        {3, kClick, IDC_OVC_SCAN},
        {4, kClick, IDC_ORIENT_SYNCHRON},
        {4, kClick, IDC_ORIENT_ASYNCHRON},
        {4, kWait, static_cast<int>(kLookMs)},
        {4, kClick, IDC_INCLINATION_MEASURE},
        {4, kClick, IDC_MONITOR_START},
        {4, kWait, static_cast<int>(kLookMs)},
        {4, kClick, IDC_MONITOR_RESET},
        {4, kClick, IDC_MONITOR_STOP},
        {4, kChange, IDC_USE_INCLINATION},
        {4, kChange, IDC_INTERVAL},
        {4, kChange, IDC_THRESHOLD},
    };
    const size_t boxes = screen.script().Boxes().size();
    std::vector<std::string> failed;
    int tab = -1, done = 0;
    for (const Step& step : steps) {
        if (step.tab != tab) {
            tab = step.tab;
            ::SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(tab), 0);
            platform::PumpMessages();
            if (tab == 1 &&
                !(ChooseOtherAndBack(sheet, kStationary) && ChooseOtherAndBack(sheet, kAreaScan)))
                failed.push_back("the accuracies");
        }
        bool ok = true;
        if (step.kind == kWait)
            platform::RunMessagesFor(static_cast<uint64_t>(step.id));
        else if (step.kind == kClick)
            ok = platform::Click(platform::FindControl(sheet, step.id));
        else
            ok = ChangeAndPutBack(sheet, step.id);
        platform::PumpMessages();
        if (!ok)
            failed.push_back(std::string(kSheetTabs[tab]) + " #" + std::to_string(step.id));
        done += ok && step.kind != kWait;
    }
    if (!failed.empty())
        log.missing.push_back("could not use on the pages: " + Joined(failed, ", "));
    else if (screen.script().Boxes().size() != boxes)
        log.missing.push_back("a page's button showed a message box");
    else
        log.seen.push_back(std::to_string(done + 4) + " page controls used");
}

void TrackerMessages(TourScreen& screen, TourLog& log) {
    ComPtr<trackersim::SimControl> simulator = SimulatorControl();
    if (!simulator) {
        log.missing.push_back("the registered tracker library is not the simulator: no "
                              "tracker messages");
        return;
    }
    std::string shown;
    int count = 0;
    for (const TrackerMessage& message : kMessages) {
        screen.script().OnBox({Act::Wait(kLookMs), Act::Answer(IDOK)});
        const size_t before = screen.script().Boxes().size();
        simulator->FireTrackerMessage(message.kind, message.text1, message.text2, message.number);
        platform::RunMessagesFor(100); // the event arrives; its box opens and is answered
        const auto& boxes = screen.script().Boxes();
        if (boxes.size() != before + 1 || (boxes.back().type & MB_ICONMASK) != message.icon ||
            boxes.back().answer != IDOK || boxes.back().defaulted) {
            log.missing.push_back(std::string("no message box with the ") + message.name +
                                  " icon for the tracker's " + message.name);
            continue;
        }
        shown += (count++ ? ", " : "") + std::string(message.name);
    }
    if (count == static_cast<int>(std::size(kMessages)))
        log.seen.push_back(std::to_string(count) + " message boxes (" + shown + ")");
}

} // namespace

int RunTour(const std::string& plugin, const std::string& hostFolder, const HostOptions& options) {
    if (!options.screenshots.empty()) {
        if (!platform::RealWindows()) {
            std::fprintf(stderr, "zuhost: --screenshots needs real windows; the windows of this "
                                 "runtime are headless and have no pixels\n");
            return 2;
        }
        std::error_code error;
        std::filesystem::create_directories(platform::PathFromUtf8(options.screenshots), error);
        if (error) {
            std::fprintf(stderr, "zuhost: cannot create the folder %s: %s\n",
                         options.screenshots.c_str(), error.message().c_str());
            return 2;
        }
    }
    std::string error;
    if (!EnsureTrackerLibraryRegistered(hostFolder, error)) {
        std::fprintf(stderr, "zuhost: %s\n", error.c_str());
        return 1;
    }

    // The screen outlives the plug-in, which may still show something while it unloads.
    TourScreen screen(options.screenshots);
    SheetCatcher catcher(screen);
    platform::ScopedScreen useScreen(catcher);
    TourLog log;
    {
        LoadedPlugin loaded(plugin);
        if (!loaded.ok()) {
            std::fprintf(stderr, "zuhost: %s\n", loaded.error().c_str());
            return 1;
        }
        const PluginExports& exports = loaded.exports();
        PrintIdentity(exports);
        if (!Connect(exports, screen, options.address.empty() ? "192.168.0.1" : options.address,
                     log)) {
            std::fprintf(stderr, "zuhost: tour: %s\n", Joined(log.missing, "; ").c_str());
            return 3;
        }
        exports.SelectProbe();
        platform::PumpMessages();
        if (catcher.sheet && IsWindowVisible(catcher.sheet)) {
            screen.DescribeOnce(catcher.sheet);
            OpenPages(catcher.sheet, screen, log);
            AddReflectorSize(catcher.sheet, screen, log);
            UsePageButtons(catcher.sheet, screen, log);
        } else {
            log.missing.push_back("the \"Probing Tool Settings\" sheet did not appear");
        }
        TrackerMessages(screen, log);
        log.Check(exports.Close() != 0, "closed", "Close failed");
        platform::PumpMessages();
    }
    platform::PumpMessages();

    for (const std::string& failure : screen.script().Failures())
        log.missing.push_back(failure);
    for (const std::string& failure : screen.Failures())
        log.missing.push_back(failure);
    if (!options.screenshots.empty())
        log.seen.push_back(std::to_string(screen.Pictures().size()) + " pictures in " +
                           options.screenshots);
    std::fprintf(stderr, "zuhost: tour: %s\n", Joined(log.seen, "; ").c_str());
    if (!log.missing.empty()) {
        std::fprintf(stderr, "zuhost: the tour is incomplete: %s\n",
                     Joined(log.missing, "; ").c_str());
        return 6;
    }
    return 0;
}
