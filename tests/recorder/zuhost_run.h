// The recorder's tests run zuhost sessions as processes of their own, each
// with a settings file of its own (so every run starts alike, or as a test
// seeds it), and compare what they posted and showed.
#pragma once

#include "tests/recorder/records_text.h"
#include "tests/support/run_program.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <utility>

namespace {

namespace fs = std::filesystem;

using simtest::ReadFile;
using simtest::WriteFile;

// The lines of the text that contain `what`, in order.
inline std::string LinesWith(const std::string& text, const std::string& what) {
    std::istringstream in(text);
    std::string out;
    for (std::string line; std::getline(in, line);)
        if (line.find(what) != std::string::npos)
            out += line + '\n';
    return out;
}

using SessionRun = simtest::ZuhostRun;

class ZuhostTest : public ::testing::Test {
protected:
    // Runs zuhost with `args` and the settings file <name>.reg; `sweep`, when
    // given, is the simulator's TRACKERSIM_SWEEP for this run.
    SessionRun Session(const std::string& name, std::vector<std::string> args,
                       const std::string& sweep = {}) {
        if (!sweep.empty())
            setenv("TRACKERSIM_SWEEP", sweep.c_str(), 1);
        SessionRun run = simtest::RunZuhost(m_folder.Path(), name, std::move(args));
        unsetenv("TRACKERSIM_SWEEP");
        std::erase(run.hive, '\0'); // UTF-16; its names and paths here are ASCII
        return run;
    }
    fs::path File(const std::string& name) const { return m_folder.Path() / name; }

    simtest::TempFolder m_folder{"recorder"};
};

} // namespace
