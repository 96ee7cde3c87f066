// The session file the recorder writes: one line per entry, a format version
// in the first line. A call puts its line down as tokens; the session
// writer's thread turns them into text and writes them in blocks: when the
// block is full, when an event comes a second or more after the last block
// went out, when everything the module held is released, and at the end.
// Writing never fails a call: the first failure to write (an unwritable
// file, a full disk) ends the recording with a message on standard error, and
// the session goes on unrecorded.
#pragma once

#include "line_tokens.h"
#include "recording_standing.h"
#include "session_writer.h"

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
    bool Active() const { return m_open && !m_writer.Failed(); }
    // The line to fill and hand to Write.
    LineTokens& Line() {
        m_tokens.StartLine();
        return m_tokens;
    }
    // Ends the line under way.
    void Write(LineTokens& line) {
        line.EndLine();
        HandOffWhenFull();
    }
    // A line of fixed-size tokens (see LineTokens::StartFixedLine).
    char* StartFixedLine(size_t size) { return m_tokens.StartFixedLine(size); }
    void EndFixedLine(char* end) {
        m_tokens.EndFixedLine(end);
        HandOffWhenFull();
    }
    // Appends one finished line of text (without its newline).
    void Write(std::string_view line) {
        if (!Active())
            return;
        m_tokens.InsertLineBefore(line); // before a line under way, if any
        HandOffWhenFull();
    }
    // Writes the lines gathered so far to the file and lets the writer's thread end.
    void Flush();
    // Hands the lines gathered so far to the writer and waits until they are
    // text, written out only when the block is full.
    void Drain();
    // Before an event's line: the block goes out when the last one went out a
    // second or more before `sinceConnect`.
    void BeforeEvent(uint64_t sinceConnect);
    void Close();
    // Whether the session file was opened and everything handed to the
    // writer so far reached it.
    RecordingStanding Standing() const {
        if (m_openFailed)
            return RecordingStanding::NotOpened;
        if (!m_open)
            return RecordingStanding::NotRecording;
        return m_writer.Failed() ? RecordingStanding::Ended : RecordingStanding::Recording;
    }

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
    static constexpr size_t kHandOffSize = 1 << 18; // tokens gathered before the writer takes them
    static constexpr uint64_t kFlushAfterMs = 1000;

    static SessionLog s_log;

    SessionLog() = default;
    ~SessionLog();
    void HandOff(bool writeOut, bool wait);
    void HandOffWhenFull() {
        if (m_tokens.Lines().size() >= kHandOffSize)
            HandOff(false, false);
    }

    SessionWriter m_writer;
    // What the recorded calls touch starts a cache line of its own: the
    // writer's thread writes next to it for every line it turns into text.
    alignas(64) LineTokens m_tokens; // lines not yet handed to the writer
    bool m_open = false;
    uint64_t m_blockWrittenAt = 0;
    uint32_t m_recording = 0;
    uint32_t m_memberCount = 0;
    uint64_t m_start = 0;
    bool m_connected = false;
    bool m_openFailed = false; // the last Open could not open its file
};

} // namespace trackerrec
