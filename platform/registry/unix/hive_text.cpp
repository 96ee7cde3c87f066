// Hive file text decoding and encoding.
#include "hive_text.h"

namespace qn::reg {

namespace {

void AppendCodePoint(WString& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(char16_t(cp));
    } else {
        cp -= 0x10000;
        out.push_back(char16_t(0xD800 + (cp >> 10)));
        out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    }
}

// Length of the valid UTF-8 sequence at `pos` and its code point, or 0.
size_t Utf8Sequence(std::string_view s, size_t pos, char32_t* cp) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char lead = byte(pos);
    size_t len;
    char32_t value;
    if (lead < 0x80) {
        *cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + len > s.size()) {
        return 0;
    }
    for (size_t i = 1; i < len; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (byte(pos + i) & 0x3F);
    }
    static const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < minimum[len] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    *cp = value;
    return len;
}

WString DecodeUtf16(std::string_view bytes, bool bigEndian) {
    WString out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        out.push_back(char16_t(lo | (hi << 8)));
    }
    return out;
}

} // namespace

WString FromUtf8(std::string_view text) {
    WString out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        char32_t cp;
        size_t len = Utf8Sequence(text, pos, &cp);
        if (len == 0) {
            out.push_back(char16_t(static_cast<unsigned char>(text[pos])));
            ++pos;
        } else {
            AppendCodePoint(out, cp);
            pos += len;
        }
    }
    return out;
}

std::string ToUtf8(WStringView text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(char(cp));
        } else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

WString DecodeHiveBytes(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return DecodeUtf16(bytes.substr(2), false);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return DecodeUtf16(bytes.substr(2), true);
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return FromUtf8(bytes.substr(3));
    }
    // Without a mark, text in UTF-16 shows itself by the zero high byte of
    // its first character (the header, a bracket or a blank line is ASCII).
    if (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0) {
        return DecodeUtf16(bytes, false);
    }
    if (bytes.size() >= 2 && bytes[0] == 0 && bytes[1] != 0) {
        return DecodeUtf16(bytes, true);
    }
    return FromUtf8(bytes);
}

std::string EncodeHiveText(WStringView text) {
    std::string out;
    out.reserve(2 + text.size() * 2);
    out += "\xFF\xFE";
    for (char16_t c : text) {
        out.push_back(char(c & 0xFF));
        out.push_back(char(c >> 8));
    }
    return out;
}

} // namespace qn::reg
