// The session file the recorder writes: one line per entry, a format version
// in the first line. Writing never fails a call: the first failure to write
// (an unwritable file, a full disk) ends the recording with a message on
// standard error, and the session goes on unrecorded.
#pragma once

#include "../platform/com/com.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace trackerrec {

inline constexpr int kSessionFormatVersion = 2; // 2: the module's settings ("s" lines)
inline constexpr std::string_view kSessionFileMagic = "QNZU-TRACKER-SESSION";

class SessionLog {
public:
    static SessionLog& Get();

    // Opens the file and writes the version line; on failure says why and stays off.
    void Open(const std::string& path);
    bool Active() const { return m_file != nullptr; }
    // Appends one finished line (without its newline).
    void Write(std::string_view line);
    void Flush();
    void Close();

    // The number of a member ("ScalarValue.get_Value", "QI.RmsMeasurement"),
    // declared with an "m" line the first time it is used.
    uint32_t Member(std::string_view name);
    // The same for a name that stays at one address: found by the address.
    uint32_t Member(const void* key, std::string_view name);

    // Milliseconds since connect (since the recording began until the first connect).
    uint64_t SinceConnect() const;
    void MarkConnect();

private:
    SessionLog() = default;
    ~SessionLog();
    void End(const char* why);

    std::FILE* m_file = nullptr;
    std::string m_path;
    uint32_t m_memberCount = 0;
    uint64_t m_start = 0;
    bool m_connected = false;
};

// Field encoders: each appends a space and the field.
void PutLong(std::string& line, long long value);
void PutDouble(std::string& line, double value);
void PutBool(std::string& line, VARIANT_BOOL value);
void PutString(std::string& line, const OLECHAR* text, size_t length);
void PutBytes(std::string& line, const unsigned char* data, size_t size);
// An object: "@" when the line made it, else its distance back from the newest
// object made before the line ("#0" is that newest one).
void PutObject(std::string& line, uint32_t id, bool created, uint32_t base);
// The object a line is about, as its distance back from `base`.
void PutTarget(std::string& line, uint32_t id, uint32_t base);
void PutFailure(std::string& line, HRESULT hr, const std::string& description);

} // namespace trackerrec
