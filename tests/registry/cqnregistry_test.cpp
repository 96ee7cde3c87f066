// The module's settings store: key composition, the fallback root and limits.
#include "hive_fixture.h"

#include "settings/CQNRegistry.h"

namespace {

constexpr const char16_t* kCurrentKey = u"Software\\Corvane\\ZU_HW_Interface\\Orlan Q-Wand";
constexpr const char16_t* kFallbackKey = u"Software\\Brenquist\\ZU_HW_Interface\\Orlan Q-Wand";

class SettingsStore : public HiveTest {
protected:
    void SetUp() override {
        HiveTest::SetUp();
        m_registry.SetKey(u"Orlan Q-Wand", true);
    }

    static void Put(const char16_t* keyPath, const char16_t* name, const std::u16string& text) {
        KeyHandle key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, keyPath, key.out()), ERROR_SUCCESS);
        ASSERT_EQ(SetString(key, name, text), ERROR_SUCCESS);
    }

    static bool KeyExists(const char16_t* keyPath) {
        KeyHandle key;
        return RegOpenKeyW(HKEY_CURRENT_USER, keyPath, key.out()) == ERROR_SUCCESS;
    }

    CQNRegistry m_registry;
};

TEST_F(SettingsStore, FirstReadCreatesTheEmptyCurrentKey) {
    DWORD value = 7;
    RegString text = u"default";
    EXPECT_EQ(m_registry.ReadDword(u"m_btnCheckStable", value), 0);
    EXPECT_EQ(m_registry.ReadString(u"m_distanceTol", text), 0);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(text, u"default");
    EXPECT_TRUE(KeyExists(kCurrentKey));
    EXPECT_FALSE(KeyExists(kFallbackKey));
    EXPECT_EQ(m_registry.OpenFallbackKey(), nullptr);
}

TEST_F(SettingsStore, ValuesRoundTripWithNamesInAnyCase) {
    EXPECT_EQ(m_registry.WriteDword(u"m_ctlSliderSpeed", 12), 1);
    EXPECT_EQ(m_registry.WriteString(u"m_ipAddressBox", u"10.0.0.7"), 1);
    EXPECT_EQ(m_registry.WriteString(u"m_stableProbingTime", u""), 1);

    CQNRegistry other;
    other.SetKey(u"Orlan Q-Wand", true);
    DWORD speed = 0;
    RegString address;
    RegString time = u"300";
    EXPECT_EQ(other.ReadDword(u"M_CTLSLIDERSPEED", speed), 1);
    EXPECT_EQ(speed, 12u);
    EXPECT_EQ(other.ReadString(u"m_ipaddressbox", address), 1);
    EXPECT_EQ(address, u"10.0.0.7");
    EXPECT_EQ(other.ReadString(u"m_stableProbingTime", time), 1);
    EXPECT_EQ(time, u"");

    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kCurrentKey, key.out()), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key, u"m_ipAddressBox", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(size, 2 * (8 + 1u));
}

TEST_F(SettingsStore, FallbackRootFillsGapsButNeverWins) {
    Put(kFallbackKey, u"m_distanceTol", u"0.5");
    Put(kFallbackKey, u"m_cbAButtonList", u"Confirm");
    Put(kCurrentKey, u"m_cbAButtonList", u"Cancel");

    RegString tolerance;
    RegString action;
    EXPECT_EQ(m_registry.ReadString(u"m_distanceTol", tolerance), 1);
    EXPECT_EQ(tolerance, u"0.5");
    EXPECT_EQ(m_registry.ReadString(u"m_cbAButtonList", action), 1);
    EXPECT_EQ(action, u"Cancel");

    // Saving writes the current root only; the fallback copy stays.
    m_registry.WriteString(u"m_distanceTol", u"0.2");
    EXPECT_EQ(m_registry.ReadString(u"m_distanceTol", tolerance), 1);
    EXPECT_EQ(tolerance, u"0.2");
    KeyHandle fallback(m_registry.OpenFallbackKey());
    ASSERT_NE(static_cast<HKEY>(fallback), nullptr);
    EXPECT_EQ(QueryString(fallback, u"m_distanceTol"), u"0.5");
}

