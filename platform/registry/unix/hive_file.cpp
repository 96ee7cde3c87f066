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

bool IsHeaderLine(WStringView line) {
    line = Trim(line);
    return NamesEqual(line, kHeader) || NamesEqual(line, kHeaderV4);
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
// `end` to the index after the closing quote. Escapes as the registry import
// reads them: \n and \r are line breaks, \\ and \" the characters themselves,
// \0 makes the string invalid, and any other escaped character stands for
// itself.
std::optional<WString> ParseQuoted(WStringView s, size_t* end) {
    WString out;
    for (size_t i = 1; i < s.size(); ++i) {
        if (s[i] == u'\\') {
            if (++i == s.size() || s[i] == u'0') {
                return std::nullopt;
            }
            out.push_back(s[i] == u'n' ? u'\n' : s[i] == u'r' ? u'\r' : s[i]);
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
        if (i < lines_.size() && IsHeaderLine(lines_[i])) {
            ++i;
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
        // As the registry import reads it: the key ends at the line's last
        // "]"; what follows is a comment. Without a "]" the line is no section.
        const size_t close = line.rfind(u']');
        if (line.front() == u'[' && close != WStringView::npos) {
            Section(line, close);
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

    void Section(WStringView line, size_t close) {
        key_ = nullptr;
        opaque_ = nullptr;
        const WStringView path = line.substr(1, close - 1);
        std::vector<WString> parts;
        const bool deletion = !path.empty() && path.front() == u'-';
        const bool placeable = SplitPath(deletion ? path.substr(1) : path, &parts) &&
                               !parts.empty() && parts.size() <= kMaxKeyDepth + 1;
        if (placeable && !deletion) {
            key_ = &hive_.Root(parts.front());
            for (size_t p = 1; p < parts.size(); ++p) {
                key_ = hive_.FindOrAddChild(*key_, parts[p]);
            }
            if (close + 1 < line.size() && key_->note.empty()) {
                key_->note = WString(line.substr(close + 1));
            }
            return;
        }
        if (placeable && parts.size() > 1) {
            // The import deletes the key here: what the file made of it before
            // is gone, what it makes after is new.
            if (Key* root = hive_.FindRoot(parts.front())) {
                const std::vector<WString> parentParts(parts.begin() + 1, parts.end() - 1);
                if (Key* parent = Descend(*root, parentParts)) {
                    parent->RemoveChild(parts.back());
                }
            }
        }
        hive_.opaque.push_back({WString(line), {}, hive_.nextOrder++});
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
        WString raw;
        for (size_t l = i; l < next; ++l) {
            if (l > i) {
                raw += kCrLf;
            }
            raw += lines_[l];
        }
        key_->AddRaw(std::move(raw));
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
            out += c;
        } else if (c == u'\r') {
            out += u"\\r";
        } else if (c == u'\n') {
            out += u"\\n";
        } else {
            out += c;
        }
    }
    out += u'"';
}

void AppendHex(WString& out, unsigned value, int digits) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

// Text that the quoted form can carry: terminated, no inner nulls.
std::optional<WString> PlainString(const std::vector<BYTE>& data) {
    if (data.size() < 2 || data.size() % 2 != 0) {
        return std::nullopt;
    }
    WString text;
    for (size_t i = 0; i + 2 < data.size(); i += 2) {
        char16_t c = char16_t(data[i] | (data[i + 1] << 8));
        if (c == 0) {
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

void AppendSection(WString& out, const Key& key, WStringView path) {
    out += u'[';
    out += path;
    out += u']';
    out += key.note;
    out += kCrLf;
    for (const Entry& entry : key.Entries()) {
        if (entry.raw) {
            out += entry.rawText;
            out += kCrLf;
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

void AppendOpaque(WString& out, const OpaqueSection& section) {
    out += section.header;
    out += kCrLf;
    for (const auto& line : section.lines) {
        out += line;
        out += kCrLf;
    }
    out += kCrLf;
}

// One section to write: a key (with the index of its parent's item, to spell
// its path) or a kept section.
struct Item {
    uint64_t order;
    const Key* key;
    size_t parent;
    const OpaqueSection* opaque;
};

constexpr size_t kNoParent = size_t(-1);

} // namespace

Hive ParseHive(WStringView text) {
    return Parser(text).Run();
}

WString SerialiseHive(const Hive& hive) {
    std::vector<Item> items;
    for (const auto& root : hive.roots) {
        items.push_back({root->order, root.get(), kNoParent, nullptr});
        for (size_t at = items.size() - 1; at < items.size(); ++at) {
            for (const auto& child : items[at].key->Children()) {
                items.push_back({child->order, child.get(), at, nullptr});
            }
        }
    }
    for (const auto& section : hive.opaque) {
        items.push_back({section.order, nullptr, kNoParent, &section});
    }
    // Positions in `items` stay valid: the sort permutes an index.
    std::vector<size_t> sequence(items.size());
    for (size_t i = 0; i < sequence.size(); ++i) {
        sequence[i] = i;
    }
    std::stable_sort(sequence.begin(), sequence.end(),
                     [&](size_t a, size_t b) { return items[a].order < items[b].order; });

    WString out(kHeader);
    out += kCrLf;
    out += kCrLf;
    if (!hive.preamble.empty()) {
        for (const auto& line : hive.preamble) {
            out += line;
            out += kCrLf;
        }
        out += kCrLf;
    }
    std::vector<const Key*> chain;
    WString path;
    for (size_t index : sequence) {
        const Item& item = items[index];
        if (item.opaque) {
            AppendOpaque(out, *item.opaque);
            continue;
        }
        const Key& key = *item.key;
        if (item.parent == kNoParent && key.Entries().empty() && key.note.empty() &&
            !key.Children().empty()) {
            continue; // a root with sub keys needs no section of its own
        }
        chain.clear();
        for (size_t at = index; at != kNoParent; at = items[at].parent) {
            chain.push_back(items[at].key);
        }
        path.clear();
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            if (it != chain.rbegin()) {
                path += u'\\';
            }
            path += (*it)->name;
        }
        AppendSection(out, key, path);
    }
    return out;
}

bool StartsWithHeader(WStringView text) {
    const size_t start = text.find_first_not_of(u" \t\r\n");
    if (start == WStringView::npos) {
        return true;
    }
    const size_t end = text.find_first_of(u"\r\n", start);
    return IsHeaderLine(text.substr(start, end == WStringView::npos ? end : end - start));
}

} // namespace qn::reg
