// The trace file: one writer for both targets, standard library only.
#include "trace.h"

#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <system_error>

namespace qntrace {

namespace {

std::atomic<bool> g_on{false};

struct Writer {
    ~Writer() { g_on.store(false, std::memory_order_relaxed); }
    std::mutex lock;
    std::ofstream out;
    std::filesystem::path file;
    std::uintmax_t limit = kDefaultSizeLimit;
    std::uintmax_t size = 0;
};

Writer& TheWriter() {
    static Writer writer;
    return writer;
}

// "YYYY-MM-DD hh:mm:ss.mmm " in UTC, from the civil calendar of the day count.
void AppendTimeStamp(std::string& line) {
    using namespace std::chrono;
    const auto now = time_point_cast<milliseconds>(system_clock::now()).time_since_epoch();
    const long long ms = now.count();
    long long days = ms / 86400000;
    long long rest = ms % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    // Howard Hinnant's days-to-civil algorithm.
    const long long z = days + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2);
    char text[96]; // room for any value of each field, as the compiler reckons it
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld.%03lld ", y, m, d,
                  rest / 3600000, rest / 60000 % 60, rest / 1000 % 60, rest % 1000);
    line += text;
}

bool OpenAppending(Writer& w) {
    w.out.open(w.file, std::ios::binary | std::ios::app);
    if (!w.out.is_open())
        return false;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(w.file, error);
    w.size = error ? 0 : size;
    return true;
}

// The full file becomes "<file>.1"; a new file begins. When the old one cannot
// be moved (another process holds it), the file starts again empty; when even
// that fails the line is lost and the trace stops writing.
bool Rotate(Writer& w) {
    w.out.close();
    std::filesystem::path old = w.file;
    old += ".1";
    std::error_code error;
    std::filesystem::remove(old, error);
    std::filesystem::rename(w.file, old, error);
    w.out.open(w.file, std::ios::binary | std::ios::trunc);
    w.size = 0;
    return w.out.is_open();
}

void WriteLocked(Writer& w, std::string_view text) {
    std::string line;
    line.reserve(text.size() + 32);
    AppendTimeStamp(line);
    line += text;
    line += '\n';
    if (w.size + line.size() > w.limit && w.size > 0 && !Rotate(w)) {
        g_on.store(false, std::memory_order_relaxed);
        return;
    }
    w.out.write(line.data(), static_cast<std::streamsize>(line.size()));
    w.out.flush(); // each line reaches the file at once: a crash keeps what led to it
    if (w.out.good())
        w.size += line.size();
    else
        w.out.clear(); // a full disk loses this line, not the next
}

} // namespace

std::filesystem::path DefaultFile() {
    const std::filesystem::path folder = DefaultFolder();
    return folder.empty() ? folder : folder / "QNZUDeviceQWand-trace.txt";
}

bool Start(const std::filesystem::path& file, std::uintmax_t sizeLimit) {
    Writer& w = TheWriter();
    std::lock_guard<std::mutex> hold(w.lock);
    if (g_on.load(std::memory_order_relaxed))
        return true;
    if (file.empty())
        return false;
    try {
        std::error_code error;
        if (file.has_parent_path())
            std::filesystem::create_directories(file.parent_path(), error);
        w.file = file;
        w.limit = sizeLimit < 256 ? 256 : sizeLimit;
        if (!OpenAppending(w))
            return false;
        g_on.store(true, std::memory_order_relaxed);
        WriteLocked(w, "trace started");
        return g_on.load(std::memory_order_relaxed);
    } catch (...) {
        w.out.close();
        return false;
    }
}

void Stop() {
    Writer& w = TheWriter();
    std::lock_guard<std::mutex> hold(w.lock);
    if (!g_on.load(std::memory_order_relaxed))
        return;
    try {
        WriteLocked(w, "trace stopped");
    } catch (...) {
    }
    g_on.store(false, std::memory_order_relaxed);
    w.out.close();
}

bool On() noexcept {
    return g_on.load(std::memory_order_relaxed);
}

std::filesystem::path File() {
    Writer& w = TheWriter();
    std::lock_guard<std::mutex> hold(w.lock);
    return g_on.load(std::memory_order_relaxed) ? w.file : std::filesystem::path();
}

void Write(std::string_view text) noexcept {
    if (!On())
        return;
    try {
        Writer& w = TheWriter();
        std::lock_guard<std::mutex> hold(w.lock);
        if (g_on.load(std::memory_order_relaxed))
            WriteLocked(w, text);
    } catch (...) {
        // The trace is lost, nothing else.
    }
}

void Printf(const char* format, ...) noexcept {
    if (!On())
        return;
    char text[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0)
        return;
    Write(std::string_view(text, static_cast<size_t>(n) < sizeof text ? n : sizeof text - 1));
}

} // namespace qntrace
