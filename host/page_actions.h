// --page-action: operate the tool sheet's pages from the command line, as a
// person would: open a tab, then type, choose, slide, check or click a
// control found by its text (or #id), and see the page with its values.
#pragma once

#include "host/plugin_exports.h"

#include <string>
#include <vector>

// One action: "<tab>:<verb>:<control>[=<value>]" or "<tab>:wait:<ms>", where
// <tab> is a tab's caption ("Main", "Profiles", "Positioning", "OVC",
// "Inclination Sensor") or its position from 0, and the verbs are those of
// the console screen's dialog answers (type, choose, slide, check, uncheck,
// click). False, with the reason, for an action that cannot be understood.
bool CheckPageAction(const std::string& action, std::string* error);

// Shows the sheet (SelectProbe), performs the actions in order, prints each
// page acted on with its controls and values to standard error, and closes
// the sheet with its close box (so that a later SelectProbe shows it again).
// False when the sheet did not appear or an action could not be done.
bool RunPageActions(const PluginExports& plugin, const std::vector<std::string>& actions);
