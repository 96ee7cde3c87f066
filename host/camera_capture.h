// --save-camera: start the overview camera's live images on the tool sheet's
// "OVC" page as a person would, and save the last image shown as a BMP file.
#pragma once

#include "host/plugin_exports.h"

#include <string>

// Shows the sheet (SelectProbe), opens its "OVC" tab and clicks "Start OVC".
// False, with a note on standard error, when that cannot be done.
bool StartCameraImages(const PluginExports& plugin);
// Writes the last image a picture control showed; false when there was none
// or the file cannot be written (a note on standard error either way).
bool SaveLastCameraImage(const std::string& path);
