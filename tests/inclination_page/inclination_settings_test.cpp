// What the inclination page stores and loads: "useOTG", "interval" and
// "threshold", and how stored and typed texts reach the sensor.
#include "inclination_fixture.h"

namespace {

class InclinationSettingsTest : public InclinationPageTest {};

TEST_F(InclinationSettingsTest, TypedValuesAndTheSwitchSurviveCloseAndOpen) {
    Open();
    OpenTab();
    ASSERT_TRUE(Click(IDC_USE_INCLINATION));
    ASSERT_TRUE(Type(IDC_INTERVAL, TEXT("250")));
    ASSERT_TRUE(Type(IDC_THRESHOLD, TEXT("0.5")));
    Close();
    DWORD useOTG = 0;
    RegString text;
    ASSERT_TRUE(StoredDword(TEXT("useOTG"), useOTG));
    EXPECT_EQ(useOTG, 1u);
    ASSERT_TRUE(StoredString(TEXT("interval"), text));
    EXPECT_EQ(text, TEXT("250"));
    ASSERT_TRUE(StoredString(TEXT("threshold"), text));
    EXPECT_EQ(text, TEXT("0.5"));

    Sim().Reset(); // the sensor's own values again: interval 1000, threshold 0.05
    Open();
    OpenTab();
    EXPECT_TRUE(Checked());
    EXPECT_EQ(Text(IDC_INTERVAL), TEXT("250"));
    EXPECT_EQ(Text(IDC_THRESHOLD), TEXT("0.5"));
    EXPECT_EQ(Sensor().interval, 250);
    EXPECT_EQ(Sensor().threshold, 0.5);
    EXPECT_FALSE(Sensor().inclinedToGravity) << "the stored switch state is shown, not sent";
}

TEST_F(InclinationSettingsTest, TextsThatAreNotNumbersGoToTheSensorAsZero) {
    StoreString(TEXT("interval"), TEXT("soon"));
    StoreString(TEXT("threshold"), TEXT(""));
    Open();
    OpenTab();
    EXPECT_EQ(Text(IDC_INTERVAL), TEXT("soon"));
    EXPECT_EQ(Sensor().interval, 0);
    EXPECT_EQ(Text(IDC_THRESHOLD), TEXT(""));
    EXPECT_EQ(Sensor().threshold, 0.05) << "an empty text sends nothing";
    ASSERT_TRUE(Type(IDC_THRESHOLD, TEXT("1e-3x")));
    EXPECT_EQ(Sensor().threshold, 0.001);
    EXPECT_TRUE(screen.Boxes().empty());
}

TEST_F(InclinationSettingsTest, ASensorValueIsShownWithSixDigitsAndWrittenBackSo) {
    Open();
    ComPtr<tracker::NumericSetting> threshold;
    Monitoring()->get_Threshold(threshold.Put());
    ASSERT_EQ(threshold->put_Value(0.123456789), S_OK);
    OpenTab();
    EXPECT_EQ(Text(IDC_THRESHOLD), TEXT("0.123457"));
    EXPECT_EQ(Sensor().threshold, 0.123457);
}

// A stored value that the sensor refuses at load is reported once, and the
// value after it still loads: what the user stored stays stored at close, as
// it does when an edit is cleared (which sends nothing).
TEST_F(InclinationSettingsTest, AStoredValueTheSensorRefusesIsReportedOnceAndTheRestLoads) {
    StoreString(TEXT("interval"), TEXT("400"));
    StoreString(TEXT("threshold"), TEXT("0.7"));
    Open();
    // The page's first two writes echo the sensor's own values; the stored ones follow.
    Sim().InjectFailure(TEXT("NumericSetting.put_Value#3"), E_FAIL, 5, TEXT("Refused"), false);
    OpenTab();
    Sim().ClearFaults();
    EXPECT_EQ(Text(IDC_INTERVAL), TEXT("400"));
    EXPECT_EQ(Text(IDC_THRESHOLD), TEXT("0.7"));
    ASSERT_EQ(screen.Boxes().size(), 2u); // the interval's and the threshold's, once each
    for (const auto& box : screen.Boxes())
        EXPECT_EQ(box.text, TEXT("Refused"));
    const int puts = Sim().CallCount(TEXT("NumericSetting.put_Value"));
    ASSERT_TRUE(Type(IDC_INTERVAL, TEXT("")));
    EXPECT_EQ(Sim().CallCount(TEXT("NumericSetting.put_Value")), puts);
    Close();
    RegString text;
    ASSERT_TRUE(StoredString(TEXT("interval"), text));
    EXPECT_EQ(text, TEXT("400"));
    ASSERT_TRUE(StoredString(TEXT("threshold"), text));
    EXPECT_EQ(text, TEXT("0.7"));
}

} // namespace
