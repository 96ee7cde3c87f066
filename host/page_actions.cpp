#include "host/sheet_catcher.h"
#include "host/page_actions.h"

#include "host/number_text.h"
#include "platform/base/text.h"
#include "platform/ui/message_loop.h"
#include "platform/ui/screen.h"
#include "platform/ui/screen_input.h"

#include <cstdio>
#include <map>

namespace {

struct PageAction {
    int tab = -1;
    bool wait = false;
    uint64_t ms = 0;
    platform::ScreenAction action;
};

int TabIndex(const std::string& tab) {
    for (int i = 0; i < static_cast<int>(std::size(kSheetTabs)); ++i)
        if (tab == kSheetTabs[i])
            return i;
    uint64_t index = 0;
    if (ParseWholeNumber(tab, 0, std::size(kSheetTabs) - 1, index))
        return static_cast<int>(index);
    return -1;
}

platform::ControlRef ParseControl(const std::string& text) {
    uint64_t id = 0;
    if (text.size() > 1 && text[0] == '#' && ParseWholeNumber(text.substr(1), 0, 65535, id))
        return platform::ControlRef(static_cast<int>(id));
    return platform::ControlRef(platform::WideFromUtf8(text));
}

bool Parse(const std::string& text, PageAction& out, std::string& error) {
    using Kind = platform::ScreenAction::Kind;
    const size_t first = text.find(':');
    if (first == std::string::npos) {
        error = "a page action is <tab>:<verb>:<control>[=<value>], not " + text;
        return false;
    }
    out.tab = TabIndex(text.substr(0, first));
    if (out.tab < 0) {
        error = "no tab '" + text.substr(0, first) +
                "': the tabs are Main, Profiles, Positioning, OVC, Inclination Sensor, or 0 to 4";
        return false;
    }
    const size_t second = text.find(':', first + 1);
    const std::string verb = text.substr(
        first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    std::string rest = second == std::string::npos ? std::string() : text.substr(second + 1);
    if (verb == "wait") {
        out.wait = true;
        if (!ParseWholeNumber(rest, 0, 86400000, out.ms)) {
            error = "wait takes a number of milliseconds from 0 to 86400000, not '" + rest +
                    "': " + text;
            return false;
        }
        return true;
    }
    static const std::map<std::string, Kind> verbs = {
        {"type", Kind::Type},   {"choose", Kind::Choose},   {"slide", Kind::Slide},
        {"check", Kind::Check}, {"uncheck", Kind::Uncheck}, {"click", Kind::Click},
    };
    const auto found = verbs.find(verb);
    if (found == verbs.end() || rest.empty()) {
        error = "unknown page action " + text;
        return false;
    }
    out.action.kind = found->second;
    if (out.action.kind == Kind::Type || out.action.kind == Kind::Choose ||
        out.action.kind == Kind::Slide) {
        const size_t equals = rest.rfind('=');
        if (equals == std::string::npos) {
            error = verb + " needs <control>=<value>: " + text;
            return false;
        }
        const std::string typed = rest.substr(equals + 1);
        out.action.text = platform::WideFromUtf8(typed);
        if (out.action.kind == Kind::Slide) {
            const bool negative = !typed.empty() && typed[0] == '-';
            uint64_t position = 0;
            if (!ParseWholeNumber(typed.substr(negative ? 1 : 0), 0, 1000000000, position)) {
                error = "slide takes a whole position, not '" + typed + "': " + text;
                return false;
            }
            out.action.value = negative ? -static_cast<int>(position) : static_cast<int>(position);
        }
        rest.resize(equals);
    }
    out.action.control = ParseControl(rest);
    return true;
}

void PrintSheet(HWND sheet) {
    std::fputs(platform::Describe(platform::Snapshot(sheet)).c_str(), stderr);
}

} // namespace

bool CheckPageAction(const std::string& action, std::string* error) {
    PageAction parsed;
    std::string reason;
    if (Parse(action, parsed, reason))
        return true;
    if (error)
        *error = reason;
    return false;
}

bool RunPageActions(const PluginExports& plugin, const std::vector<std::string>& actions) {
    platform::Screen& screen = platform::CurrentScreen();
    SheetCatcher catcher(screen);
    platform::SetScreen(&catcher);
    plugin.SelectProbe();
    if (!catcher.sheet) {
        platform::SetScreen(&screen);
        std::fprintf(stderr, "zuhost: the tool sheet did not appear; no page actions\n");
        return false;
    }
    bool done = true;
    int shownTab = -1;
    for (size_t i = 0; i < actions.size(); ++i) {
        PageAction step;
        std::string error;
        if (!Parse(actions[i], step, error)) {
            std::fprintf(stderr, "zuhost: %s\n", error.c_str());
            done = false;
            continue;
        }
        if (step.tab != shownTab) {
            ::SendMessageW(catcher.sheet, PSM_SETCURSEL, static_cast<WPARAM>(step.tab), 0);
            shownTab = step.tab;
        }
        std::fprintf(stderr, "page action: %s\n", actions[i].c_str());
        if (step.wait) {
            platform::RunMessagesFor(step.ms); // events reach the page meanwhile
        } else if (!platform::PerformAction(catcher.sheet, step.action, &error)) {
            std::fprintf(stderr, "zuhost: --page-action %s cannot be done: %s\n",
                         actions[i].c_str(), error.c_str());
            done = false;
        }
        platform::PumpMessages();
        // The page with its values after the last action on it.
        const bool lastOnTab = i + 1 == actions.size() || [&] {
            PageAction next;
            std::string ignored;
            return !Parse(actions[i + 1], next, ignored) || next.tab != step.tab;
        }();
        if (lastOnTab)
            PrintSheet(catcher.sheet);
    }
    platform::CloseWindow(catcher.sheet); // hidden, not destroyed
    platform::PumpMessages();
    platform::SetScreen(&screen);
    return done;
}
