#include "host/tour_screen.h"

#include "platform/ui/picture_image.h"
#include "platform/ui/window_capture.h"
#include "resources/resource.h"

#include <cctype>
#include <cstdio>

namespace {

void Print(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace

std::string PictureName(platform::WideView caption) {
    std::string name;
    for (const char c : platform::Utf8FromWide(caption)) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (!name.empty() && name.back() != '-')
            name += '-';
    }
    while (!name.empty() && name.back() == '-')
        name.pop_back();
    return name.empty() ? "window" : name;
}

std::string PictureName(const platform::ModalFrame& frame) {
    if (frame.kind == platform::ModalFrame::Kind::MessageBox) {
        switch (frame.box.type & MB_ICONMASK) {
        case MB_ICONHAND:
            return "box-error";
        case MB_ICONEXCLAMATION:
            return "box-warning";
        case MB_ICONASTERISK:
            return "box-information";
        case MB_ICONQUESTION:
            return "box-question";
        default:
            return "box";
        }
    }
    const platform::WideString caption = platform::WindowText(frame.dialog);
    if (caption == TEXT("Connect"))
        return "connect-dialog";
    if (caption == TEXT("Add Reflector Size"))
        return "reflector-size";
    return PictureName(caption);
}

void TourScreen::DescribeOnce(HWND window) {
    if (!m_described.count(window))
        DialogShown(window);
}

bool TourScreen::Capture(HWND window, const std::string& name) {
    if (m_folder.empty())
        return true;
    std::string unique = name;
    for (int n = 2; m_names.count(unique); ++n)
        unique = name + "-" + std::to_string(n);
    m_names.insert(unique);
    const std::string caption = platform::Utf8FromWide(platform::WindowText(window));
    platform::PictureImage image;
    if (!platform::CaptureWindowImage(window, image)) {
        m_failures.push_back("the window \"" + caption + "\" (" + unique +
                             ") could not be captured");
        Print("  (" + m_failures.back() + ")\n");
        return false;
    }
    const std::string path = m_folder + "/" + unique + ".bmp";
    if (!platform::WriteBmpFile(path, image)) {
        m_failures.push_back("the picture of \"" + caption + "\" could not be written to " + path);
        Print("  (" + m_failures.back() + ")\n");
        return false;
    }
    m_pictures.push_back(path);
    Print("  picture " + path + " (" + std::to_string(image.width) + " x " +
          std::to_string(image.height) + ")\n");
    return true;
}

void TourScreen::DialogShown(HWND dialog) {
    const platform::DialogSnapshot shown = platform::Snapshot(dialog);
    m_described.insert(dialog);
    for (const platform::ControlSnapshot& c : shown.controls) {
        if (c.className == WC_DIALOGW && c.visible)
            m_described.insert(c.hwnd); // a page described with its sheet
        if (c.className == WC_STATICW)
            m_labels[c.hwnd] = c.text; // later changes are printed
    }
    Print(platform::Describe(shown));
    m_script.DialogShown(dialog);
}

void TourScreen::TextChanged(HWND control) {
    // A label that changes while its dialog is shown, such as a countdown.
    if (platform::ClassName(control) == WC_STATICW && IsWindowVisible(control)) {
        const platform::WideString text = platform::WindowText(control);
        auto [last, added] = m_labels.try_emplace(control, text);
        if (added || last->second != text) {
            last->second = text;
            Print("  label #" + std::to_string(GetDlgCtrlID(control)) + " \"" +
                  platform::Utf8FromWide(text) + "\"\n");
            // The connect dialog once more, now that its countdown shows.
            if (GetDlgCtrlID(control) == IDC_CONNECT_COUNTDOWN && !text.empty() &&
                !m_names.count("connect-countdown"))
                Capture(GetParent(control), "connect-countdown");
        }
    }
    m_script.TextChanged(control);
}

void TourScreen::MessageBoxShown(const platform::ModalFrame& box) {
    Print(platform::DescribeMessageBox(box.box.caption, box.box.text, box.box.type));
    m_script.MessageBoxShown(box);
}

bool TourScreen::Idle(platform::ModalFrame& top) {
    // The window as it first appears, before the script touches it. Headless
    // frames have no window of their own and no pixels.
    if (m_captured.insert(top.serial).second && top.dialog)
        Capture(top.dialog, PictureName(top));
    PrintScriptFailures();
    return m_script.Idle(top);
}

void TourScreen::PrintScriptFailures() {
    // Actions run when the loop delivers them, so their failures show up later.
    for (; m_failuresPrinted < m_script.Failures().size(); ++m_failuresPrinted)
        Print("  (" + m_script.Failures()[m_failuresPrinted] + ")\n");
}

void TourScreen::ModalEnded(const platform::ModalFrame& frame) {
    PrintScriptFailures();
    const bool box = frame.kind == platform::ModalFrame::Kind::MessageBox;
    Print(std::string(box ? "  answered " : "  dialog ended: ") +
          (frame.result == IDOK       ? "OK"
           : frame.result == IDCANCEL ? "Cancel"
                                      : "other") +
          "\n");
    m_script.ModalEnded(frame);
}
