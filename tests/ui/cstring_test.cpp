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
    EXPECT_EQ(F(u"%lf", 25.4), u"25.400000");
    EXPECT_EQ(F(u"%lf", 38.1), u"38.100000");
    EXPECT_EQ(F(u"#%ld", -5), u"#-5");
    EXPECT_EQ(F(u"%d|%5d|%-4d|%04d", 7, 42, 3, 9), u"7|   42|3   |0009");
    EXPECT_EQ(F(u"%u %x %X", 4000000000u, 255, 255), u"4000000000 ff FF");
    EXPECT_EQ(F(u"%.2f %g %e", 3.14159, 0.0001, 1234.5), u"3.14 0.0001 1.234500e+03");
    EXPECT_EQ(F(u"%.*g", 15, 0.1), u"0.1");
    EXPECT_EQ(F(u"%*d", 4, 1), u"   1");
    EXPECT_EQ(F(u"%I64d %lld", -9000000000LL, 9000000000LL), u"-9000000000 9000000000");
    EXPECT_EQ(F(u"100%%"), u"100%");
}

TEST(CStringFormatTest, LongIsThirtyTwoBitsAsOnWindows) {
    EXPECT_EQ(F(u"%ld", 0x1FFFFFFFFLL), u"-1");
    EXPECT_EQ(F(u"%lu", -1), u"4294967295");
    EXPECT_EQ(F(u"%hd", 70000), u"4464");
}

TEST(CStringFormatTest, StringsAreWideWithNarrowOnRequest) {
    const WCHAR* wide = u"Diameter";
    CString name(u"Orlan");
    EXPECT_EQ(F(u"%s|%ls|%S", wide, name, "narrow"), u"Diameter|Orlan|narrow");
    EXPECT_EQ(F(u" /u /tlb \"%s%s\"", u"Z:\\p\\bin\\", u"lib.dll"),
              u" /u /tlb \"Z:\\p\\bin\\lib.dll\"");
    EXPECT_EQ(F(u"[%6s][%-6s][%.3s]", u"ab", u"ab", u"abcdef"), u"[    ab][ab    ][abc]");
    EXPECT_EQ(F(u"%c%c", u'Q', 'W'), u"QW");
    EXPECT_EQ(F(u"%s", static_cast<const WCHAR*>(nullptr)), u"(null)");
}

TEST(CStringFormatTest, MissingArgumentsPrintNothingHarmful) {
    EXPECT_EQ(F(u"m_cbReflectorSizeList : %d"), u"m_cbReflectorSizeList : 0");
    CString s(u"a");
    s.AppendFormat(u"%d-%s", 1, u"b");
    EXPECT_EQ(s, u"a1-b");
}

TEST(CStringTest, EditingAndComparing) {
    CString s(u"  Tarn.Tracker.Connection.dll  ");
    s.Trim();
    EXPECT_EQ(s.GetLength(), 27);
    EXPECT_EQ(s.ReverseFind(u'.'), 23);
    EXPECT_EQ(s.Left(4), u"Tarn");
    EXPECT_EQ(s.Mid(5, 7), u"Tracker");
    EXPECT_EQ(s.Right(3), u"dll");
    EXPECT_EQ(s.Find(u"Conn"), 13);
    EXPECT_EQ(s.Find(u'x'), -1);
    EXPECT_EQ(s.CompareNoCase(u"TARN.tracker.connection.DLL"), 0);
    EXPECT_LT(CString(u"100").Compare(u"25"), 0);
    EXPECT_TRUE(CString(u"a") + u"b" + CString(u"c") == u"abc");
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(static_cast<LPCWSTR>(empty)[0], u'\0');
}

TEST(WideCrtTest, TextToDoubleLikeTheRuntime) {
    EXPECT_DOUBLE_EQ(_wtof(u"0.1"), 0.1);
    EXPECT_DOUBLE_EQ(_wtof(u"  \t300"), 300.0);
    EXPECT_DOUBLE_EQ(_wtof(u"12.5mm"), 12.5);
    EXPECT_DOUBLE_EQ(_wtof(u"-1e3"), -1000.0);
    EXPECT_EQ(_wtof(u"abc"), 0.0);
    EXPECT_EQ(_wtof(u""), 0.0);
    EXPECT_EQ(_wtof(nullptr), 0.0);
    const WCHAR* text = u" 4.5x";
    WCHAR* end = nullptr;
    EXPECT_DOUBLE_EQ(wcstod(text, &end), 4.5);
    EXPECT_EQ(end, text + 4);
    const WCHAR* letters = u"none";
    wcstod(letters, &end);
    EXPECT_EQ(end, letters);
    EXPECT_EQ(_wtoi(u"-42z"), -42);
    EXPECT_EQ(_wcsicmp(u"Main", u"MAIN"), 0);
}

} // namespace
