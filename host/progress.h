// A progress line for long runs, on standard error when it is a terminal:
// rewritten in place a few times a second of real time, cleared at the end.
#pragma once

#include <chrono>
#include <string>

class Progress {
public:
    Progress();
    ~Progress() { Clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    bool Enabled() const { return m_enabled; }
    // Shows the text unless a line was shown less than a quarter second ago.
    void Show(const std::string& text);
    void Clear();

private:
    bool m_enabled = false;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_last{};
};
