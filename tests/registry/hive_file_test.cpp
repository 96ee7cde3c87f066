// The hive file: the format values are saved in, damaged and foreign input,
// preservation of what the store does not understand, atomic saves and
// changes made by other processes.
#include "hive_fixture.h"

#include "settings/CQNRegistry.h"

#include <sys/stat.h>

namespace {

using HiveFile = HiveTest;

constexpr const char16_t* kProduct = u"Software\\Vendor\\Product";
const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kSection = "[HKEY_CURRENT_USER\\Software\\Vendor\\Product]\r\n";

std::string Utf16Le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

std::string Utf16Be(const std::string& ascii) {
    std::string out = "\xFE\xFF";
    for (char c : ascii) {
        out += '\0';
        out += c;
    }
    return out;
}

// Name → DWORD as the store reads it, or -1 when it is not found.
long long DwordOf(const char16_t* name) {
    KeyHandle key;
    DWORD value = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, key.out()) != ERROR_SUCCESS ||
        QueryDword(key, name, &value) != ERROR_SUCCESS) {
        return -1;
    }
    return value;
}

std::u16string StringOf(const char16_t* name) {
    KeyHandle key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, key.out()) != ERROR_SUCCESS) {
        return u"<no key>";
    }
    LONG status = ERROR_SUCCESS;
    std::u16string text = QueryString(key, name, &status);
    return status == ERROR_SUCCESS ? text : u"<missing>";
}

TEST_F(HiveFile, ValuesAreSavedInTheExportFormatAndReloaded) {
    { // Reads leave a missing hive alone.
        KeyHandle key;
        EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, nullptr, key.out()), ERROR_SUCCESS);
        DWORD value = 0;
        EXPECT_EQ(QueryDword(key, u"A", &value), ERROR_FILE_NOT_FOUND);
        EXPECT_FALSE(std::filesystem::exists(path_));
    }
    {
        KeyHandle key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
        EXPECT_EQ(SetDword(key, u"Count", 30), ERROR_SUCCESS);
        EXPECT_EQ(SetString(key, u"Path", u"C:\\a \"b\""), ERROR_SUCCESS);
        EXPECT_EQ(SetString(key, nullptr, u"default"), ERROR_SUCCESS);
        const BYTE blob[] = {1, 2, 0xFE};
        EXPECT_EQ(RegSetValueExW(key, u"Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
    }
    const std::string text = HiveText();
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\r\n\r\n", 0), 0u);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vendor\\Product]\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Count\"=dword:0000001e\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Path\"=\"C:\\\\a \\\"b\\\"\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("@=\"default\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Blob\"=hex:01,02,fe\r\n"), std::string::npos);

    // A second hive and back forces a reload from the file.
    UseHive(dir_ / "other.reg");
    KeyHandle none;
    EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kProduct, none.out()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(static_cast<HKEY>(none), nullptr);
    UseHive(path_);

    EXPECT_EQ(DwordOf(u"Count"), 30);
    EXPECT_EQ(StringOf(u"Path"), u"C:\\a \"b\"");
    EXPECT_EQ(StringOf(u""), u"default");
}

TEST_F(HiveFile, NamesInAnyCaseMakeOneEntryUnderTheFirstSpelling) {
    {
        KeyHandle key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Vendor\\Product", key.out()),
                  ERROR_SUCCESS);
        SetDword(key, u"Mixed Case", 1);
        SetDword(key, u"MIXED CASE", 2);
    }
    KeyHandle key;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"SOFTWARE\\vendor\\PRODUCT", key.out()),
              ERROR_SUCCESS);
    const std::string text = HiveText();
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vendor\\Product]"), std::string::npos);
    EXPECT_EQ(text.find("MIXED"), std::string::npos);
    EXPECT_EQ(text.find("SOFTWARE"), std::string::npos);
}

TEST_F(HiveFile, DeletedKeysLeaveNothingInTheFile) {
    {
        KeyHandle child;
        ASSERT_EQ(
            RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Vendor\\Product\\Child", child.out()),
            ERROR_SUCCESS);
        SetDword(child, u"A", 1);
    }
    ASSERT_NE(HiveText().find("Vendor"), std::string::npos);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"Software\\Vendor"), ERROR_SUCCESS);
    EXPECT_EQ(HiveText().find("Vendor"), std::string::npos);
}

