#include "session_log.h"

#include "exclusive_file.h"

#include "../platform/base/text.h"
#include "../platform/ui/clock.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace trackerrec {
namespace {

std::unordered_map<std::string, uint32_t>& MemberNumbers() {
    static std::unordered_map<std::string, uint32_t> numbers;
    return numbers;
}

} // namespace

SessionLog SessionLog::s_log;

SessionLog::~SessionLog() {
    // The library is being unloaded or the process ends.
    m_writer.WriteInline();
    Close();
}

void SessionLog::Open(const std::string& path) {
    Close();
    m_start = platform::CurrentClock().NowMs();
    m_connected = false;
    MemberNumbers().clear();
    m_memberCount = 0;
    ++m_recording;
    m_tokens.Clear();
    m_blockWrittenAt = 0;
    std::string why;
    std::FILE* file = OpenExclusiveFile(path, why);
    m_openFailed = !file;
    if (!file) {
        std::fprintf(stderr,
                     "tracker recorder: cannot write %s (%s); the session is not recorded\n",
                     path.c_str(), why.c_str());
        return;
    }
    std::setvbuf(file, nullptr, _IONBF, 0); // the lines are gathered in blocks here
    m_writer.Begin(file, path);
    m_open = true;
    std::string header(kSessionFileMagic);
    header += ' ';
    header += std::to_string(kSessionFormatVersion);
    Write(header);
}

void SessionLog::HandOff(bool writeOut, bool wait) {
    m_writer.HandOff(m_tokens.Lines(), writeOut, wait);
    m_tokens.DropLines();
}

void SessionLog::Flush() {
    if (!m_open)
        return;
    HandOff(true, true);
    m_writer.Stop();
}

void SessionLog::Drain() {
    if (m_open)
        HandOff(false, true);
}

void SessionLog::BeforeEvent(uint64_t sinceConnect) {
    if (sinceConnect - m_blockWrittenAt >= kFlushAfterMs) {
        m_blockWrittenAt = sinceConnect;
        HandOff(true, true);
    }
}

void SessionLog::Close() {
    if (!m_open)
        return;
    Write("end"); // a file without it was cut short
    Flush();
    m_open = false;
    m_tokens.Clear();
    m_writer.CloseFile();
}

uint32_t SessionLog::Member(std::string_view name) {
    auto& numbers = MemberNumbers();
    std::string key(name);
    if (auto found = numbers.find(key); found != numbers.end())
        return found->second;
    const uint32_t number = ++m_memberCount;
    numbers.emplace(std::move(key), number);
    // Before the line of the call, which may be under way.
    if (Active()) {
        std::string line = "m";
        PutLong(line, number);
        line += ' ';
        line += name;
        m_tokens.InsertLineBefore(line);
    }
    return number;
}

uint64_t SessionLog::SinceConnect() const {
    return platform::CurrentClock().NowMs() - m_start;
}

void SessionLog::MarkConnect() {
    if (!m_connected) {
        m_connected = true;
        m_start = platform::CurrentClock().NowMs();
        m_blockWrittenAt = 0;
    }
}

void TextBuffer::Grow(size_t size) {
    m_text.resize(2 * size);
}

namespace fields {

std::string QuotedUtf8(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n')
            quoted += "\\n";
        else if (c == '\r')
            quoted += "\\r";
        else
            quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string QuotedString(const OLECHAR* text, size_t length) {
    if (!text)
        return "~";
    return QuotedUtf8(platform::Utf8FromWide(platform::WideView(text, length)));
}

} // namespace fields

} // namespace trackerrec
