#include "string_format.h"

#include <cstdio>
#include <string>

namespace platform::ui {
namespace {

struct Directive {
    std::string flags;
    int width = -1;
    int precision = -1;
    int bits = 32;             // integer size implied by the length modifier
    bool wideLength = false;   // l or w on a string or character
    bool narrowLength = false; // h on a string or character
    char conversion = 0;
};

class Reader {
public:
    explicit Reader(std::span<const FormatArg> args) : m_args(args) {}
    const FormatArg* Next() { return m_next < m_args.size() ? &m_args[m_next++] : nullptr; }

private:
    std::span<const FormatArg> m_args;
    size_t m_next = 0;
};

long long AsSigned(const FormatArg* a) {
    if (!a)
        return 0;
    switch (a->kind) {
    case FormatArg::Signed:
        return a->i;
    case FormatArg::Unsigned:
        return static_cast<long long>(a->u);
    case FormatArg::Double:
        return static_cast<long long>(a->d);
    default:
        return static_cast<long long>(reinterpret_cast<uintptr_t>(a->p));
    }
}

double AsDouble(const FormatArg* a) {
    if (!a)
        return 0.0;
    switch (a->kind) {
    case FormatArg::Double:
        return a->d;
    case FormatArg::Signed:
        return static_cast<double>(a->i);
    case FormatArg::Unsigned:
        return static_cast<double>(a->u);
    default:
        return 0.0;
    }
}

void AppendAscii(WideString& out, const std::string& text) {
    for (char c : text)
        out += static_cast<WCHAR>(static_cast<unsigned char>(c));
}

void AppendPadded(WideString& out, WideView text, const Directive& directive) {
    const size_t pad =
        directive.width > static_cast<int>(text.size()) ? directive.width - text.size() : size_t{0};
    const bool left = directive.flags.find('-') != std::string::npos;
    if (!left)
        out.append(pad, TEXT(' '));
    out.append(text);
    if (left)
        out.append(pad, TEXT(' '));
}

std::string NumberDirective(const Directive& directive, const char* length, char conversion) {
    std::string f = "%" + directive.flags;
    if (directive.width >= 0)
        f += std::to_string(directive.width);
    if (directive.precision >= 0)
        f += "." + std::to_string(directive.precision);
    return f + length + conversion;
}

template <class T> std::string Print(const std::string& format, T value) {
    const int n = std::snprintf(nullptr, 0, format.c_str(), value);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        std::snprintf(out.data(), out.size() + 1, format.c_str(), value);
    return out;
}

void FormatInteger(WideString& out, const Directive& directive, const FormatArg* arg) {
    const bool isSigned = directive.conversion == 'd' || directive.conversion == 'i';
    long long v = AsSigned(arg);
    if (isSigned) {
        if (directive.bits == 8)
            v = static_cast<signed char>(v);
        else if (directive.bits == 16)
            v = static_cast<short>(v);
        else if (directive.bits == 32)
            v = static_cast<int>(v);
        AppendAscii(out, Print(NumberDirective(directive, "ll", 'd'), v));
        return;
    }
    unsigned long long u = static_cast<unsigned long long>(v);
    if (directive.bits == 8)
        u = static_cast<unsigned char>(u);
    else if (directive.bits == 16)
        u = static_cast<unsigned short>(u);
    else if (directive.bits == 32)
        u = static_cast<unsigned int>(u);
    AppendAscii(out, Print(NumberDirective(directive, "ll", directive.conversion), u));
}

// Whichever width the argument has is what gets printed.
void FormatString(WideString& out, const Directive& directive, const FormatArg* arg) {
    WideString text;
    if (arg && arg->kind == FormatArg::Wide)
        text = arg->w ? WideString(arg->w) : WideString(TEXT("(null)"));
    else if (arg && arg->kind == FormatArg::Narrow)
        text = arg->n ? WideFromUtf8(arg->n) : WideString(TEXT("(null)"));
    else if (!arg || (arg->kind == FormatArg::Pointer && !arg->p))
        text = TEXT("(null)");
    if (directive.precision >= 0 && text.size() > static_cast<size_t>(directive.precision))
        text.resize(directive.precision);
    AppendPadded(out, text, directive);
}

} // namespace

WideString FormatText(const WCHAR* format, std::span<const FormatArg> args) {
    WideString out;
    if (!format)
        return out;
    Reader reader(args);
    for (const WCHAR* p = format; *p; ++p) {
        if (*p != TEXT('%')) {
            out += *p;
            continue;
        }
        ++p;
        if (*p == TEXT('%')) {
            out += TEXT('%');
            continue;
        }
        Directive directive;
        for (; *p == TEXT('-') || *p == TEXT('+') || *p == TEXT(' ') || *p == TEXT('0') ||
               *p == TEXT('#');
             ++p)
            directive.flags += static_cast<char>(*p);
        if (*p == TEXT('*')) {
            directive.width = static_cast<int>(AsSigned(reader.Next()));
            if (directive.width < 0) {
                directive.flags += '-';
                directive.width = -directive.width;
            }
            ++p;
        } else {
            for (; *p >= TEXT('0') && *p <= TEXT('9'); ++p)
                directive.width =
                    (directive.width < 0 ? 0 : directive.width * 10) + (*p - TEXT('0'));
        }
        if (*p == TEXT('.')) {
            ++p;
            directive.precision = 0;
            if (*p == TEXT('*')) {
                directive.precision = static_cast<int>(AsSigned(reader.Next()));
                ++p;
            } else {
                for (; *p >= TEXT('0') && *p <= TEXT('9'); ++p)
                    directive.precision = directive.precision * 10 + (*p - TEXT('0'));
            }
        }
        // Length modifiers, Windows sizes: long is 32 bits.
        for (bool more = true; more && *p;) {
            if (p[0] == TEXT('I') && p[1] == TEXT('6') && p[2] == TEXT('4')) {
                directive.bits = 64;
                p += 3;
            } else if (p[0] == TEXT('I') && p[1] == TEXT('3') && p[2] == TEXT('2')) {
                directive.bits = 32;
                p += 3;
            } else if (*p == TEXT('h')) {
                directive.bits = directive.bits == 16 ? 8 : 16;
                directive.narrowLength = true;
                ++p;
            } else if (*p == TEXT('l')) {
                directive.bits = directive.wideLength ? 64 : 32;
                directive.wideLength = true;
                ++p;
            } else if (*p == TEXT('w')) {
                directive.wideLength = true;
                ++p;
            } else if (*p == TEXT('I') || *p == TEXT('z') || *p == TEXT('j') || *p == TEXT('t')) {
                directive.bits = 64;
                ++p;
            } else if (*p == TEXT('L')) {
                ++p;
            } else {
                more = false;
            }
        }
        if (!*p)
            break;
        directive.conversion = static_cast<char>(*p);
        switch (*p) {
        case TEXT('d'):
        case TEXT('i'):
        case TEXT('u'):
        case TEXT('x'):
        case TEXT('X'):
        case TEXT('o'):
            FormatInteger(out, directive, reader.Next());
            break;
        case TEXT('f'):
        case TEXT('F'):
        case TEXT('e'):
        case TEXT('E'):
        case TEXT('g'):
        case TEXT('G'):
        case TEXT('a'):
        case TEXT('A'):
            AppendAscii(out, Print(NumberDirective(directive, "", directive.conversion),
                                   AsDouble(reader.Next())));
            break;
        case TEXT('c'):
        case TEXT('C'): {
            const WCHAR c = static_cast<WCHAR>(AsSigned(reader.Next()));
            AppendPadded(out, WideView(&c, 1), directive);
            break;
        }
        case TEXT('s'):
        case TEXT('S'):
            FormatString(out, directive, reader.Next());
            break;
        case TEXT('p'): {
            const FormatArg* a = reader.Next();
            const auto v = static_cast<unsigned long long>(
                a && a->kind == FormatArg::Pointer ? reinterpret_cast<uintptr_t>(a->p)
                                                   : static_cast<uintptr_t>(AsSigned(a)));
            AppendAscii(out, Print("%016llX", v));
            break;
        }
        case TEXT('n'):
            reader.Next();
            break;
        default:
            out += *p; // unknown conversion: shown as written
            break;
        }
    }
    return out;
}

} // namespace platform::ui
