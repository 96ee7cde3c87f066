#include "session_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace simtest {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

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

} // namespace

SessionRun SessionRun::Start(const std::filesystem::path& folder,
                             const std::vector<std::string>& args, const std::string& mode,
                             long call) {
    SessionRun run;
    const std::filesystem::path hive = folder / "run.reg", out = folder / "records.jsonl",
                                err = folder / "errors.txt", count = folder / "calls.txt",
                                report = folder / "report.txt";
    std::filesystem::remove(hive);
    std::filesystem::remove(report);
    std::string sweep = "report=" + report.string();
    if (mode == "count")
        sweep += ";count=" + count.string();
    else
        sweep += ";" + mode + "=" + std::to_string(call);

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

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        run.crashed = true;
        run.errors = "zuhost could not be started";
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.errors = ReadFile(err);
    if (WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    // Any other status than a session's (0; 3 and 4 for Open and Close
    // failing; 6 for a tour that missed a window) is a sanitizer's report, an
    // abort or a broken set-up.
    run.crashed = !WIFEXITED(status) ||
                  (run.status != 0 && run.status != 3 && run.status != 4 && run.status != 6);

    for (const std::string& line : Lines(ReadFile(report))) {
        std::sscanf(line.c_str(), "calls %ld", &run.calls);
        std::sscanf(line.c_str(), "live %d", &run.live);
    }
    if (mode == "count")
        run.countLines = Lines(ReadFile(count));
    long seq = 0;
    for (const std::string& record : Lines(ReadFile(out)))
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
    if (mode == "fail")
        run.faultDescription = "Simulated failure of call " + std::to_string(call) + " (";
    return run;
}

bool SessionRun::ShowedBox(const std::string& text) const {
    for (const std::string& line : Lines(errors))
        if (line.find("message box \"") != std::string::npos &&
            line.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace simtest