TEST_F(HiveFile, DamagedInputReadsAsWhateverIsIntact) {
    struct Case {
        const char* what;
        std::string bytes;
        long long a; // expected DWORD "A", -1 when absent
    };
    const Case cases[] = {
        {"empty", "", -1},
        {"header only", kHeader, -1},
        {"truncated in a value", kHeader + kSection + "\"A\"=dword:00000002\r\n\"B\"=dword:0000",
         2},
        {"truncated in a section", kHeader + kSection + "\"A\"=dword:3\r\n[HKEY_CURRENT_USER\\Soft",
         3},
        {"truncated hex", kHeader + kSection + "\"A\"=dword:4\r\n\"B\"=hex:01,02,\\\r\n", 4},
        {"garbage",
         kHeader + "\x01\x02garbage\r\n[[[\r\n" + kSection + "zzz\r\n\"A\"=dword:5\r\n=\r\n\"\r\n",
         5},
        {"wrong type", kHeader + kSection + "\"A\"=dword:xyz\r\n\"A2\"=dword:123456789\r\n", -1},
        {"Latin-1 bytes",
         kHeader + kSection +
             "\"Gr\xF6\xDF"
             "e\"=\"\xE9\"\r\n\"A\"=dword:6\r\n",
         6},
        {"LF only",
         "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Vendor\\Product]\n"
         "\"A\"=dword:7\n",
         7},
        {"UTF-8 BOM", "\xEF\xBB\xBF" + kHeader + kSection + "\"A\"=dword:8\r\n", 8},
        {"UTF-16LE BOM", Utf16Le(kHeader + kSection + "\"A\"=dword:9\r\n"), 9},
        {"UTF-16LE odd length", Utf16Le(kHeader + kSection + "\"A\"=dword:a\r\n") + "\x41", 10},
        {"UTF-16LE, no mark", Utf16Le(kHeader + kSection + "\"A\"=dword:b\r\n").substr(2), 11},
        {"UTF-16BE, no mark", Utf16Be(kHeader + kSection + "\"A\"=dword:c\r\n").substr(2), 12},
        {"UTF-16BE mark", Utf16Be(kHeader + kSection + "\"A\"=dword:d\r\n"), 13},
        {"binary noise", std::string("\x00\xFF\xFE\x00\xD8\x00\xDC", 7), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReplaceHive(c.bytes);
        EXPECT_EQ(DwordOf(u"A"), c.a);
    }
}

TEST_F(HiveFile, ReadsUnicodeInBothEncodings) {
    const std::string utf8 = kHeader + kSection +
                             "\"Gr\xC3\xB6\xC3\x9F"
                             "e\"=\"\xE2\x82\xAC 5\"\r\n";
    WriteHive(utf8);
    EXPECT_EQ(StringOf(u"GR\u00D6\u00DFE"), u"\u20AC 5");

    std::string utf16 = "\xFF\xFE";
    for (char16_t c : std::u16string(u"Windows Registry Editor Version 5.00\r\n\r\n"
                                     u"[HKEY_CURRENT_USER\\Software\\Vendor\\Product]\r\n"
                                     u"\"\u0418\u043C\u044F\"=\"\u20AC\"\r\n")) {
        utf16 += char(c & 0xFF);
        utf16 += char(c >> 8);
    }
    ReplaceHive(utf16);
    EXPECT_EQ(StringOf(u"\u0438\u043C\u044F"), u"\u20AC");
}

TEST_F(HiveFile, SaveKeepsWhatItDidNotUnderstand) {
    // Lines of the product key the store does not interpret, then foreign sections.
    const std::vector<std::string> kept = {
        "; a comment",
        "\"Removed\"=-",
        "\"Bad\"=dword:xyz",
        "\"Future\"=qword:1",
        "\"Unknown\"=hex(20000):01,02",
        "\"Multi\"=hex(7):41,00,00,00,00,00",
        "\"BadHex\"=hex:zz,\\",
    };
    const std::vector<std::string> foreign = {
        "[HKEY_LOCAL_MACHINE\\Software\\Other]",
        "\"Machine\"=dword:00000001",
        "",
        "[-HKEY_CURRENT_USER\\Software\\Gone]",
    };
    std::string file = kHeader + kSection + "\"Blob\"=hex:00,01,\\\r\n  02,03\r\n";
    for (const std::string& line : kept) {
        file += line + "\r\n";
    }
    file += "\r\n";
    for (const std::string& line : foreign) {
        file += line + "\r\n";
    }
    WriteHive(file);

    KeyHandle key;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    BYTE blob[4] = {};
    DWORD size = sizeof blob;
    ASSERT_EQ(RegQueryValueExW(key, u"Blob", nullptr, nullptr, blob, &size), ERROR_SUCCESS);
    EXPECT_EQ(blob[3], 3);
    ASSERT_EQ(SetDword(key, u"New", 1), ERROR_SUCCESS);

    const std::string text = HiveText();
    const size_t product = text.find(kSection);
    const size_t machine = text.find(foreign[0]);
    ASSERT_NE(product, std::string::npos);
    for (const std::string& line : kept) {
        const size_t at = text.find(line + "\r\n");
        EXPECT_TRUE(at > product && at < machine) << line;
    }
    EXPECT_NE(text.find(foreign[0] + "\r\n" + foreign[1] + "\r\n"), std::string::npos);
    EXPECT_NE(text.find(foreign[3] + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Blob\"=hex:00,01,02,03\r\n"), std::string::npos);

    // Read back (a changed file is parsed again), the value written after the
    // kept lines is intact.
    ReplaceHive(HiveBytes() + "\r\n");
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, u"New", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 1u);
}

