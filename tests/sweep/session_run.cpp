#include "session_run.h"

#include "tests/support/test_files.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace simtest {

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The numbers of a JSON array that follows `"key":`; false when it is missing
// or holds anything but numbers.
bool NumbersOf(const std::string& record, const std::string& key, std::vector<double>& numbers) {
    const size_t at = record.find("\"" + key + "\":[");
    if (at == std::string::npos)
        return false;
    const char* p = record.c_str() + at + key.size() + 4;
    numbers.clear();
    while (*p != ']') {
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p || !std::isfinite(value))
            return false;
        numbers.push_back(value);
        p = end;
        if (*p == ',')
            ++p;
        else if (*p != ']')
            return false;
    }
    return true;
}

// A record as the host writes it: the next sequence number, a message it
// knows, a finite point, and a frame whose rotation is orthonormal with the
// point as its origin; confirm and cancel may carry the all-zero frame of a
// session without a point yet.
bool WellFormed(const std::string& record, long expectedSeq) {
    long seq = 0;
    int message = 0;
    if (std::sscanf(record.c_str(), "{\"seq\":%ld,\"message\":%d,", &seq, &message) != 2 ||
        seq != expectedSeq || message < 9 || message > 12 || record.back() != '}')
        return false;
    std::vector<double> point, frame;
    if (!NumbersOf(record, "point", point) || point.size() != 3 ||
        !NumbersOf(record, "frame", frame) || frame.size() != 16)
        return false;
    bool zero = true;
    for (double v : frame)
        zero = zero && v == 0;
    if (zero)
        return message >= 11 && point[0] == 0 && point[1] == 0 && point[2] == 0;
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            double dot = 0;
            for (int row = 0; row < 3; ++row)
                dot += frame[row * 4 + a] * frame[row * 4 + b];
            if (std::fabs(dot - (a == b ? 1.0 : 0.0)) > 1e-9)
                return false;
        }
    }
    for (int row = 0; row < 3; ++row)
        if (frame[row * 4 + 3] != point[row])
            return false;
    return frame[12] == 0 && frame[13] == 0 && frame[14] == 0 && frame[15] == 1;
}

// What a run left in its files: `base`.out, .err and .report.
SessionRun Examine(const std::filesystem::path& base, bool signalled, int code) {
    SessionRun run;
    run.errors = ReadFile(base.string() + ".err");
    if (!signalled)
        run.status = code;
    else
        run.errors = "ended by signal " + std::to_string(code) + "\n" + run.errors;
    // Any other status than a session's (0; 3 and 4 for Open and Close
    // failing; 6 for a tour that missed a window) is a sanitizer's report, an
    // abort or a broken set-up.
    run.crashed =
        signalled || (run.status != 0 && run.status != 3 && run.status != 4 && run.status != 6);
    for (const std::string& line : Lines(ReadFile(base.string() + ".report"))) {
        std::sscanf(line.c_str(), "calls %ld", &run.calls);
        std::sscanf(line.c_str(), "live %d", &run.live);
    }
    long seq = 0;
    for (const std::string& record : Lines(ReadFile(base.string() + ".out")))
        if (run.malformed.empty() && !WellFormed(record, ++seq))
            run.malformed = record;
    for (const std::string& line : Lines(run.errors)) {
        const size_t box = line.find("message box \"");
        if (box == std::string::npos)
            continue;
        const size_t text = line.find(": ", box);
        if (text == std::string::npos || text + 2 >= line.size())
            ++run.emptyBoxes;
    }
    return run;
}

// Starts zuhost with `args`, the sweep's items and a settings store of its
// own; its outputs go to `base`.out and .err; `resultsFd`, when given, is its
// descriptor 3.
pid_t StartZuhost(const std::filesystem::path& folder, const std::filesystem::path& base,
                  const std::vector<std::string>& args, const std::string& sweep,
                  int resultsFd = -1) {
    const std::filesystem::path hive = folder / "settings.reg";
    std::filesystem::remove(hive);
    std::vector<std::string> environment{"TRACKERSIM_SWEEP=" + sweep,
                                         "QNZU_REGISTRY=" + hive.string()};
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("TRACKERSIM_SWEEP=", 0) != 0 && text.rfind("QNZU_REGISTRY=", 0) != 0)
            environment.push_back(text);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> words{std::string(QNZU_BIN_DIR) + "/zuhost"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const std::string out = base.string() + ".out", err = base.string() + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (resultsFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, resultsFd, 3);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

SessionRun Finish(pid_t pid, const std::filesystem::path& base) {
    if (pid < 0) {
        SessionRun run;
        run.crashed = true;
        run.errors = "zuhost could not be started";
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return Examine(base, !WIFEXITED(status), WIFEXITED(status) ? WEXITSTATUS(status) : 0);
}

} // namespace

bool SessionRun::ShowedBox(const std::string& text) const {
    for (const std::string& line : Lines(errors))
        if (line.find("message box \"") != std::string::npos &&
            line.find(text) != std::string::npos)
            return true;
    return false;
}

ScratchFolder::ScratchFolder() {
    std::error_code error;
    std::filesystem::path root = "/dev/shm";
    if (access(root.c_str(), W_OK) != 0)
        root = std::filesystem::temp_directory_path(error);
    std::string name = (root / "session-sweep-XXXXXX").string();
    if (mkdtemp(name.data()))
        m_path = name;
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, error);
}

SessionRun CountedSession(const std::filesystem::path& folder, const std::vector<std::string>& args,
                          std::vector<std::string>& calls) {
    const std::filesystem::path base = folder / "counted";
    const pid_t pid =
        StartZuhost(folder, base, args,
                    "report=" + base.string() + ".report;count=" + base.string() + ".calls");
    SessionRun run = Finish(pid, base);
    calls = Lines(ReadFile(base.string() + ".calls"));
    return run;
}

SessionRun SweptSession(const std::filesystem::path& folder, const std::vector<std::string>& args,
                        const std::vector<long>& chosen, const RunExaminer& examine) {
    const std::filesystem::path base = folder / "session", runs = folder / "runs",
                                list = folder / "chosen.txt";
    std::filesystem::create_directories(runs);
    {
        std::ofstream out(list);
        for (long call : chosen)
            out << call << '\n';
    }
    int results[2];
    if (pipe2(results, O_CLOEXEC) != 0)
        return Finish(-1, base);
    const pid_t pid = StartZuhost(folder, base, args,
                                  "report=" + base.string() + ".report;runs=" + runs.string() +
                                      ";calls=" + list.string() + ";results=/dev/fd/3",
                                  results[1]);
    close(results[1]);
    // Each run is examined as it ends, while the session goes on to the next.
    if (std::FILE* in = fdopen(results[0], "r")) {
        char kind[8];
        char how[8];
        long call = 0;
        int code = 0;
        while (std::fscanf(in, "%7s %ld %7s %d", kind, &call, how, &code) == 4) {
            const std::filesystem::path run =
                runs / (std::string(kind) + "-" + std::to_string(call));
            SessionRun outcome = Examine(run, std::string(how) != "exit", code);
            if (std::string(how) == "none")
                outcome.errors = "the run could not be started";
            examine(kind, call, outcome);
            for (const char* suffix : {".out", ".err", ".report"})
                std::filesystem::remove(run.string() + suffix);
        }
        std::fclose(in);
    } else {
        close(results[0]);
    }
    return Finish(pid, base);
}

} // namespace simtest
