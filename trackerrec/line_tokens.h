// A session line as the calling thread puts it down: its numbers, doubles and
// objects in binary, its text as text. The session writer's thread turns the
// tokens into the file's text, so a call spends a few stores on its line, not
// the formatting.
#pragma once

#include "fields.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace trackerrec {

enum class Token : char {
    Text = 'T',   // uint32 length, the characters
    Long = 'L',   // tag char, int64
    Double = 'D', // tag char, double
    Object = 'O', // created char, uint32 id, uint32 base
    Target = 'G', // uint32 id, uint32 base
    Call = 'C',   // uint32 id, uint32 base, uint32 member: a call line's start
    EndLine = 'N',
};

class LineTokens {
public:
    // Starts a line, dropping a line begun and never ended.
    void StartLine() {
        m_size = m_lineStart;
        m_lastText = kNoText;
    }
    void EndLine() {
        Put(Token::EndLine);
        m_lineStart = m_size;
    }
    // Whether the current line has nothing yet.
    bool empty() const { return m_size == m_lineStart; }

    void append(const char* text, size_t size);
    LineTokens& operator+=(std::string_view text) {
        append(text.data(), text.size());
        return *this;
    }
    LineTokens& operator+=(char c) {
        append(&c, 1);
        return *this;
    }

    void Long(long long value, char tag) {
        StoreLong(Room(10), value, tag);
        Commit(10);
    }
    void Double(double value, char tag) {
        StoreDouble(Room(10), value, tag);
        Commit(10);
    }
    void Object(uint32_t id, bool created, uint32_t base) {
        StoreObject(Room(10), id, created, base);
        Commit(10);
    }
    // A call line's target and member, its first two fields.
    void Call(uint32_t id, uint32_t base, uint32_t member) {
        StoreCall(Room(13), id, base, member);
        Commit(13);
    }

    // A whole line of fixed-size tokens, stored in one go: StartFixedLine
    // makes room for at most `size` bytes, the Store functions put the
    // tokens there, each returning where the next goes, and EndFixedLine
    // ends the line where the last one ended.
    char* StartFixedLine(size_t size) {
        StartLine();
        return Room(size);
    }
    void EndFixedLine(char* end) {
        *end = static_cast<char>(Token::EndLine);
        m_size = static_cast<size_t>(end + 1 - m_data.get());
        m_lineStart = m_size;
    }
    static char* StoreLong(char* at, long long value, char tag) {
        at[0] = static_cast<char>(Token::Long);
        at[1] = tag;
        Store(at + 2, static_cast<int64_t>(value));
        return at + 10;
    }
    static char* StoreDouble(char* at, double value, char tag) {
        at[0] = static_cast<char>(Token::Double);
        at[1] = tag;
        Store(at + 2, value);
        return at + 10;
    }
    static char* StoreObject(char* at, uint32_t id, bool created, uint32_t base) {
        at[0] = static_cast<char>(Token::Object);
        at[1] = created ? '1' : '0';
        Store(at + 2, id);
        Store(at + 6, base);
        return at + 10;
    }
    static char* StoreCall(char* at, uint32_t id, uint32_t base, uint32_t member) {
        at[0] = static_cast<char>(Token::Call);
        Store(at + 1, id);
        Store(at + 5, base);
        Store(at + 9, member);
        return at + 13;
    }
    void Target(uint32_t id, uint32_t base) {
        char* at = Room(9);
        at[0] = static_cast<char>(Token::Target);
        Store(at + 1, id);
        Store(at + 5, base);
        Commit(9);
    }

    // The finished lines; DropLines forgets them, keeping a line under way.
    std::string_view Lines() const { return {m_data.get(), m_lineStart}; }
    void DropLines();
    // Forgets everything, the line under way too.
    void Clear() {
        m_size = 0;
        m_lineStart = 0;
        m_lastText = kNoText;
    }
    // Puts `line`, a whole line of text, before the line under way.
    void InsertLineBefore(std::string_view line);

private:
    static constexpr size_t kNoText = ~size_t(0);

    void Put(Token token) {
        *Room(1) = static_cast<char>(token);
        Commit(1);
    }
    char* Room(size_t size) {
        if (m_size + size > m_capacity)
            Grow(m_size + size);
        return m_data.get() + m_size;
    }
    void Commit(size_t size) {
        m_size += size;
        m_lastText = kNoText;
    }
    template <class T> static void Store(char* at, T value) {
        std::memcpy(at, &value, sizeof value);
    }
    void Grow(size_t size);

    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
    size_t m_lineStart = 0;
    size_t m_lastText = kNoText; // where the last text token's length is, to extend it
};

// Turns tokens into the file's text, one line at a time. Doubles among the
// last 16 written become references back ("=k"), as the loader reads them.
class LineDecoder {
public:
    void Reset() { *this = LineDecoder(); }
    // Decodes the tokens from `at` up to the end of their line into `out`
    // (with the newline); returns where the next line starts.
    size_t DecodeLine(std::string_view tokens, size_t at, TextBuffer& out);

private:
    int RecentDouble(double value);

    static constexpr unsigned kRecent = 16; // a power of two
    uint64_t m_recent[kRecent] = {};
    unsigned m_next = 0;
    unsigned m_count = 0;
};

// The fields of a line under way, as tokens.
inline void PutLong(LineTokens& line, long long value, char tag = 0) {
    line.Long(value, tag);
}
inline void PutDouble(LineTokens& line, double value, char tag = 0) {
    line.Double(value, tag);
}
inline void PutObject(LineTokens& line, uint32_t id, bool created, uint32_t base) {
    line.Object(id, created, base);
}
inline void PutTarget(LineTokens& line, uint32_t id, uint32_t base) {
    line.Target(id, base);
}

} // namespace trackerrec
