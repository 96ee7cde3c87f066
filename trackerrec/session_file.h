// Reading a session file for replay: every line checked at load, so a
// truncated, corrupt or newer file is refused before anything plays.
#pragma once

#include <charconv>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace trackerrec {

// An entry keeps only where its text lies in the file's: a session of an
// hour holds tens of millions of them.
struct SessionEntry {
    const char* at = nullptr; // its text: after its letter; a call's whole line
    uint32_t length = 0;
    enum Kind : uint8_t { Create, Call, Event, End } kind = End;
    std::string_view Text() const { return {at, length}; }
    // Call: target, member, arguments..., result; Event: ms, source, member,
    // arguments...; Create: result. A failure is "!hex" followed by its text.
    std::vector<std::string_view> Fields() const;
};

// One of the module's settings as it was when the recording began: a value
// of the device's key under the current or the older product root.
struct SessionSetting {
    bool fallback = false;
    std::string name;  // UTF-8
    std::string value; // the field: a number (DWORD), "text" (string) or bBASE64 (bytes)
};

struct SessionFile {
    std::shared_ptr<const std::string> text; // the file after its first line
    std::vector<SessionEntry> entries;
    std::vector<std::string> members; // member number - 1 -> name
    std::vector<SessionSetting> settings;
    // The entry's line number in the file (counted when asked: for messages).
    uint64_t LineOf(const SessionEntry& entry) const;
};

// Reads and checks the file; false with a message naming the file and line.
bool LoadSessionFile(const std::string& path, SessionFile& file, std::string& error);
// The same from a stream; path only names it in the message.
bool ReadSessionFile(std::istream& in, const std::string& path, SessionFile& file,
                     std::string& error);

// A whole field as an integer of type T; false when it is not one or does not fit.
template <class T> bool IntegerOfField(std::string_view field, T& value, int base = 10) {
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value, base);
    return ec == std::errc() && end == field.data() + field.size();
}
// A quoted field's text (UTF-8, escapes resolved); false when it is not one.
bool UnquoteField(std::string_view field, std::string& text);
// A bytes field ("b" and Base64) as its bytes; false when it is not one.
bool BytesOfField(std::string_view field, std::vector<unsigned char>& bytes);

} // namespace trackerrec
