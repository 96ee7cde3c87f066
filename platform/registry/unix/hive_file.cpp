// Parsing and writing of registry export files.
#include "hive_file.h"

#include "platform/registry/registry.h"

#include <algorithm>
#include <optional>

namespace qn::reg {

namespace {

constexpr WStringView kHeader = u"Windows Registry Editor Version 5.00";
constexpr WStringView kHeaderV4 = u"REGEDIT4";
constexpr WStringView kCrLf = u"\r\n";

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t';
}

WStringView Trim(WStringView s) {
    while (!s.empty() && IsSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool StartsWithNoCase(WStringView s, WStringView prefix) {
    return s.size() >= prefix.size() && NamesEqual(s.substr(0, prefix.size()), prefix);
}

std::vector<WStringView> SplitLines(WStringView text) {
    std::vector<WStringView> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// Parses 1 to 8 hex digits making up all of `s`.
std::optional<DWORD> ParseHex32(WStringView s) {
    if (s.empty() || s.size() > 8) {
        return std::nullopt;
    }
    DWORD value = 0;
    for (char16_t c : s) {
        int digit = HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | DWORD(digit);
    }
    return value;
}

// Reads a quoted string starting at s[0] == '"'; returns the text and sets
// `end` to the index after the closing quote.
std::optional<WString> ParseQuoted(WStringView s, size_t* end) {
    WString out;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] == u'\\') {
            if (++i == s.size()) {
                return std::nullopt;
            }
            out.push_back(s[i]);
        } else if (s[i] == u'"') {
            *end = i + 1;
            return out;
        } else {
            out.push_back(s[i]);
        }
    }
    return std::nullopt;
}

// Comma-separated bytes ("01,ff, 2a,"); a trailing comma is allowed.
std::optional<std::vector<BYTE>> ParseHexBytes(WStringView s) {
    std::vector<BYTE> bytes;
    s = Trim(s);
    while (!s.empty()) {
        size_t comma = s.find(u',');
        WStringView token = Trim(s.substr(0, comma));
        if (token.size() > 2) {
            return std::nullopt;
        }
        auto value = ParseHex32(token);
        if (!value) {
            return std::nullopt;
        }
        bytes.push_back(BYTE(*value));
        if (comma == WStringView::npos) {
            break;
        }
        s = Trim(s.substr(comma + 1));
    }
    return bytes;
}

std::optional<Value> ParseData(WString name, WStringView data) {
    Value value;
    value.name = std::move(name);
    if (!data.empty() && data.front() == u'"') {
        size_t end = 0;
        auto text = ParseQuoted(data, &end);
        if (!text || !Trim(data.substr(end)).empty()) {
            return std::nullopt;
        }
        value.type = REG_SZ;
        for (char16_t c : *text) {
            value.data.push_back(BYTE(c & 0xFF));
            value.data.push_back(BYTE(c >> 8));
        }
        value.data.push_back(0);
        value.data.push_back(0);
        return value;
    }
    if (StartsWithNoCase(data, u"dword:")) {
        auto number = ParseHex32(Trim(data.substr(6)));
        if (!number) {
            return std::nullopt;
        }
        value.type = REG_DWORD;
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(BYTE(*number >> shift));
        }
        return value;
    }
    if (StartsWithNoCase(data, u"hex:")) {
        value.type = REG_BINARY;
        data.remove_prefix(4);
    } else if (StartsWithNoCase(data, u"hex(")) {
        size_t close = data.find(u"):");
        if (close == WStringView::npos) {
            return std::nullopt;
        }
        auto type = ParseHex32(data.substr(4, close - 4));
        if (!type) {
            return std::nullopt;
        }
        value.type = *type;
        data.remove_prefix(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = ParseHexBytes(data);
    if (!bytes) {
        return std::nullopt;
    }
    value.data = std::move(*bytes);
    return value;
}

class Parser {
public:
    explicit Parser(WStringView text) : lines_(SplitLines(text)) {}

    Hive Run() {
        size_t i = 0;
        while (i < lines_.size() && Trim(lines_[i]).empty()) {
            ++i;
        }
        if (i < lines_.size()) {
            WStringView first = Trim(lines_[i]);
            if (NamesEqual(first, kHeader) || NamesEqual(first, kHeaderV4)) {
                ++i;
            }
        }
        while (i < lines_.size()) {
            i = Line(i);
        }
        return std::move(hive_);
    }

private:
    // Handles the logical line starting at `i`; returns the next line's index.
    size_t Line(size_t i) {
        WStringView line = Trim(lines_[i]);
        if (line.empty()) {
            return i + 1;
        }
        if (line.front() == u'[' && line.back() == u']') {
            Section(line);
            return i + 1;
        }
        if (key_) {
            return ValueLine(i);
        }
        if (opaque_) {
            opaque_->lines.emplace_back(lines_[i]);
        } else {
            hive_.preamble.emplace_back(lines_[i]);
        }
        return i + 1;
    }

    void Section(WStringView line) {
        key_ = nullptr;
        opaque_ = nullptr;
        WStringView path = line.substr(1, line.size() - 2);
        std::vector<WString> parts;
        if (!path.empty() && path.front() != u'-' && SplitPath(path, &parts) && !parts.empty()) {
            key_ = &hive_.Root(parts.front());
            for (size_t p = 1; p < parts.size(); ++p) {
                key_ = key_->FindOrAddChild(parts[p]);
            }
            return;
        }
        hive_.opaque.push_back({WString(line), {}});
        opaque_ = &hive_.opaque.back();
    }

    size_t ValueLine(size_t i) {
        size_t next = i + 1;
        WStringView line = Trim(lines_[i]);
        std::optional<Value> value;
        std::optional<WString> name;
        size_t pos = 0;
        if (line.front() == u'@') {
            name = WString();
            pos = 1;
        } else if (line.front() == u'"') {
            name = ParseQuoted(line, &pos);
        }
        if (name) {
            WStringView rest = Trim(line.substr(pos));
            if (!rest.empty() && rest.front() == u'=') {
                WString data(Trim(rest.substr(1)));
                if (StartsWithNoCase(data, u"hex")) {
                    // Long binary data continues on following lines after a
                    // trailing backslash; a truncated file may end mid-way.
                    while (!data.empty() && data.back() == u'\\' && next < lines_.size()) {
                        WStringView more = Trim(lines_[next]);
                        if (more.empty() || more.front() == u'[') {
                            break;
                        }
                        data.pop_back();
                        data += more;
                        ++next;
                    }
                    if (!data.empty() && data.back() == u'\\') {
                        data.pop_back();
                    }
                }
                value = ParseData(std::move(*name), data);
            }
        }
        if (value) {
            key_->SetValue(std::move(*value));
            return next;
        }
        Entry entry;
        entry.raw = true;
        for (size_t l = i; l < next; ++l) {
            if (l > i) {
                entry.rawText += kCrLf;
            }
            entry.rawText += lines_[l];
        }
        key_->entries.push_back(std::move(entry));
        return next;
    }

    std::vector<WStringView> lines_;
    Hive hive_;
    Key* key_ = nullptr;
    OpaqueSection* opaque_ = nullptr;
};

void AppendQuoted(WString& out, WStringView text) {
    out += u'"';
    for (char16_t c : text) {
        if (c == u'\\' || c == u'"') {
            out += u'\\';
        }
        out += c;
    }
    out += u'"';
}

void AppendHex(WString& out, unsigned value, int digits) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

// Text that the quoted form can carry: terminated, no inner nulls, no line breaks.
std::optional<WString> PlainString(const std::vector<BYTE>& data) {
    if (data.size() < 2 || data.size() % 2 != 0) {
        return std::nullopt;
    }
    WString text;
    for (size_t i = 0; i + 2 < data.size(); i += 2) {
        char16_t c = char16_t(data[i] | (data[i + 1] << 8));
        if (c == 0 || c == u'\r' || c == u'\n') {
            return std::nullopt;
        }
        text += c;
    }
    if (data[data.size() - 2] != 0 || data.back() != 0) {
        return std::nullopt;
    }
    return text;
}

void AppendValue(WString& out, const Value& value) {
    WString line;
    if (value.name.empty()) {
        line += u'@';
    } else {
        AppendQuoted(line, value.name);
    }
    line += u'=';
    if (value.type == REG_SZ) {
        if (auto text = PlainString(value.data)) {
            AppendQuoted(line, *text);
            out += line + WString(kCrLf);
            return;
        }
    }
    if (value.type == REG_DWORD && value.data.size() == 4) {
        line += u"dword:";
        AppendHex(line,
                  value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                      (unsigned(value.data[3]) << 24),
                  8);
        out += line + WString(kCrLf);
        return;
    }
    if (value.type == REG_BINARY) {
        line += u"hex:";
    } else {
        line += u"hex(";
        WString type;
        DWORD t = value.type;
        do {
            type.insert(type.begin(), u"0123456789abcdef"[t & 0xF]);
            t >>= 4;
        } while (t != 0);
        line += type + u"):";
    }
    // Wrapped as the registry editor does, within 80 columns.
    for (size_t i = 0; i < value.data.size(); ++i) {
        AppendHex(line, value.data[i], 2);
        if (i + 1 < value.data.size()) {
            line += u',';
            if (line.size() > 76) {
                out += line + u"\\" + WString(kCrLf);
                line = u"  ";
            }
        }
    }
    out += line + WString(kCrLf);
}

void AppendKey(WString& out, const Key& key, const WString& path, bool isRoot) {
    if (!isRoot || !key.entries.empty()) {
        out += u'[' + path + u']' + WString(kCrLf);
        for (const Entry& entry : key.entries) {
            if (entry.raw) {
                out += entry.rawText + WString(kCrLf);
                // A kept line that ends like a continued one must not run
                // into the next value: a blank line ends the continuation.
                if (Trim(entry.rawText).ends_with(u'\\')) {
                    out += kCrLf;
                }
            } else {
                AppendValue(out, entry.value);
            }
        }
        out += kCrLf;
    }
    std::vector<const Key*> children;
    for (const auto& child : key.children) {
        children.push_back(child.get());
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const Key* a, const Key* b) { return NameLess(a->name, b->name); });
    for (const Key* child : children) {
        AppendKey(out, *child, path + u'\\' + child->name, false);
    }
}

} // namespace

Hive ParseHive(WStringView text) {
    return Parser(text).Run();
}

WString SerialiseHive(const Hive& hive) {
    WString out(kHeader);
    out += kCrLf;
    out += kCrLf;
    if (!hive.preamble.empty()) {
        for (const auto& line : hive.preamble) {
            out += line + WString(kCrLf);
        }
        out += kCrLf;
    }
    for (const auto& root : hive.roots) {
        AppendKey(out, *root, root->name, true);
    }
    for (const auto& section : hive.opaque) {
        out += section.header + WString(kCrLf);
        for (const auto& line : section.lines) {
            out += line + WString(kCrLf);
        }
        out += kCrLf;
    }
    return out;
}

} // namespace qn::reg
