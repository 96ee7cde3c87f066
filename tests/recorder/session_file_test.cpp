// The session file's fields: what the writer puts down is what the loader
// reads back, doubles exactly, strings with their escapes, images as bytes.
#include "tests/support/test_files.h"
#include "trackerrec/session_file.h"
#include "trackerrec/session_log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using namespace trackerrec;

TEST(SessionFileTest, WrittenFieldsLoadBackAsWritten) {
    simtest::TempFolder folder("session-file");
    const std::string path = (folder.Path() / "fields.txt").string();
    SessionLog& log = SessionLog::Get();
    log.Open(path);
    ASSERT_TRUE(log.Active());
    const uint32_t member = log.Member("ScalarValue.get_Value");
    LineTokens& line = log.Line();
    line += '0';
    PutLong(line, member);
    for (double value : {0.1, 2003.839762688916, 0.1, -0.0, 1e-300, 2003.839762688916})
        PutDouble(line, value);
    const std::u16string text = u"a \"quoted\"\\ line\nand µ";
    PutString(line, reinterpret_cast<const OLECHAR*>(text.data()), text.size());
    const unsigned char bytes[] = {'B', 'M', 0, 255, 7};
    PutBytes(line, bytes, sizeof bytes);
    PutFailure(line, static_cast<HRESULT>(0x80040202), "No tracker answers.");
    log.Write(line);
    log.Close();
    EXPECT_FALSE(log.Active());

    SessionFile file;
    std::string error;
    ASSERT_TRUE(LoadSessionFile(path, file, error)) << error;
    ASSERT_EQ(file.members, std::vector<std::string>{"ScalarValue.get_Value"});
    ASSERT_EQ(file.entries.size(), 2u); // the call and the end
    const std::vector<std::string_view> f = file.entries[0].Fields();
    ASSERT_EQ(f.size(), 12u);
    // Doubles in their shortest exact form; a repeat as a reference back.
    EXPECT_EQ(f[2], "0.1");
    EXPECT_EQ(f[3], "2003.839762688916");
    EXPECT_EQ(f[4], "=2");
    EXPECT_EQ(f[5], "-0");
    EXPECT_EQ(f[6], "1e-300");
    EXPECT_EQ(f[7], "=4");
    std::string unquoted;
    ASSERT_TRUE(UnquoteField(f[8], unquoted));
    EXPECT_EQ(unquoted, "a \"quoted\"\\ line\nand \xC2\xB5");
    EXPECT_EQ(f[9], "bQk0A/wc=");
    EXPECT_EQ(f[10], "!80040202");
    EXPECT_EQ(f[11], "\"No tracker answers.\"");
    EXPECT_EQ(file.entries[1].kind, SessionEntry::End);
}

TEST(SessionFileTest, EntriesAfterTheEndAndUnknownEntriesAreRefused) {
    simtest::TempFolder folder("session-file");
    const auto refused = [&](const std::string& body) {
        const auto path = folder.Path() / "bad.txt";
        std::ofstream(path, std::ios::binary) << "QNZU-TRACKER-SESSION 1\n" << body;
        SessionFile file;
        std::string error;
        return LoadSessionFile(path.string(), file, error) ? std::string() : error;
    };
    EXPECT_EQ(refused("m 1 Tracker.Disconnect\n0 1\nend\n"), "");
    EXPECT_NE(refused("m 1 Tracker.Disconnect\nend\n0 1\n").find("after the end"),
              std::string::npos);
    EXPECT_NE(refused("m 2 Tracker.Disconnect\nend\n").find("out of order"), std::string::npos);
    EXPECT_NE(refused("x 1\nend\n").find("unknown entry"), std::string::npos);
    EXPECT_NE(refused("m 1 A.b\ne 10 0\nend\n").find("event"), std::string::npos);
    // The module's settings come before the session's first entry.
    EXPECT_EQ(refused("s current \"a b\" 7\ns fallback \"c\" \"x\"\ns current \"d\" bAQI=\nend\n"),
              "");
    for (const char* bad : {"s other \"a\" 1\n", "s current a 1\n", "s current \"a\" T\n",
                            "s current \"a\" 4294967296\n", "s current \"a\" b%\n",
                            "s current \"a\"\n", "s current \"\" 1\n"})
        EXPECT_NE(refused(std::string(bad) + "end\n").find("a setting that is not"),
                  std::string::npos)
            << bad;
    EXPECT_NE(refused("m 1 A.b\n0 1\ns current \"a\" 1\nend\n").find("after the session began"),
              std::string::npos);
    // A file cut off mid-line says so, not what the cut line's fields lack.
    EXPECT_NE(refused("s current \"a\" 1\ns curr").find("truncated (line 3 is cut short"),
              std::string::npos);
    EXPECT_NE(refused("s cur\nend\n").find("line 2: a setting that is not"), std::string::npos);
    // Numbers too large for any count are refused, not thrown.
    EXPECT_NE(refused("m 1 A.b\n0 18446744073709551617\nend\n").find("member"), std::string::npos);
    std::istringstream huge("QNZU-TRACKER-SESSION 134538937991\nend\n");
    SessionFile file;
    std::string error;
    EXPECT_FALSE(ReadSessionFile(huge, "huge", file, error));
    EXPECT_NE(error.find("newer"), std::string::npos) << error;
}

// A file that went through a Windows editor or mail program: lines ending in
// CR LF, a UTF-8 byte order mark first. It loads as the file it was.
TEST(SessionFileTest, WindowsLineEndsAndAByteOrderMarkLoadAsTheFileWas) {
    const std::string lines[] = {"QNZU-TRACKER-SESSION 2", "s current \"a\" \"x y\"",
                                 "m 1 ScalarValue.get_Value", "0 1 0.5", "end"};
    const auto load = [&](const std::string& first, const std::string& lineEnd) {
        std::string text = first;
        for (const std::string& line : lines)
            text += line + lineEnd;
        std::istringstream in(text);
        SessionFile file;
        std::string error;
        EXPECT_TRUE(ReadSessionFile(in, "windows", file, error)) << error;
        return file;
    };
    const SessionFile plain = load("", "\n");
    ASSERT_EQ(plain.entries.size(), 2u);
    for (const SessionFile& file :
         {load("", "\r\n"), load("\xEF\xBB\xBF", "\r\n"), load("\xEF\xBB\xBF", "\n")}) {
        EXPECT_EQ(file.members, plain.members);
        ASSERT_EQ(file.settings.size(), 1u);
        EXPECT_EQ(file.settings[0].value, "\"x y\"");
        ASSERT_EQ(file.entries.size(), plain.entries.size());
        EXPECT_EQ(file.entries[0].Fields(), plain.entries[0].Fields());
    }
}

} // namespace
