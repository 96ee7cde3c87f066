#include "line_tokens.h"

#include <algorithm>

namespace trackerrec {

void LineTokens::append(const char* text, size_t size) {
    if (size == 0)
        return;
    uint32_t length = 0;
    if (m_lastText == kNoText) {
        char* at = Room(5 + size);
        at[0] = static_cast<char>(Token::Text);
        m_size += 5;
        m_lastText = m_size - 4;
    } else {
        Room(size);
        std::memcpy(&length, m_data.get() + m_lastText, sizeof length);
    }
    length += static_cast<uint32_t>(size);
    std::memcpy(m_data.get() + m_lastText, &length, sizeof length);
    std::memcpy(m_data.get() + m_size, text, size);
    m_size += size;
}

void LineTokens::Grow(size_t size) {
    const size_t capacity = std::max<size_t>(2 * size, 4096);
    auto data = std::make_unique<char[]>(capacity);
    if (m_size)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

void LineTokens::DropLines() {
    std::memmove(m_data.get(), m_data.get() + m_lineStart, m_size - m_lineStart);
    m_size -= m_lineStart;
    if (m_lastText != kNoText)
        m_lastText -= m_lineStart;
    m_lineStart = 0;
}

void LineTokens::InsertLineBefore(std::string_view line) {
    const std::string underWay(m_data.get() + m_lineStart, m_size - m_lineStart);
    m_size = m_lineStart;
    m_lastText = kNoText;
    append(line.data(), line.size());
    EndLine();
    // The line under way follows; its next text starts a token of its own.
    std::memcpy(Room(underWay.size()), underWay.data(), underWay.size());
    Commit(underWay.size());
}

namespace {

template <class T> T Read(std::string_view tokens, size_t& at) {
    T value;
    std::memcpy(&value, tokens.data() + at, sizeof value);
    at += sizeof value;
    return value;
}

} // namespace

int LineDecoder::RecentDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    int back = 0;
    for (unsigned k = 1; k <= m_count; ++k)
        if (m_recent[(m_next - k) & (kRecent - 1)] == bits) {
            back = static_cast<int>(k);
            break;
        }
    m_recent[m_next] = bits;
    m_next = (m_next + 1) & (kRecent - 1);
    if (m_count < kRecent)
        ++m_count;
    return back;
}

size_t LineDecoder::DecodeLine(std::string_view tokens, size_t at, TextBuffer& out) {
    const size_t lineStart = out.size();
    while (at < tokens.size()) {
        const Token token = static_cast<Token>(tokens[at++]);
        switch (token) {
        case Token::Text: {
            const uint32_t length = Read<uint32_t>(tokens, at);
            out.append(tokens.data() + at, length);
            at += length;
            break;
        }
        case Token::Long: {
            const char tag = tokens[at++];
            PutLong(out, Read<int64_t>(tokens, at), tag);
            break;
        }
        case Token::Double: {
            const char tag = tokens[at++];
            const double value = Read<double>(tokens, at);
            out += ' ';
            if (tag)
                out += tag;
            if (const int back = RecentDouble(value)) {
                out += '=';
                fields::AppendNumber(out, back);
            } else {
                fields::AppendDouble(out, value);
            }
            break;
        }
        case Token::Object: {
            const bool created = tokens[at++] == '1';
            const uint32_t id = Read<uint32_t>(tokens, at);
            const uint32_t base = Read<uint32_t>(tokens, at);
            PutObject(out, id, created, base);
            break;
        }
        case Token::Target:
        case Token::Call: {
            const uint32_t id = Read<uint32_t>(tokens, at);
            const uint32_t base = Read<uint32_t>(tokens, at);
            if (out.size() != lineStart)
                out += ' ';
            fields::AppendNumber(out, base - id);
            if (token == Token::Call)
                PutLong(out, Read<uint32_t>(tokens, at));
            break;
        }
        case Token::EndLine:
            out += '\n';
            return at;
        }
    }
    return at;
}

} // namespace trackerrec
