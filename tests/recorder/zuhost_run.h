// The recorder's tests run zuhost sessions as processes of their own, each
// with a settings file of its own (so every run starts alike, or as a test
// seeds it), and compare what they posted and showed.
#pragma once

#include "tests/recorder/records_text.h"
#include "tests/support/run_program.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The lines of the text that contain `what`, in order.
inline std::string LinesWith(const std::string& text, const std::string& what) {
    std::istringstream in(text);
    std::string out;
    for (std::string line; std::getline(in, line);)
        if (line.find(what) != std::string::npos)
            out += line + '\n';
    return out;
}

struct SessionRun {
    int status = -1;
    std::string records;
    std::string messages;
    std::string hive; // the run's settings file as it was left (NULs dropped)
};

class ZuhostTest : public ::testing::Test {
protected:
    // Runs zuhost with `args` and the settings file <name>.reg; `sweep`, when
    // given, is the simulator's TRACKERSIM_SWEEP for this run.
    SessionRun Session(const std::string& name, std::vector<std::string> args,
                       const std::string& sweep = {}) {
        const fs::path records = File(name + ".jsonl");
        const fs::path errors = File(name + ".err");
        setenv("QNZU_REGISTRY", File(name + ".reg").c_str(), 1);
        if (!sweep.empty())
            setenv("TRACKERSIM_SWEEP", sweep.c_str(), 1);
        args.insert(args.begin(), {"--out", records.string()});
        SessionRun run;
        run.status = simtest::RunProgram(simtest::BinFolder() / "zuhost", args, errors);
        unsetenv("QNZU_REGISTRY");
        unsetenv("TRACKERSIM_SWEEP");
        run.records = ReadFile(records);
        run.messages = ReadFile(errors);
        // The hive is UTF-16; its names and paths here are ASCII.
        run.hive = ReadFile(File(name + ".reg"));
        std::erase(run.hive, '\0');
        return run;
    }
    fs::path File(const std::string& name) const { return m_folder.Path() / name; }

    simtest::TempFolder m_folder{"recorder"};
};

} // namespace
