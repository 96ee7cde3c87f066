// The tour's screen: a scripted screen that also describes every dialog,
// page and message box on standard error, as the console screen does, and,
// when given a folder, captures each modal window on the first idle turn of
// its modal loop (before the script acts on it) into <folder>/<name>.bmp, and
// the connect dialog again when its countdown first shows a count.
#pragma once

#include "platform/ui/scripted_screen.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class TourScreen : public platform::Screen {
public:
    // An empty folder: no pictures.
    explicit TourScreen(std::string folder) : m_folder(std::move(folder)) {}

    platform::ScriptedScreen& script() { return m_script; }

    // Describes the window unless it was described already (with its sheet,
    // for a page).
    void DescribeOnce(HWND window);
    // Writes the window's picture as <folder>/<name>.bmp (a name already used
    // gets a number). Does nothing without a folder; false, with the reason
    // kept in Failures(), when the capture or the file fails.
    bool Capture(HWND window, const std::string& name);

    // Pictures written and pictures that failed, in order.
    const std::vector<std::string>& Pictures() const { return m_pictures; }
    const std::vector<std::string>& Failures() const { return m_failures; }

    void DialogShown(HWND dialog) override;
    void TextChanged(HWND control) override;
    void MessageBoxShown(const platform::ModalFrame& box) override;
    bool Idle(platform::ModalFrame& top) override;
    void ModalEnded(const platform::ModalFrame& frame) override;

private:
    void PrintScriptFailures();

    platform::ScriptedScreen m_script;
    size_t m_failuresPrinted = 0;
    std::string m_folder;
    std::set<HWND> m_described;
    std::map<HWND, platform::WideString> m_labels; // last text printed per label
    std::set<uint64_t> m_captured;                 // modal frames, by serial
    std::set<std::string> m_names;
    std::vector<std::string> m_pictures;
    std::vector<std::string> m_failures;
};

// A picture's name: the words of a caption in lower case joined by '-'.
std::string PictureName(platform::WideView caption);
// The picture name of a modal dialog, or of a box by its icon ("box-error").
std::string PictureName(const platform::ModalFrame& frame);
