// CString formatting and the wide CRT conversions.
#include "platform/base/crt.h"
#include "platform/ui/afxstr.h"

#include <gtest/gtest.h>

namespace {

CString F(LPCWSTR format, auto... args) {
    CString s;
    s.Format(format, args...);
    return s;
}

TEST(CStringFormatTest, NumbersFollowPrintf) {
    EXPECT_EQ(F(TEXT("%lf"), 25.4), TEXT("25.400000"));
    EXPECT_EQ(F(TEXT("%lf"), 38.1), TEXT("38.100000"));
    EXPECT_EQ(F(TEXT("#%ld"), -5), TEXT("#-5"));
    EXPECT_EQ(F(TEXT("%d|%5d|%-4d|%04d"), 7, 42, 3, 9), TEXT("7|   42|3   |0009"));
    EXPECT_EQ(F(TEXT("%u %x %X"), 4000000000u, 255, 255), TEXT("4000000000 ff FF"));
    EXPECT_EQ(F(TEXT("%.2f %g %e"), 3.14159, 0.0001, 1234.5), TEXT("3.14 0.0001 1.234500e+03"));
    EXPECT_EQ(F(TEXT("%.*g"), 15, 0.1), TEXT("0.1"));
    EXPECT_EQ(F(TEXT("%*d"), 4, 1), TEXT("   1"));
    EXPECT_EQ(F(TEXT("%I64d %lld"), -9000000000LL, 9000000000LL), TEXT("-9000000000 9000000000"));
    EXPECT_EQ(F(TEXT("100%%")), TEXT("100%"));
}

TEST(CStringFormatTest, LongIsThirtyTwoBitsAsOnWindows) {
    EXPECT_EQ(F(TEXT("%ld"), 0x1FFFFFFFFLL), TEXT("-1"));
    EXPECT_EQ(F(TEXT("%lu"), -1), TEXT("4294967295"));
    EXPECT_EQ(F(TEXT("%hd"), 70000), TEXT("4464"));
}

TEST(CStringFormatTest, StringsAreWideWithNarrowOnRequest) {
    const WCHAR* wide = TEXT("Diameter");
    CString name(TEXT("Orlan"));
    EXPECT_EQ(F(TEXT("%s|%ls|%S"), wide, name, "narrow"), TEXT("Diameter|Orlan|narrow"));
    EXPECT_EQ(F(TEXT(" /u /tlb \"%s%s\""), TEXT("Z:\\p\\bin\\"), TEXT("lib.dll")),
              TEXT(" /u /tlb \"Z:\\p\\bin\\lib.dll\""));
    EXPECT_EQ(F(TEXT("[%6s][%-6s][%.3s]"), TEXT("ab"), TEXT("ab"), TEXT("abcdef")),
              TEXT("[    ab][ab    ][abc]"));
    EXPECT_EQ(F(TEXT("%c%c"), TEXT('Q'), 'W'), TEXT("QW"));
    EXPECT_EQ(F(TEXT("%s"), static_cast<const WCHAR*>(nullptr)), TEXT("(null)"));
}

TEST(CStringFormatTest, MissingArgumentsPrintNothingHarmful) {
    EXPECT_EQ(F(TEXT("m_cbReflectorSizeList : %d")), TEXT("m_cbReflectorSizeList : 0"));
    CString s(TEXT("a"));
    s.AppendFormat(TEXT("%d-%s"), 1, TEXT("b"));
    EXPECT_EQ(s, TEXT("a1-b"));
}

TEST(CStringTest, EditingAndComparing) {
    CString s(TEXT("  Tarn.Tracker.Connection.dll  "));
    s.Trim();
    EXPECT_EQ(s.GetLength(), 27);
    EXPECT_EQ(s.ReverseFind(TEXT('.')), 23);
    EXPECT_EQ(s.Left(4), TEXT("Tarn"));
    EXPECT_EQ(s.Mid(5, 7), TEXT("Tracker"));
    EXPECT_EQ(s.Right(3), TEXT("dll"));
    EXPECT_EQ(s.Find(TEXT("Conn")), 13);
    EXPECT_EQ(s.Find(TEXT('x')), -1);
    EXPECT_EQ(s.CompareNoCase(TEXT("TARN.tracker.connection.DLL")), 0);
    EXPECT_LT(CString(TEXT("100")).Compare(TEXT("25")), 0);
    EXPECT_TRUE(CString(TEXT("a")) + TEXT("b") + CString(TEXT("c")) == TEXT("abc"));
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(static_cast<LPCWSTR>(empty)[0], TEXT('\0'));
}

TEST(WideCrtTest, TextToDoubleLikeTheRuntime) {
    EXPECT_DOUBLE_EQ(_wtof(TEXT("0.1")), 0.1);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("  \t300")), 300.0);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("12.5mm")), 12.5);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("-1e3")), -1000.0);
    EXPECT_EQ(_wtof(TEXT("abc")), 0.0);
    EXPECT_EQ(_wtof(TEXT("")), 0.0);
    EXPECT_EQ(_wtof(nullptr), 0.0);
    const WCHAR* text = TEXT(" 4.5x");
    WCHAR* end = nullptr;
    EXPECT_DOUBLE_EQ(wcstod(text, &end), 4.5);
    EXPECT_EQ(end, text + 4);
    const WCHAR* letters = TEXT("none");
    wcstod(letters, &end);
    EXPECT_EQ(end, letters);
    EXPECT_EQ(_wtoi(TEXT("-42z")), -42);
    EXPECT_EQ(_wcsicmp(TEXT("Main"), TEXT("MAIN")), 0);
}

} // namespace
