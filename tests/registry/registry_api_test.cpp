// The Reg* functions as the module uses them: on Linux the hive file's
// implementation, on Windows the real registry, with the same results.
// (How the hive file holds them: hive_file_test.cpp.)
#include "registry_fixture.h"

namespace {

using RegistryApi = RegistryTest;

constexpr const WCHAR* kProduct = TEXT("Software\\QNZU Test Vendor\\Product");

TEST_F(RegistryApi, ValuesRoundTrip) {
    {
        KeyHandle key;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kProduct, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, key.out(), &disposition),
                  ERROR_SUCCESS);
        EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
        EXPECT_EQ(SetDword(key, TEXT("Count"), 30), ERROR_SUCCESS);
        EXPECT_EQ(SetString(key, TEXT("Path"), TEXT("C:\\a \"b\"")), ERROR_SUCCESS);
        EXPECT_EQ(SetString(key, nullptr, TEXT("default")), ERROR_SUCCESS);
        const BYTE blob[] = {1, 2, 0xFE};
        EXPECT_EQ(RegSetValueExW(key, TEXT("Blob"), 0, REG_BINARY, blob, sizeof blob),
                  ERROR_SUCCESS);
    }
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, key.out()), ERROR_SUCCESS);
    DWORD count = 0;
    EXPECT_EQ(QueryDword(key, TEXT("Count"), &count), ERROR_SUCCESS);
    EXPECT_EQ(count, 30u);
    EXPECT_EQ(QueryString(key, TEXT("Path")), TEXT("C:\\a \"b\""));
    EXPECT_EQ(QueryString(key, TEXT("")), TEXT("default"));
    BYTE blob[8] = {};
    DWORD size = sizeof blob;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Blob"), nullptr, &type, blob, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(blob[2], 0xFE);

    // Names of keys and values ignore case.
    KeyHandle other;
    ASSERT_EQ(
        RegOpenKeyW(HKEY_CURRENT_USER, TEXT("SOFTWARE\\qnzu test VENDOR\\PRODUCT"), other.out()),
        ERROR_SUCCESS);
    SetDword(other, TEXT("Mixed Case"), 1);
    SetDword(other, TEXT("MIXED CASE"), 2);
    EXPECT_EQ(QueryDword(key, TEXT("mixed case"), &count), ERROR_SUCCESS);
    EXPECT_EQ(count, 2u);
}

TEST_F(RegistryApi, QueryReportsSizesAndShortBuffers) {
    KeyHandle key;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, TEXT("Name"), TEXT("abc")), ERROR_SUCCESS);

    DWORD size = 0;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Name"), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, 8u);

    WCHAR buffer[4] = {TEXT('x'), TEXT('x'), TEXT('x'), TEXT('x')};
    size = 6;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Name"), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                               &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);
    size = 8;
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Name"), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(platform::WideString(buffer), TEXT("abc"));

    EXPECT_EQ(RegQueryValueExW(key, TEXT("Name"), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                               nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Missing"), nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
}

#ifndef _WIN32
// On Linux only the current user's hive exists. Windows merges the machine's
// classes into HKEY_CLASSES_ROOT and writes new class keys there.
TEST_F(RegistryApi, ClassesRootIsThePerUserClassesKey) {
    {
        KeyHandle clsid;
        ASSERT_EQ(RegCreateKeyW(HKEY_CLASSES_ROOT, TEXT("CLSID\\{1}\\InprocServer32"), clsid.out()),
                  ERROR_SUCCESS);
        SetString(clsid, nullptr, TEXT("/lib/server.so"));
    }
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, TEXT("Software\\Classes\\CLSID\\{1}\\InprocServer32"),
                          key.out()),
              ERROR_SUCCESS);
    EXPECT_EQ(QueryString(key, nullptr), TEXT("/lib/server.so"));
    KeyHandle machine;
    EXPECT_NE(RegOpenKeyW(HKEY_LOCAL_MACHINE, TEXT("Software"), machine.out()), ERROR_SUCCESS);
}
#endif

TEST_F(RegistryApi, DeletingInvalidatesOpenHandles) {
    KeyHandle product;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, product.out()), ERROR_SUCCESS);
    SetDword(product, TEXT("A"), 1);
    EXPECT_EQ(RegDeleteValueW(product, TEXT("a")), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(product, TEXT("a")), ERROR_FILE_NOT_FOUND);
    {
        KeyHandle child;
        ASSERT_EQ(RegCreateKeyW(product, TEXT("Child\\Grandchild"), child.out()), ERROR_SUCCESS);
    }
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, TEXT("Software\\QNZU Test Vendor")), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, TEXT("Software\\QNZU Test Vendor")),
              ERROR_FILE_NOT_FOUND);
    KeyHandle gone;
    EXPECT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, TEXT("Software\\QNZU Test Vendor"), gone.out()),
              ERROR_FILE_NOT_FOUND);

    // A key of the same name made again is a different key.
    KeyHandle again;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, again.out()), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(product, TEXT("A"), 1), ERROR_KEY_DELETED);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(product, TEXT("A"), &value), ERROR_KEY_DELETED);
}

TEST_F(RegistryApi, RejectsBadArgumentsAndMissingAccess) {
    KeyHandle key;
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, TEXT("\\Software\\Lead"), key.out()),
              ERROR_BAD_PATHNAME);
#ifndef _WIN32
    // The hive file refuses two names that the registry under Wine accepts: an
    // empty one between two separators (skipped there) and one with a line
    // break (the file's lines could not hold it).
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, TEXT("Software\\\\Twice"), key.out()),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, TEXT("Line\nBreak"), key.out()),
              ERROR_INVALID_PARAMETER);
#endif
    DWORD value = 0;
    EXPECT_EQ(QueryDword(reinterpret_cast<HKEY>(&value), TEXT("A"), &value), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(reinterpret_cast<HKEY>(&value)), ERROR_INVALID_HANDLE);

    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, kProduct, key.out()), ERROR_SUCCESS);
    KeyHandle readOnly;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_READ, readOnly.out()),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(readOnly, TEXT("A"), 1), ERROR_ACCESS_DENIED);
    KeyHandle writeOnly;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kProduct, 0, KEY_WRITE, writeOnly.out()),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(writeOnly, TEXT("A"), 1), ERROR_SUCCESS);
    EXPECT_EQ(QueryDword(writeOnly, TEXT("A"), &value), ERROR_ACCESS_DENIED);
}

} // namespace
