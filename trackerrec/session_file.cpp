#include "session_file.h"

#include "session_log.h"

#include <charconv>
#include <fstream>
#include <string_view>

namespace trackerrec {
namespace {

// Splits at spaces; a quoted string (with its escapes) is one field.
bool SplitFields(const std::string& line, std::vector<std::string>& fields) {
    size_t at = 0;
    while (at < line.size()) {
        if (line[at] == ' ') {
            ++at;
            continue;
        }
        size_t end = at;
        if (line[at] == '"') {
            for (++end; end < line.size() && line[end] != '"'; ++end)
                if (line[end] == '\\')
                    ++end;
            if (end >= line.size())
                return false;
            ++end;
        } else {
            while (end < line.size() && line[end] != ' ')
                ++end;
        }
        fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return true;
}

// A whole field as an unsigned number that fits 64 bits.
bool NumberOf(const std::string& field, uint64_t& value) {
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && end == field.data() + field.size();
}

bool IsNumber(const std::string& field) {
    uint64_t value = 0;
    return NumberOf(field, value);
}

// A settings line's fields after "s": the root, the quoted name and the value.
bool SettingOf(const std::vector<std::string>& fields, SessionSetting& setting) {
    std::vector<unsigned char> bytes;
    uint64_t number = 0;
    if (fields.size() != 4 || (fields[1] != "current" && fields[1] != "fallback") ||
        !UnquoteField(fields[2], setting.name) || setting.name.empty())
        return false;
    const std::string& value = fields[3];
    std::string text;
    if (!(NumberOf(value, number) && number <= 0xFFFFFFFFu) && !UnquoteField(value, text) &&
        !BytesOfField(value, bytes))
        return false;
    setting.fallback = fields[1] == "fallback";
    setting.value = value;
    return true;
}

// The next line without its end. A file that passed through a Windows editor
// or mail program may end its lines with CR LF: the CR is dropped (the
// writer escapes every CR within a string, so none ends a line otherwise).
bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

} // namespace

bool BytesOfField(const std::string& field, std::vector<unsigned char>& bytes) {
    if (field.empty() || field[0] != 'b')
        return false;
    bytes.clear();
    uint32_t bits = 0;
    int count = 0;
    size_t at = 1;
    for (; at < field.size() && field[at] != '='; ++at) {
        const char c = field[at];
        const int v = c >= 'A' && c <= 'Z'   ? c - 'A'
                      : c >= 'a' && c <= 'z' ? c - 'a' + 26
                      : c >= '0' && c <= '9' ? c - '0' + 52
                      : c == '+'             ? 62
                      : c == '/'             ? 63
                                             : -1;
        if (v < 0)
            return false;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        if ((count += 6) >= 8) {
            count -= 8;
            bytes.push_back(static_cast<unsigned char>(bits >> count));
        }
    }
    return field.find_first_not_of('=', at) == std::string::npos;
}

bool UnquoteField(const std::string& field, std::string& text) {
    if (field.size() < 2 || field.front() != '"' || field.back() != '"')
        return false;
    text.clear();
    for (size_t i = 1; i + 1 < field.size(); ++i) {
        char c = field[i];
        if (c == '\\' && i + 2 < field.size()) {
            c = field[++i];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return true;
}

bool LoadSessionFile(const std::string& path, SessionFile& file, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read";
        return false;
    }
    return ReadSessionFile(in, path, file, error);
}

bool ReadSessionFile(std::istream& in, const std::string& path, SessionFile& file,
                     std::string& error) {
    std::string line;
    uint64_t version = 0;
    // An editor that saved the file as UTF-8 may have put a byte order mark first.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool read = ReadLine(in, line);
    if (read && line.rfind(kByteOrderMark, 0) == 0)
        line.erase(0, kByteOrderMark.size());
    if (!read || line.rfind(kSessionFileMagic, 0) != 0 ||
        line.size() <= kSessionFileMagic.size() + 1 ||
        !NumberOf(line.substr(kSessionFileMagic.size() + 1), version)) {
        error = path + ": not a tracker session file";
        return false;
    }
    if (version > static_cast<uint64_t>(kSessionFormatVersion)) {
        error = path + ": written in session format " + std::to_string(version) +
                ", newer than this replay reads (" + std::to_string(kSessionFormatVersion) + ")";
        return false;
    }
    file = {};
    bool ended = false;
    for (int number = 2; ReadLine(in, line); ++number) {
        auto corrupt = [&](const std::string& why) {
            // A last line without its line end was cut off as it was written
            // (a full disk, a copy that stopped): that, not its fields, is the fault.
            if (in.eof())
                error = path + ": truncated (line " + std::to_string(number) +
                        " is cut short; the session's end is missing)";
            else
                error = path + ": line " + std::to_string(number) + ": " + why;
            return false;
        };
        if (ended)
            return corrupt("entries after the end");
        std::vector<std::string> fields;
        if (!SplitFields(line, fields) || fields.empty())
            return corrupt("not an entry");
        SessionEntry entry;
        entry.line = number;
        const std::string& head = fields.front();
        if (head == "m") {
            if (fields.size() != 3 || fields[1] != std::to_string(file.members.size() + 1))
                return corrupt("a member number out of order");
            file.members.push_back(fields[2]);
            continue;
        }
        if (head == "s") {
            SessionSetting setting;
            if (!file.entries.empty())
                return corrupt("a setting after the session began");
            if (!SettingOf(fields, setting))
                return corrupt("a setting that is not: s current|fallback \"name\" value");
            file.settings.push_back(std::move(setting));
            continue;
        }
        if (head == "end") {
            ended = true;
            entry.kind = SessionEntry::End;
        } else if (head == "c") {
            if (fields.size() < 2)
                return corrupt("a creation without its result");
            entry.kind = SessionEntry::Create;
            fields.erase(fields.begin());
        } else if (head == "e") {
            if (fields.size() < 4 || !IsNumber(fields[1]) || !IsNumber(fields[2]) ||
                !IsNumber(fields[3]))
                return corrupt("an event without its time, source or name");
            entry.kind = SessionEntry::Event;
            fields.erase(fields.begin());
        } else if (IsNumber(head)) {
            if (fields.size() < 2 || !IsNumber(fields[1]))
                return corrupt("a call without its member");
            entry.kind = SessionEntry::Call;
        } else {
            return corrupt("unknown entry '" + head + "'");
        }
        if (entry.kind == SessionEntry::Call || entry.kind == SessionEntry::Event) {
            const std::string& member = fields[entry.kind == SessionEntry::Call ? 1 : 2];
            uint64_t n = 0;
            if (!NumberOf(member, n) || n == 0 || n > file.members.size())
                return corrupt("member " + member + " is not declared");
        }
        entry.fields = std::move(fields);
        file.entries.push_back(std::move(entry));
    }
    if (!ended) {
        error = path + ": truncated (the session's end is missing)";
        return false;
    }
    return true;
}

} // namespace trackerrec
