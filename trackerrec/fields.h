// The fields of the session file's lines, appended to a line under way:
// a std::string, or the recorder's own TextBuffer (the same appends, inline).
#pragma once

#include "../platform/com/com.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace trackerrec {

// Text appended to room kept from one use to the next: no allocation once it
// is large enough, no call per append.
class TextBuffer {
public:
    void clear() { m_size = 0; }
    bool empty() const { return m_size == 0; }
    size_t size() const { return m_size; }
    const char* data() const { return m_text.data(); }
    void reserve(size_t size) {
        if (size > m_text.size())
            m_text.resize(size);
    }
    void append(const char* text, size_t size) {
        std::memcpy(Room(size), text, size);
        m_size += size;
    }
    // Room for `size` more characters at the end; Commit(end) keeps those up to `end`.
    char* Room(size_t size) {
        if (m_size + size > m_text.size())
            Grow(m_size + size);
        return m_text.data() + m_size;
    }
    void Commit(const char* end) { m_size = static_cast<size_t>(end - m_text.data()); }
    TextBuffer& operator+=(char c) {
        *Room(1) = c;
        ++m_size;
        return *this;
    }
    TextBuffer& operator+=(std::string_view text) {
        append(text.data(), text.size());
        return *this;
    }
    operator std::string_view() const { return {m_text.data(), m_size}; }

private:
    void Grow(size_t size); // out of line: the appends stay small enough to inline

    std::string m_text;
    size_t m_size = 0;
};

namespace fields {
// A string's field: quoted UTF-8 with its escapes, "~" for null.
std::string QuotedString(const OLECHAR* text, size_t length);
std::string QuotedUtf8(std::string_view text);

// Numbers go straight into a TextBuffer's room, through a few bytes' copy into a string.
template <class Text, class Number> void AppendNumber(Text& line, Number value, int base = 10) {
    char text[32];
    line.append(
        text, static_cast<size_t>(std::to_chars(text, text + sizeof text, value, base).ptr - text));
}
template <class Number> void AppendNumber(TextBuffer& line, Number value, int base = 10) {
    char* room = line.Room(32);
    line.Commit(std::to_chars(room, room + 32, value, base).ptr);
}
template <class Text> void AppendDouble(Text& line, double value) {
    char text[32];
    line.append(text,
                static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text));
}
inline void AppendDouble(TextBuffer& line, double value) {
    char* room = line.Room(32);
    line.Commit(std::to_chars(room, room + 32, value).ptr);
}
} // namespace fields

// Field encoders: each appends a space and the field; `tag`, when given,
// stands before an event argument's number.
template <class Text> void PutLong(Text& line, long long value, char tag = 0) {
    line += ' ';
    if (tag)
        line += tag;
    fields::AppendNumber(line, value);
}

template <class Text> void PutBool(Text& line, VARIANT_BOOL value) {
    line += value ? std::string_view(" T") : std::string_view(" F");
}

template <class Text> void PutString(Text& line, const OLECHAR* text, size_t length) {
    line += ' ';
    line += std::string_view(fields::QuotedString(text, length));
}

template <class Text> void PutBytes(Text& line, const unsigned char* data, size_t size) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text = " b";
    text.reserve(2 + (size + 2) / 3 * 4);
    for (size_t i = 0; i < size; i += 3) {
        const uint32_t n = (uint32_t(data[i]) << 16) | (i + 1 < size ? data[i + 1] << 8 : 0) |
                           (i + 2 < size ? data[i + 2] : 0);
        text += digits[(n >> 18) & 63];
        text += digits[(n >> 12) & 63];
        text += i + 1 < size ? digits[(n >> 6) & 63] : '=';
        text += i + 2 < size ? digits[n & 63] : '=';
    }
    line += std::string_view(text);
}

// An object: "@" when the line made it, else its distance back from the newest
// object made before the line ("#0" is that newest one).
template <class Text> void PutObject(Text& line, uint32_t id, bool created, uint32_t base) {
    if (created) {
        line += std::string_view(" @");
    } else if (id == 0) {
        line += std::string_view(" ~");
    } else {
        line += std::string_view(" #");
        fields::AppendNumber(line, base - id);
    }
}

// The object a line is about, as its distance back from `base`.
template <class Text> void PutTarget(Text& line, uint32_t id, uint32_t base) {
    if (!line.empty())
        line += ' ';
    fields::AppendNumber(line, base - id);
}

template <class Text> void PutFailure(Text& line, HRESULT hr, const std::string& description) {
    line += std::string_view(" !");
    fields::AppendNumber(line, static_cast<uint32_t>(hr), 16);
    line += ' ';
    line += std::string_view(fields::QuotedUtf8(description));
}

} // namespace trackerrec
