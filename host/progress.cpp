#include "host/progress.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

Progress::Progress() : m_enabled(isatty(fileno(stderr)) != 0) {}

void Progress::Show(const std::string& text) {
    if (!m_enabled)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_shown && now - m_last < std::chrono::milliseconds(250))
        return;
    m_last = now;
    m_shown = true;
#ifdef _WIN32
    // A console without terminal sequences: the line is padded instead.
    std::fprintf(stderr, "\r%-79.79s", text.c_str());
#else
    std::fprintf(stderr, "\r%s\033[K", text.c_str());
#endif
    std::fflush(stderr);
}

void Progress::Clear() {
    if (!m_shown)
        return;
    m_shown = false;
#ifdef _WIN32
    std::fprintf(stderr, "\r%79s\r", "");
#else
    std::fputs("\r\033[K", stderr);
#endif
    std::fflush(stderr);
}