TEST_F(HiveFile, ReadsAndWritesAsTheRegistryImportAndExportDo) {
    const std::string deleted = "[-HKEY_CURRENT_USER\\Software\\Vendor\\Product]";
    const std::string noted = "[HKEY_CURRENT_USER\\Software\\Vendor\\Product] ; note";
    const std::string escaped = "\"S\"=\"a\\nb\\\\c\\\"d\\re\\tf\"";
    WriteHive(kHeader + kSection + "\"Old\"=dword:00000001\r\n\r\n" + deleted + "\r\n\r\n" + noted +
              "\r\n\"A\"=dword:00000002\r\n" + escaped + "\r\n" +
              // Without its "]" a line is no section: kept as text in the key.
              "[HKEY_CURRENT_USER\\Software\\Other\r\n\"B\"=dword:00000003\r\n");
    EXPECT_EQ(DwordOf(u"Old"), -1); // deleted before the key was made again
    EXPECT_EQ(DwordOf(u"A"), 2);
    EXPECT_EQ(DwordOf(u"B"), 3);
    // \n and \r are line breaks, an unknown escape stands for its character.
    EXPECT_EQ(StringOf(u"S"), u"a\nb\\c\"d\retf");

    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, u"T", u"x\r\ny"), ERROR_SUCCESS);
    const std::string text = HiveText();
    const size_t deletion = text.find(deleted + "\r\n");
    const size_t section = text.find(noted + "\r\n");
    ASSERT_NE(deletion, std::string::npos);
    EXPECT_LT(deletion, section);
    EXPECT_EQ(text.find("\"Old\""), std::string::npos);
    EXPECT_NE(text.find("\"S\"=\"a\\nb\\\\c\\\"d\\retf\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"T\"=\"x\\r\\ny\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Other\r\n"), std::string::npos);

    // A file of this store's own making reads back as it was written.
    ReplaceHive(HiveBytes());
    EXPECT_EQ(StringOf(u"T"), u"x\r\ny");
    EXPECT_EQ(StringOf(u"S"), u"a\nb\\c\"d\retf");
}

TEST_F(HiveFile, RefusesWhatIsNoRegistryExportAndSaysWhy) {
    const std::string notes = "my notes\n[HKEY_CURRENT_USER\\Software]\n";
    WriteHive(notes);
    KeyHandle key;
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_BADDB);
    EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, u"Software", key.out()), ERROR_BADDB);
    EXPECT_EQ(HiveBytes(), notes);
    std::string problem = platform::RegistryStoreProblem();
    EXPECT_NE(problem.find(path_.string()), std::string::npos) << problem;
    EXPECT_NE(problem.find("not a registry export"), std::string::npos) << problem;

    // Once it is one, it is used.
    ReplaceHive(kHeader + notes.substr(9));
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    EXPECT_EQ(platform::RegistryStoreProblem(), "");

    const auto folder = dir_ / "folder.reg";
    std::filesystem::create_directory(folder);
    UseHive(folder);
    EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, u"Software", key.out()), ERROR_ACCESS_DENIED);
    problem = platform::RegistryStoreProblem();
    EXPECT_NE(problem.find(folder.string() + ": Is a directory"), std::string::npos) << problem;
}

TEST_F(HiveFile, KeysAreAtMost512LevelsDeep) {
    std::u16string path = u"Software";
    for (int level = 1; level < 512; ++level) {
        path += u"\\k";
    }
    KeyHandle deepest;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, path.c_str(), deepest.out()), ERROR_SUCCESS);
    KeyHandle tooDeep;
    EXPECT_EQ(RegCreateKeyW(deepest, u"k", tooDeep.out()), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, path.c_str(), tooDeep.out()), ERROR_BAD_PATHNAME);
    EXPECT_EQ(static_cast<HKEY>(tooDeep), nullptr);

    // A deeper section of a file is kept as text; the rest of the file reads.
    std::string file = kHeader + "[HKEY_CURRENT_USER";
    for (int level = 0; level < 600; ++level) {
        file += "\\k";
    }
    ReplaceHive(file + "]\r\n\"X\"=dword:1\r\n\r\n" + kSection + "\"A\"=dword:2\r\n");
    EXPECT_EQ(DwordOf(u"A"), 2);
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, u"B", 3), ERROR_SUCCESS);
    EXPECT_NE(HiveText().find(file.substr(kHeader.size()) + "]\r\n\"X\"=dword:1\r\n"),
              std::string::npos);
}

