// The module's settings store against the real registry of the current user:
// the round trip, the fallback root and the string limit, as on Linux.
#include "settings/CQNRegistry.h"

#include <gtest/gtest.h>

namespace {

constexpr WCHAR kCurrentKey[] = TEXT("Software\\Corvane\\ZU_HW_Interface\\Orlan Q-Wand");
constexpr WCHAR kFallbackKey[] = TEXT("Software\\Brenquist\\ZU_HW_Interface\\Orlan Q-Wand");
constexpr WCHAR kCurrentVendor[] = TEXT("Software\\Corvane");
constexpr WCHAR kFallbackVendor[] = TEXT("Software\\Brenquist");

// Owns a key handle for the length of a test step.
class KeyHandle {
public:
    KeyHandle() = default;
    explicit KeyHandle(HKEY key) : m_key(key) {}
    ~KeyHandle() {
        if (m_key)
            RegCloseKey(m_key);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* out() { return &m_key; }
    operator HKEY() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

RegString QueryString(HKEY key, const WCHAR* name) {
    WCHAR buffer[2048] = {};
    DWORD size = sizeof buffer - sizeof(WCHAR);
    return RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) ==
                   ERROR_SUCCESS
               ? RegString(buffer)
               : RegString();
}

// Each test starts and ends with neither product root in the registry.
class RealRegistryStore : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveRoots();
        m_registry.SetKey(TEXT("Orlan Q-Wand"), true);
    }
    void TearDown() override { RemoveRoots(); }

    static void RemoveRoots() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kCurrentVendor);
        RegDeleteTreeW(HKEY_CURRENT_USER, kFallbackVendor);
    }

    static void Put(const WCHAR* keyPath, const WCHAR* name, const RegString& text) {
        KeyHandle key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  key.out(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 DWORD((text.size() + 1) * sizeof(WCHAR))),
                  ERROR_SUCCESS);
    }

    static bool KeyExists(const WCHAR* keyPath) {
        KeyHandle key;
        return RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, key.out()) == ERROR_SUCCESS;
    }

    CQNRegistry m_registry;
};

TEST_F(RealRegistryStore, FirstReadCreatesTheEmptyCurrentKeyOnly) {
    DWORD value = 7;
    RegString text = TEXT("default");
    EXPECT_EQ(m_registry.ReadDword(TEXT("m_btnCheckStable"), value), 0);
    EXPECT_EQ(m_registry.ReadString(TEXT("m_distanceTol"), text), 0);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(text, TEXT("default"));
    EXPECT_TRUE(KeyExists(kCurrentKey));
    EXPECT_FALSE(KeyExists(kFallbackKey));
    EXPECT_EQ(m_registry.OpenFallbackKey(), nullptr);
}

TEST_F(RealRegistryStore, ValuesRoundTripWithNamesInAnyCase) {
    EXPECT_EQ(m_registry.WriteDword(TEXT("m_ctlSliderSpeed"), 12), 1);
    EXPECT_EQ(m_registry.WriteString(TEXT("m_ipAddressBox"), TEXT("10.0.0.7")), 1);
    EXPECT_EQ(m_registry.WriteString(TEXT("m_stableProbingTime"), TEXT("")), 1);

    CQNRegistry other;
    other.SetKey(TEXT("Orlan Q-Wand"), true);
    DWORD speed = 0;
    RegString address;
    RegString time = TEXT("300");
    EXPECT_EQ(other.ReadDword(TEXT("M_CTLSLIDERSPEED"), speed), 1);
    EXPECT_EQ(speed, 12u);
    EXPECT_EQ(other.ReadString(TEXT("m_ipaddressbox"), address), 1);
    EXPECT_EQ(address, TEXT("10.0.0.7"));
    EXPECT_EQ(other.ReadString(TEXT("m_stableProbingTime"), time), 1);
    EXPECT_EQ(time, TEXT(""));

    KeyHandle key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kCurrentKey, 0, KEY_READ, key.out()), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("m_ipAddressBox"), nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, 2 * (8 + 1u));
}

TEST_F(RealRegistryStore, FallbackRootFillsGapsButNeverWins) {
    Put(kFallbackKey, TEXT("m_distanceTol"), TEXT("0.5"));
    Put(kFallbackKey, TEXT("m_cbAButtonList"), TEXT("Confirm"));
    Put(kCurrentKey, TEXT("m_cbAButtonList"), TEXT("Cancel"));

    RegString tolerance;
    RegString action;
    EXPECT_EQ(m_registry.ReadString(TEXT("m_distanceTol"), tolerance), 1);
    EXPECT_EQ(tolerance, TEXT("0.5"));
    EXPECT_EQ(m_registry.ReadString(TEXT("m_cbAButtonList"), action), 1);
    EXPECT_EQ(action, TEXT("Cancel"));

    // Saving writes the current root only; the fallback copy stays.
    m_registry.WriteString(TEXT("m_distanceTol"), TEXT("0.2"));
    EXPECT_EQ(m_registry.ReadString(TEXT("m_distanceTol"), tolerance), 1);
    EXPECT_EQ(tolerance, TEXT("0.2"));
    KeyHandle fallback(m_registry.OpenFallbackKey());
    ASSERT_NE(static_cast<HKEY>(fallback), nullptr);
    EXPECT_EQ(QueryString(fallback, TEXT("m_distanceTol")), TEXT("0.5"));
}

TEST_F(RealRegistryStore, TextsBeyondTheBufferCountAsMissing) {
    // 2046 bytes are offered: 1022 characters and the terminator fit.
    const RegString fits(1022, TEXT('x'));
    const RegString tooLong(1023, TEXT('y'));
    Put(kCurrentKey, TEXT("fits"), fits);
    Put(kCurrentKey, TEXT("long"), tooLong);
    Put(kFallbackKey, TEXT("long"), TEXT("short"));
    Put(kCurrentKey, TEXT("longNoFallback"), tooLong);

    RegString text;
    EXPECT_EQ(m_registry.ReadString(TEXT("fits"), text), 1);
    EXPECT_EQ(text, fits);
    EXPECT_EQ(m_registry.ReadString(TEXT("long"), text), 1);
    EXPECT_EQ(text, TEXT("short"));
    text = TEXT("default");
    EXPECT_EQ(m_registry.ReadString(TEXT("longNoFallback"), text), 0);
    EXPECT_EQ(text, TEXT("default"));
}

} // namespace