TEST_F(SettingsStore, TextsBeyondTheBufferCountAsMissing) {
    // 2046 bytes are offered: 1022 characters and the terminator fit.
    const std::u16string fits(1022, u'x');
    const std::u16string tooLong(1023, u'y');
    Put(kCurrentKey, u"fits", fits);
    Put(kCurrentKey, u"long", tooLong);
    Put(kFallbackKey, u"long", u"short");
    Put(kCurrentKey, u"longNoFallback", tooLong);

    RegString text;
    EXPECT_EQ(m_registry.ReadString(u"fits", text), 1);
    EXPECT_EQ(text, fits);
    EXPECT_EQ(m_registry.ReadString(u"long", text), 1);
    EXPECT_EQ(text, u"short");
    text = u"default";
    EXPECT_EQ(m_registry.ReadString(u"longNoFallback", text), 0);
    EXPECT_EQ(text, u"default");

    // Stored without a terminator, 1023 characters fit and the zero-filled
    // buffer ends them.
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, kCurrentKey, key.out()), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.data()),
                             DWORD(tooLong.size() * 2)),
              ERROR_SUCCESS);
    EXPECT_EQ(m_registry.ReadString(u"bare", text), 1);
    EXPECT_EQ(text, tooLong);
}

TEST_F(SettingsStore, DwordReadsDoNotCheckTheType) {
    Put(kCurrentKey, u"one", u"a"); // 'a', 0: four bytes
    Put(kCurrentKey, u"none", u"");
    Put(kCurrentKey, u"three", u"abc");
    DWORD value = 99;
    EXPECT_EQ(m_registry.ReadDword(u"one", value), 1);
    EXPECT_EQ(value, 0x61u);
    EXPECT_EQ(m_registry.ReadDword(u"none", value), 1);
    EXPECT_EQ(value, 0u);
    value = 99;
    EXPECT_EQ(m_registry.ReadDword(u"three", value), 0);
    EXPECT_EQ(value, 99u);

    m_registry.WriteDword(u"number", 0x00620061);
    RegString text;
    EXPECT_EQ(m_registry.ReadString(u"number", text), 1);
    EXPECT_EQ(text, u"ab");
}

TEST_F(SettingsStore, AnUnusableHiveFailsSilently) {
    WriteFile(dir_ / "file", "not a folder");
    UseHive(dir_ / "file" / "hive.reg");
    DWORD value = 3;
    EXPECT_EQ(m_registry.WriteDword(u"m_rbFast", 1), 0);
    EXPECT_EQ(m_registry.ReadDword(u"m_rbFast", value), 0);
    EXPECT_EQ(value, 3u);
}

TEST_F(SettingsStore, KeyOutsideTheRootAndCreatingOpen) {
    m_registry.SetKey(u"Software\\Elsewhere", false);
    KeyHandle created(m_registry.OpenFallbackKey(true));
    ASSERT_NE(static_cast<HKEY>(created), nullptr);
    EXPECT_TRUE(KeyExists(u"Software\\Elsewhere"));
    m_registry.WriteDword(u"v", 1);
    KeyHandle key;
    ASSERT_EQ(RegOpenKeyW(HKEY_CURRENT_USER, u"Software\\Elsewhere", key.out()), ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(QueryDword(key, u"v", &value), ERROR_SUCCESS);
    // The fallback is looked for under the name given, below the fallback root.
    Put(u"Software\\Brenquist\\ZU_HW_Interface\\Software\\Elsewhere", u"w", u"x");
    RegString text;
    EXPECT_EQ(m_registry.ReadString(u"w", text), 1);
}

} // namespace
