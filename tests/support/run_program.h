// Runs a program of the build and waits for it, as the shell would run the
// registration tool.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace simtest {

// Runs `program` with `args` (each reaches the program as one argument) and
// waits for it. Standard output is discarded; standard error goes to
// `errorFile`. Returns the exit code, or -1 when the program could not run.
int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::filesystem::path& errorFile);

#ifndef _WIN32
// zuhost of the build with `args`, its records in `folder`/`name`.jsonl, its
// messages in `name`.err and a settings hive of its own, `name`.reg, so that
// every run starts alike.
struct ZuhostRun {
    int status = -1;
    std::string records;
    std::string messages;
    std::string hive; // as the run left it
};
ZuhostRun RunZuhost(const std::filesystem::path& folder, const std::string& name,
                    std::vector<std::string> args);
#endif

} // namespace simtest
