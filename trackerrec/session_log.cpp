#include "session_log.h"

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

struct RecentDoubles {
    static constexpr unsigned kSize = 16; // a power of two
    uint64_t bits[kSize] = {};
    unsigned next = 0;
    unsigned count = 0;
};

RecentDoubles g_recent;

RecentDoubles& Recent() {
    return g_recent;
}

} // namespace

SessionLog SessionLog::s_log;

SessionLog::~SessionLog() {
    Close();
}

void SessionLog::Open(const std::string& path) {
    Close();
    m_path = path;
    m_start = platform::CurrentClock().NowMs();
    m_connected = false;
    MemberNumbers().clear();
    Recent() = RecentDoubles();
    m_memberCount = 0;
    ++m_recording;
    m_block.clear();
    m_block.reserve(kBlockSize + 4096);
    m_blockWrittenAt = 0;
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) {
        std::fprintf(stderr,
                     "tracker recorder: cannot write %s (%s); the session is not recorded\n",
                     path.c_str(), std::strerror(errno));
        return;
    }
    std::setvbuf(m_file, nullptr, _IONBF, 0); // the lines are gathered in blocks here
    std::string header(kSessionFileMagic);
    header += ' ';
    header += std::to_string(kSessionFormatVersion);
    Write(header);
}

void SessionLog::WriteBlock() {
    if (!m_file || m_block.empty())
        return;
    const bool written = std::fwrite(m_block.data(), 1, m_block.size(), m_file) == m_block.size();
    m_block.clear();
    if (!written)
        End(std::strerror(errno));
}

void SessionLog::Flush() {
    WriteBlock();
    if (m_file && std::fflush(m_file) != 0)
        End(std::strerror(errno));
}

void SessionLog::BeforeEvent(uint64_t sinceConnect) {
    if (sinceConnect - m_blockWrittenAt >= kFlushAfterMs) {
        m_blockWrittenAt = sinceConnect;
        WriteBlock();
    }
}

void SessionLog::Close() {
    if (!m_file)
        return;
    Write("end"); // a file without it was cut short
    Flush();
    if (m_file && std::fclose(std::exchange(m_file, nullptr)) != 0)
        std::fprintf(stderr, "tracker recorder: recording ended: cannot write %s (%s)\n",
                     m_path.c_str(), std::strerror(errno));
}

void SessionLog::End(const char* why) {
    std::fprintf(stderr,
                 "tracker recorder: recording ended: cannot write %s (%s); the session goes on "
                 "unrecorded\n",
                 m_path.c_str(), why);
    m_block.clear();
    std::fclose(std::exchange(m_file, nullptr));
}

uint32_t SessionLog::Member(std::string_view name) {
    auto& numbers = MemberNumbers();
    std::string key(name);
    if (auto found = numbers.find(key); found != numbers.end())
        return found->second;
    const uint32_t number = ++m_memberCount;
    numbers.emplace(std::move(key), number);
    // Written straight into the block: the line of the call may be under way.
    if (m_file) {
        m_block += 'm';
        PutLong(m_block, number);
        m_block += ' ';
        m_block += name;
        m_block += '\n';
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

int RecentDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    RecentDoubles& recent = Recent();
    int back = 0;
    for (unsigned k = 1; k <= recent.count; ++k)
        if (recent.bits[(recent.next - k) & (RecentDoubles::kSize - 1)] == bits) {
            back = static_cast<int>(k);
            break;
        }
    recent.bits[recent.next] = bits;
    recent.next = (recent.next + 1) & (RecentDoubles::kSize - 1);
    if (recent.count < RecentDoubles::kSize)
        ++recent.count;
    return back;
}

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
