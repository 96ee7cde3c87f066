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

} // namespace simtest
