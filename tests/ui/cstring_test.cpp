// CString formatting where it differs from the C library of Linux.
#include "platform/ui/afxstr.h"

#include <gtest/gtest.h>

namespace {

CString F(LPCWSTR format, auto... args) {
    CString s;
    s.Format(format, args...);
    return s;
}

TEST(CStringFormatTest, LongIsThirtyTwoBitsAsOnWindowsAndMissingArgumentsAreHarmless) {
    EXPECT_EQ(F(TEXT("%ld"), 0x1FFFFFFFFLL), TEXT("-1"));
    EXPECT_EQ(F(TEXT("%lu"), -1), TEXT("4294967295"));
    EXPECT_EQ(F(TEXT("%hd"), 70000), TEXT("4464"));
    // Missing arguments print nothing harmful.
    EXPECT_EQ(F(TEXT("m_cbReflectorSizeList : %d")), TEXT("m_cbReflectorSizeList : 0"));
    CString s(TEXT("a"));
    s.AppendFormat(TEXT("%d-%s"), 1, TEXT("b"));
    EXPECT_EQ(s, TEXT("a1-b"));
}

} // namespace
