#include "sweep_runs.h"

#ifndef _WIN32

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace trackersim {

namespace {

// Far longer than any run takes, even under the sanitizers on a busy machine.
constexpr unsigned kRunSeconds = 300;

std::optional<std::string> ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Writes `bytes` beside `path` and renames it into place, as the store saves.
void PutBack(const std::string& path, const std::optional<std::string>& bytes) {
    if (!bytes) {
        std::remove(path.c_str());
        return;
    }
    const std::string temporary = path + ".sweep";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << *bytes;
    }
    std::rename(temporary.c_str(), path.c_str());
}

// Points `fd` at a new file holding what the session had written to it so
// far (when it is a file), so the run's output reads as a whole session's.
void Redirect(int fd, const std::string& path) {
    const int target = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (target < 0)
        return;
    const off_t written = lseek(fd, 0, SEEK_CUR);
    const int source =
        written > 0 ? open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDONLY | O_CLOEXEC)
                    : -1;
    if (source >= 0) {
        char buffer[65536];
        off_t left = written;
        while (left > 0) {
            const ssize_t n =
                read(source, buffer, static_cast<size_t>(std::min<off_t>(left, sizeof buffer)));
            if (n <= 0 || write(target, buffer, static_cast<size_t>(n)) != n)
                break;
            left -= n;
        }
        close(source);
    }
    dup2(target, fd);
    close(target);
}

} // namespace

bool ForkRun(const std::string& folder, const char* kind, long call, std::string& report,
             RunOutcome& outcome) {
    // What the streams hold goes out once, before the fork, not once more
    // from the child.
    std::fflush(nullptr);
    const char* hiveVariable = std::getenv("QNZU_REGISTRY");
    const std::string hive = hiveVariable ? hiveVariable : "";
    const std::optional<std::string> settings = hive.empty() ? std::nullopt : ReadWhole(hive);
    const std::string base = folder + "/" + kind + "-" + std::to_string(call);
    const pid_t pid = fork();
    if (pid == 0) {
        // A run that hangs ends by SIGALRM, which the sweep reports.
        alarm(kRunSeconds);
        Redirect(1, base + ".out");
        Redirect(2, base + ".err");
        report = base + ".report";
        return true;
    }
    outcome = {};
    if (pid < 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.started = true;
    outcome.signalled = WIFSIGNALED(status);
    outcome.code = outcome.signalled ? WTERMSIG(status) : WEXITSTATUS(status);
    if (!hive.empty() && ReadWhole(hive) != settings)
        PutBack(hive, settings);
    return false;
}

void WriteOutcome(std::FILE* results, const char* kind, long call, const RunOutcome& outcome) {
    std::fprintf(results, "%s %ld %s %d\n", kind, call,
                 !outcome.started    ? "none"
                 : outcome.signalled ? "signal"
                                     : "exit",
                 outcome.code);
    std::fflush(results);
}

} // namespace trackersim

#else

namespace trackersim {

bool ForkRun(const std::string&, const char*, long, std::string&, RunOutcome& outcome) {
    outcome = {};
    return false;
}

void WriteOutcome(std::FILE* results, const char* kind, long call, const RunOutcome&) {
    std::fprintf(results, "%s %ld none 0\n", kind, call);
    std::fflush(results);
}

} // namespace trackersim

#endif
