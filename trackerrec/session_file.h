// Reading a session file for replay: every line checked at load, so a
// truncated, corrupt or newer file is refused before anything plays.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace trackerrec {

struct SessionEntry {
    enum Kind { Create, Call, Event, End } kind;
    int line = 0;
    // Call: target, member, arguments..., result; Event: ms, source, member,
    // arguments...; Create: result. A failure is "!hex" followed by its text.
    std::vector<std::string> fields;
};

// One of the module's settings as it was when the recording began: a value
// of the device's key under the current or the older product root.
struct SessionSetting {
    bool fallback = false;
    std::string name;  // UTF-8
    std::string value; // the field: a number (DWORD), "text" (string) or bBASE64 (bytes)
};

struct SessionFile {
    std::vector<SessionEntry> entries;
    std::vector<std::string> members; // member number - 1 -> name
    std::vector<SessionSetting> settings;
};

// Reads and checks the file; false with a message naming the file and line.
bool LoadSessionFile(const std::string& path, SessionFile& file, std::string& error);
// The same from a stream; path only names it in the message.
bool ReadSessionFile(std::istream& in, const std::string& path, SessionFile& file,
                     std::string& error);

// A quoted field's text (UTF-8, escapes resolved); false when it is not one.
bool UnquoteField(const std::string& field, std::string& text);
// A bytes field ("b" and Base64) as its bytes; false when it is not one.
bool BytesOfField(const std::string& field, std::vector<unsigned char>& bytes);

} // namespace trackerrec
