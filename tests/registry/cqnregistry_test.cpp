// The module's settings store: key composition, the fallback root and limits.
#include "registry_fixture.h"

#include "settings/CQNRegistry.h"

namespace {

constexpr const WCHAR* kCurrentKey = TEXT("Software\\Corvane\\ZU_HW_Interface\\Orlan Q-Wand");
constexpr const WCHAR* kFallbackKey = TEXT("Software\\Brenquist\\ZU_HW_Interface\\Orlan Q-Wand");

class SettingsStore : public RegistryTest {
protected:
    void SetUp() override { m_registry.SetKey(TEXT("Orlan Q-Wand"), true); }

    static void Put(const WCHAR* keyPath, const WCHAR* name, const platform::WideString& text) {
        KeyHandle key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, keyPath, key.out()), ERROR_SUCCESS);
        ASSERT_EQ(SetString(key, name, text), ERROR_SUCCESS);
    }

    static bool KeyExists(const WCHAR* keyPath) {
        KeyHandle key;
        return RegOpenKeyW(HKEY_CURRENT_USER, keyPath, key.out()) == ERROR_SUCCESS;
    }

    CQNRegistry m_registry;
};

// The first read creates the empty current key; values written read back
// with their names in any case.
TEST_F(SettingsStore, ValuesRoundTripWithNamesInAnyCase) {
    DWORD value = 7;
    RegString text = TEXT("default");
    EXPECT_EQ(m_registry.ReadDword(TEXT("m_btnCheckStable"), value), 0);
    EXPECT_EQ(m_registry.ReadString(TEXT("m_distanceTol"), text), 0);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(text, TEXT("default"));
    EXPECT_TRUE(KeyExists(kCurrentKey));
    EXPECT_FALSE(KeyExists(kFallbackKey));
    EXPECT_EQ(m_registry.OpenFallbackKey(), nullptr);

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
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kCurrentKey, key.out()), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key, TEXT("m_ipAddressBox"), nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, 2 * (8 + 1u));
}

TEST_F(SettingsStore, FallbackRootFillsGapsButNeverWins) {
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

TEST_F(SettingsStore, TextsBeyondTheBufferCountAsMissing) {
    // 2046 bytes are offered: 1022 characters and the terminator fit.
    const platform::WideString fits(1022, TEXT('x'));
    const platform::WideString tooLong(1023, TEXT('y'));
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

    // Stored without a terminator, 1023 characters fit and the zero-filled
    // buffer ends them. (Windows stores a terminator that directly follows the
    // counted characters with them, so a character other than zero follows.)
    const platform::WideString unterminated = tooLong + TEXT('z');
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kCurrentKey, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, TEXT("bare"), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(unterminated.data()),
                             DWORD(tooLong.size() * sizeof(WCHAR))),
              ERROR_SUCCESS);
    EXPECT_EQ(m_registry.ReadString(TEXT("bare"), text), 1);
    EXPECT_EQ(text, tooLong);
}

TEST_F(SettingsStore, DwordReadsDoNotCheckTheType) {
    Put(kCurrentKey, TEXT("one"), TEXT("a")); // 'a', 0: four bytes
    Put(kCurrentKey, TEXT("none"), TEXT(""));
    Put(kCurrentKey, TEXT("three"), TEXT("abc"));
    DWORD value = 99;
    EXPECT_EQ(m_registry.ReadDword(TEXT("one"), value), 1);
    EXPECT_EQ(value, 0x61u);
    EXPECT_EQ(m_registry.ReadDword(TEXT("none"), value), 1);
    EXPECT_EQ(value, 0u);
    value = 99;
    EXPECT_EQ(m_registry.ReadDword(TEXT("three"), value), 0);
    EXPECT_EQ(value, 99u);

    m_registry.WriteDword(TEXT("number"), 0x00620061);
    RegString text;
    EXPECT_EQ(m_registry.ReadString(TEXT("number"), text), 1);
    EXPECT_EQ(text, TEXT("ab"));
}

TEST_F(SettingsStore, KeyOutsideTheRootAndCreatingOpen) {
    m_registry.SetKey(TEXT("Software\\QNZU Test Elsewhere"), false);
    KeyHandle created(m_registry.OpenFallbackKey(true));
    ASSERT_NE(static_cast<HKEY>(created), nullptr);
    EXPECT_TRUE(KeyExists(TEXT("Software\\QNZU Test Elsewhere")));
    m_registry.WriteDword(TEXT("v"), 1);
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, TEXT("Software\\QNZU Test Elsewhere"), key.out()),
              ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, TEXT("v"), &value), ERROR_SUCCESS);
    // The fallback is looked for under the name given, below the fallback root.
    Put(TEXT("Software\\Brenquist\\ZU_HW_Interface\\Software\\QNZU Test Elsewhere"), TEXT("w"),
        TEXT("x"));
    RegString text;
    EXPECT_EQ(m_registry.ReadString(TEXT("w"), text), 1);
}

} // namespace
