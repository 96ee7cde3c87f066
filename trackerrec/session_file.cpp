#include "session_file.h"

#include "session_log.h"

#include "../platform/base/file_names.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace trackerrec {
namespace {

// Splits at spaces; a quoted string (with its escapes) is one field.
bool SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
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

bool IsNumber(std::string_view field) {
    uint64_t value = 0;
    return IntegerOfField(field, value);
}

// A settings line's fields after "s": the root, the quoted name and the value.
bool SettingOf(const std::vector<std::string_view>& fields, SessionSetting& setting) {
    std::vector<unsigned char> bytes;
    uint64_t number = 0;
    if (fields.size() != 4 || (fields[1] != "current" && fields[1] != "fallback") ||
        !UnquoteField(fields[2], setting.name) || setting.name.empty())
        return false;
    const std::string_view value = fields[3];
    std::string text;
    if (!(IntegerOfField(value, number) && number <= 0xFFFFFFFFu) && !UnquoteField(value, text) &&
        !BytesOfField(value, bytes))
        return false;
    setting.fallback = fields[1] == "fallback";
    setting.value = std::string(value);
    return true;
}

// A line without its end. A file that passed through a Windows editor or
// mail program may end its lines with CR LF: the CR is dropped (the writer
// escapes every CR within a string, so none ends a line otherwise).
std::string_view WithoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

bool BytesOfField(std::string_view field, std::vector<unsigned char>& bytes) {
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

bool UnquoteField(std::string_view field, std::string& text) {
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
    const std::filesystem::path name = platform::PathFromUtf8(path);
    std::ifstream in(name, std::ios::binary);
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::status(name, ignored);
    if (!in || std::filesystem::is_directory(status)) {
        error = path + (status.type() == std::filesystem::file_type::not_found ? ": no such file"
                        : std::filesystem::is_directory(status)                ? ": is a folder"
                                                                : ": cannot be read");
        return false;
    }
    return ReadSessionFile(in, path, file, error);
}

std::vector<std::string_view> SessionEntry::Fields() const {
    std::vector<std::string_view> fields;
    SplitFields(Text(), fields);
    return fields;
}

uint64_t SessionFile::LineOf(const SessionEntry& entry) const {
    if (!text || entry.at < text->data() || entry.at > text->data() + text->size())
        return 0;
    return 2 + static_cast<uint64_t>(std::count(text->data(), entry.at, '\n'));
}

bool ReadSessionFile(std::istream& in, const std::string& path, SessionFile& file,
                     std::string& error) {
    std::string firstLine;
    uint64_t version = 0;
    const bool read = static_cast<bool>(std::getline(in, firstLine));
    std::string_view line = WithoutCarriageReturn(firstLine);
    // An editor that saved the file as UTF-8 may have put a byte order mark first.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (line.starts_with(kByteOrderMark))
        line.remove_prefix(kByteOrderMark.size());
    if (!read || !line.starts_with(kSessionFileMagic) ||
        line.size() <= kSessionFileMagic.size() + 1 ||
        !IntegerOfField(line.substr(kSessionFileMagic.size() + 1), version)) {
        error = path + ": not a tracker session file";
        return false;
    }
    if (version > static_cast<uint64_t>(kSessionFormatVersion)) {
        error = path + ": written in session format " + std::to_string(version) +
                ", newer than this replay reads (" + std::to_string(kSessionFormatVersion) + ")";
        return false;
    }
    file = {};
    // The rest is kept whole; the entries view their lines in it.
    auto text = std::make_shared<std::string>();
    const std::istream::pos_type here = in.tellg();
    if (here != std::istream::pos_type(-1) && in.seekg(0, std::ios::end)) {
        const std::istream::pos_type end = in.tellg();
        in.seekg(here);
        if (end != std::istream::pos_type(-1) && end > here)
            text->reserve(static_cast<size_t>(end - here));
    }
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0)
        text->append(block, static_cast<size_t>(in.gcount()));
    file.text = text;
    const std::string_view rest = *text;
    file.entries.reserve(static_cast<size_t>(std::count(rest.begin(), rest.end(), '\n')));
    bool ended = false;
    std::vector<std::string_view> fields;
    size_t at = 0;
    for (uint64_t number = 2; at < rest.size(); ++number) {
        const size_t lineEnd = rest.find('\n', at);
        const bool cutShort = lineEnd == std::string_view::npos;
        std::string_view entryText =
            WithoutCarriageReturn(rest.substr(at, cutShort ? rest.npos : lineEnd - at));
        at = cutShort ? rest.size() : lineEnd + 1;
        auto corrupt = [&](const std::string& why) {
            // A last line without its line end was cut off as it was written
            // (a full disk, a copy that stopped): that, not its fields, is the fault.
            if (cutShort)
                error = path + ": truncated (line " + std::to_string(number) +
                        " is cut short; the session's end is missing)";
            else
                error = path + ": line " + std::to_string(number) + ": " + why;
            return false;
        };
        if (ended)
            return corrupt("entries after the end");
        if (entryText.size() > UINT32_MAX)
            return corrupt("a line of 4 GiB or more");
        fields.clear();
        if (!SplitFields(entryText, fields) || fields.empty())
            return corrupt("not an entry");
        SessionEntry entry;
        const std::string_view head = fields.front();
        if (head == "m") {
            if (fields.size() != 3 || fields[1] != std::to_string(file.members.size() + 1))
                return corrupt("a member number out of order");
            file.members.emplace_back(fields[2]);
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
        size_t first = 0; // the entry's first field: a call's target, else after the letter
        if (head == "end") {
            ended = true;
            entry.kind = SessionEntry::End;
        } else if (head == "c") {
            if (fields.size() < 2)
                return corrupt("a creation without its result");
            entry.kind = SessionEntry::Create;
            first = 1;
        } else if (head == "e") {
            if (fields.size() < 4 || !IsNumber(fields[1]) || !IsNumber(fields[2]) ||
                !IsNumber(fields[3]))
                return corrupt("an event without its time, source or name");
            entry.kind = SessionEntry::Event;
            first = 1;
        } else if (IsNumber(head)) {
            if (fields.size() < 2 || !IsNumber(fields[1]))
                return corrupt("a call without its member");
            entry.kind = SessionEntry::Call;
        } else {
            return corrupt("unknown entry '" + std::string(head) + "'");
        }
        if (entry.kind == SessionEntry::Call || entry.kind == SessionEntry::Event) {
            const std::string_view member = fields[entry.kind == SessionEntry::Call ? 1 : 3];
            uint64_t n = 0;
            if (!IntegerOfField(member, n) || n == 0 || n > file.members.size())
                return corrupt("member " + std::string(member) + " is not declared");
        }
        entryText.remove_prefix(static_cast<size_t>(fields[first].data() - entryText.data()));
        entry.at = entryText.data();
        entry.length = static_cast<uint32_t>(entryText.size());
        file.entries.push_back(entry);
    }
    if (!ended) {
        error = path + ": truncated (the session's end is missing: its recording was not "
                       "closed, as when the program that recorded it ended without closing the "
                       "device, or the file was copied before it had ended)";
        return false;
    }
    return true;
}

} // namespace trackerrec