TEST_F(HiveFile, LongBinaryDataIsWrappedAndReadBack) {
    std::vector<BYTE> data(300);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = BYTE(i * 7);
    }
    {
        KeyHandle key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, u"Long", 0, REG_BINARY, data.data(), DWORD(data.size())),
                  ERROR_SUCCESS);
        // Text that the quoted form cannot hold goes out as hex(1).
        ASSERT_EQ(
            RegSetValueExW(key, u"Lines", 0, REG_SZ, reinterpret_cast<const BYTE*>(u"a\0b"), 8),
            ERROR_SUCCESS);
    }
    const std::string text = HiveText();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - start, 80u);
        start = end + 2;
    }
    EXPECT_NE(text.find("\"Lines\"=hex(1):"), std::string::npos);

    ReplaceHive(HiveBytes() + "\r\n"); // the same content, parsed again
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    std::vector<BYTE> read(400);
    DWORD size = DWORD(read.size());
    ASSERT_EQ(RegQueryValueExW(key, u"Long", nullptr, nullptr, read.data(), &size), ERROR_SUCCESS);
    read.resize(size);
    EXPECT_EQ(read, data);
    BYTE lines[8] = {};
    size = sizeof lines;
    ASSERT_EQ(RegQueryValueExW(key, u"Lines", nullptr, nullptr, lines, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(lines), 4),
              std::u16string(u"a\0b", 4));
}

// A save replaces the file by a new one: a reader holding the old file sees
// it whole, and a value set to what it holds saves nothing.
TEST_F(HiveFile, SavesOnlyChangesAndAtomically) {
    const auto nested = dir_ / "a" / "b" / "hive.reg";
    UseHive(nested);
    KeyHandle key;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, u"A", 1), ERROR_SUCCESS);
    const auto held = dir_ / "held.reg";
    std::filesystem::create_hard_link(nested, held);
    const auto before = std::filesystem::file_size(held);

    ASSERT_EQ(SetDword(key, u"A", 1), ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::equivalent(nested, held)) << "an unchanged value was saved";

    ASSERT_EQ(SetDword(key, u"A", 2), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, u"B", u"text"), ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::equivalent(nested, held)) << "written in place";
    EXPECT_EQ(std::filesystem::file_size(held), before);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(nested.parent_path())) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files, std::vector<std::string>{"hive.reg"});
}

TEST_F(HiveFile, AnUnwritableLocationFailsCleanly) {
    WriteFile(dir_ / "file", "not a folder");
    UseHive(dir_ / "file" / "hive.reg");
    KeyHandle key;
    EXPECT_NE(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    EXPECT_EQ(static_cast<HKEY>(key), nullptr);
    EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_FILE_NOT_FOUND);
    const std::string problem = platform::RegistryStoreProblem();
    EXPECT_NE(problem.find("cannot save " + (dir_ / "file" / "hive.reg").string() + ": "),
              std::string::npos)
        << problem;
    // The settings store fails silently.
    CQNRegistry registry;
    registry.SetKey(u"Orlan Q-Wand", true);
    DWORD value = 3;
    EXPECT_EQ(registry.WriteDword(u"m_rbFast", 1), 0);
    EXPECT_EQ(registry.ReadDword(u"m_rbFast", value), 0);
    EXPECT_EQ(value, 3u);

    // A hive that exists but cannot be read is never overwritten.
    std::filesystem::create_directory(path_);
    UseHive(path_);
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}

// Saves also keep the mode of an existing hive.
TEST_F(HiveFile, SeesChangesMadeByAnotherProcess) {
    WriteHive(kHeader);
    ::chmod(path_.c_str(), 0640);
    KeyHandle key;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, u"A", 1), ERROR_SUCCESS);
    struct stat st {};
    ASSERT_EQ(::stat(path_.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    ReplaceHive(kHeader + kSection + "\"A\"=dword:00000002\r\n");
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, u"A", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 2u);

    // Rewritten in place, with a different length.
    WriteHive(kHeader + kSection + "\"A\"=dword:00000003\r\n\"B\"=dword:00000004\r\n");
    EXPECT_EQ(QueryDword(key, u"B", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 4u);

    // Our next write starts from their content.
    ASSERT_EQ(SetDword(key, u"C", 5), ERROR_SUCCESS);
    EXPECT_NE(HiveText().find("\"B\"=dword:00000004"), std::string::npos);

    // Deleted by them: the handle is stale, the hive is empty.
    std::filesystem::remove(path_);
    EXPECT_EQ(QueryDword(key, u"A", &value), ERROR_KEY_DELETED);
}

} // namespace
