// The Reg* functions: Windows semantics over the hive file.
#include "hive_fixture.h"

namespace {

using RegistryApi = HiveTest;

constexpr const char16_t* kProduct = u"Software\\Vendor\\Product";

TEST_F(RegistryApi, ValuesRoundTripThroughTheFile) {
    {
        KeyHandle key;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProduct, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, key.out(), &disposition),
                  ERROR_SUCCESS);
        EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
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

    KeyHandle key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, key.out()), ERROR_SUCCESS);
    DWORD count = 0;
    EXPECT_EQ(QueryDword(key, u"Count", &count), ERROR_SUCCESS);
    EXPECT_EQ(count, 30u);
    EXPECT_EQ(QueryString(key, u"Path"), u"C:\\a \"b\"");
    EXPECT_EQ(QueryString(key, u""), u"default");
    BYTE blob[8] = {};
    DWORD size = sizeof blob;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Blob", nullptr, &type, blob, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(blob[2], 0xFE);
}

TEST_F(RegistryApi, QueryReportsSizesAndShortBuffers) {
    KeyHandle key;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, u"Name", u"abc"), ERROR_SUCCESS);

    DWORD size = 0;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, 8u);

    char16_t buffer[4] = {u'x', u'x', u'x', u'x'};
    size = 6;
    EXPECT_EQ(
        RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);
    size = 8;
    EXPECT_EQ(
        RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::u16string(buffer), u"abc");

    EXPECT_EQ(
        RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApi, NamesIgnoreCase) {
    {
        KeyHandle key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\Vendor\\Product", key.out()),
                  ERROR_SUCCESS);
        SetDword(key, u"Mixed Case", 1);
        SetDword(key, u"MIXED CASE", 2);
    }
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, u"SOFTWARE\\vendor\\PRODUCT", key.out()),
              ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, u"mixed case", &value), ERROR_SUCCESS);
    EXPECT_EQ(value, 2u);
    // One key, one value: the first spelling is kept.
    const std::string text = HiveText();
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vendor\\Product]"), std::string::npos);
    EXPECT_EQ(text.find("MIXED"), std::string::npos);
}

TEST_F(RegistryApi, ClassesRootIsThePerUserClassesKey) {
    {
        KeyHandle clsid;
        ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, u"CLSID\\{1}\\InprocServer32", clsid.out()),
                  ERROR_SUCCESS);
        SetString(clsid, nullptr, u"/lib/server.so");
    }
    KeyHandle key;
    ASSERT_EQ(
        RegOpenKeyW(HKEY_CURRENT_USER, u"Software\\Classes\\CLSID\\{1}\\InprocServer32", key.out()),
        ERROR_SUCCESS);
    EXPECT_EQ(QueryString(key, nullptr), u"/lib/server.so");
    KeyHandle machine;
    EXPECT_NE(RegOpenKeyW(HKEY_LOCAL_MACHINE, u"Software", machine.out()), ERROR_SUCCESS);
}

TEST_F(RegistryApi, DeletingInvalidatesOpenHandles) {
    KeyHandle product;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, product.out()), ERROR_SUCCESS);
    SetDword(product, u"A", 1);
    EXPECT_EQ(RegDeleteValueW(product, u"a"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(product, u"a"), ERROR_FILE_NOT_FOUND);
    {
        KeyHandle child;
        ASSERT_EQ(RegCreateKeyW(product, u"Child\\Grandchild", child.out()), ERROR_SUCCESS);
    }
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"Software\\Vendor"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, u"Software\\Vendor"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(HiveText().find("Vendor"), std::string::npos);

    // A key of the same name made again is a different key.
    KeyHandle again;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, again.out()), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(product, u"A", 1), ERROR_KEY_DELETED);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(product, u"A", &value), ERROR_KEY_DELETED);
}

TEST_F(RegistryApi, RejectsBadArgumentsAndMissingAccess) {
    KeyHandle key;
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Software\\\\Twice", key.out()),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, u"Line\nBreak", key.out()), ERROR_INVALID_PARAMETER);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(reinterpret_cast<HKEY>(&value), u"A", &value), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(&value)), ERROR_INVALID_HANDLE);

    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    KeyHandle readOnly;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, readOnly.out()),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(readOnly, u"A", 1), ERROR_ACCESS_DENIED);
    KeyHandle writeOnly;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_WRITE, writeOnly.out()),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(writeOnly, u"A", 1), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(writeOnly, u"A", &value), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryApi, ReadsLeaveAMissingHiveAlone) {
    KeyHandle key;
    EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, nullptr, key.out()), ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, u"A", &value), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(path_));
}

} // namespace
