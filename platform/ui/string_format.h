// printf-style formatting into UTF-16 text with the conventions of a Unicode
// Windows build: %s and %ls take a WCHAR string, %S and %hs a narrow one, long
// is 32 bits, %I64 and %ll are 64 bits. Numbers are formatted by snprintf.
// Arguments are captured with their types, so a mismatch converts instead of
// reading garbage.
#pragma once

#include "../base/text.h"

#include <span>
#include <type_traits>

namespace platform::ui {

struct FormatArg {
    enum Kind { Signed, Unsigned, Double, Wide, Narrow, Pointer } kind;
    union {
        long long i;
        unsigned long long u;
        double d;
        const WCHAR* w;
        const char* n;
        const void* p;
    };
};

template <class T> FormatArg MakeFormatArg(const T& value) {
    FormatArg a{};
    using D = std::decay_t<T>;
    if constexpr (std::is_same_v<D, bool>) {
        a.kind = FormatArg::Signed;
        a.i = value ? 1 : 0;
    } else if constexpr (std::is_enum_v<D>) {
        a.kind = FormatArg::Signed;
        a.i = static_cast<long long>(value);
    } else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>) {
        a.kind = FormatArg::Signed;
        a.i = value;
    } else if constexpr (std::is_integral_v<D>) {
        a.kind = FormatArg::Unsigned;
        a.u = value;
    } else if constexpr (std::is_floating_point_v<D>) {
        a.kind = FormatArg::Double;
        a.d = static_cast<double>(value);
    } else if constexpr (std::is_convertible_v<const T&, const WCHAR*>) {
        a.kind = FormatArg::Wide;
        a.w = static_cast<const WCHAR*>(value);
    } else if constexpr (std::is_convertible_v<const T&, const char*>) {
        a.kind = FormatArg::Narrow;
        a.n = static_cast<const char*>(value);
    } else {
        static_assert(std::is_pointer_v<D> || std::is_null_pointer_v<D>,
                      "format arguments are numbers, strings or pointers");
        a.kind = FormatArg::Pointer;
        a.p = value;
    }
    return a;
}

WideString FormatText(const WCHAR* format, std::span<const FormatArg> args);

} // namespace platform::ui
