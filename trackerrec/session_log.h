// The session file the recorder writes: one line per entry, a format version
// in the first line. Lines are gathered in memory and written in blocks: when
// the block is full, when an event comes a second or more after the last
// block went out, when everything the module held is released, and at the
// end. Writing never fails a call: the first failure to write (an unwritable
// file, a full disk) ends the recording with a message on standard error, and
// the session goes on unrecorded.
#pragma once

#include "fields.h"

#include "../platform/com/com.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace trackerrec {

// A member's number for one call site: found once per recording, then kept.
struct MemberSlot {
    const char* name;
    uint32_t number = 0;
    uint32_t recording = 0; // the recording the number belongs to
};

inline constexpr int kSessionFormatVersion = 2; // 2: the module's settings ("s" lines)
inline constexpr std::string_view kSessionFileMagic = "QNZU-TRACKER-SESSION";

class SessionLog {
public:
    static SessionLog& Get() { return s_log; } // asked at every call: no guard

    // Opens the file and writes the version line; on failure says why and stays off.
    void Open(const std::string& path);
    bool Active() const { return m_file != nullptr; }
    // A line to fill and hand to Write: one buffer, emptied each time.
    TextBuffer& Line() {
        m_line.clear();
        return m_line;
    }
    // Appends one finished line (without its newline).
    void Write(std::string_view line) {
        if (!m_file)
            return;
        m_block += line;
        m_block += '\n';
        if (m_block.size() >= kBlockSize)
            WriteBlock();
    }
    // Writes the lines gathered so far to the file.
    void Flush();
    // Before an event's line: the block goes out when the last one went out a
    // second or more before `sinceConnect`.
    void BeforeEvent(uint64_t sinceConnect);
    void Close();

    // The number of a member ("ScalarValue.get_Value", "QI.RmsMeasurement"),
    // declared with an "m" line the first time it is used.
    uint32_t Member(std::string_view name);
    // The same for a call site's member, looked up once per recording.
    uint32_t Member(MemberSlot& slot) {
        if (slot.recording != m_recording) {
            slot.number = Member(std::string_view(slot.name));
            slot.recording = m_recording;
        }
        return slot.number;
    }

    // Milliseconds since connect (since the recording began until the first connect).
    uint64_t SinceConnect() const;
    void MarkConnect();

private:
    static constexpr size_t kBlockSize = 1 << 16;
    static constexpr uint64_t kFlushAfterMs = 1000;

    static SessionLog s_log;

    SessionLog() = default;
    ~SessionLog();
    void WriteBlock();
    void End(const char* why);

    std::FILE* m_file = nullptr;
    std::string m_path;
    TextBuffer m_block; // lines not yet written
    TextBuffer m_line;
    uint64_t m_blockWrittenAt = 0;
    uint32_t m_recording = 0;
    uint32_t m_memberCount = 0;
    uint64_t m_start = 0;
    bool m_connected = false;
};

} // namespace trackerrec
