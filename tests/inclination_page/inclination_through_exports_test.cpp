// The inclination page as a host's user reaches it: Open through the exports,
// SelectProbe, the "Inclination Sensor" tab; Close stores what was typed.
#include "tests/support/plugin_fixture.h"

#include "platform/ui/screen_input.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

class InclinationThroughExportsTest : public simtest::PluginTest {};

TEST_F(InclinationThroughExportsTest, CloseStoresWhatWasTypedOnThePage) {
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    ASSERT_EQ(Plugin().SelectProbe(), 1);
    HWND sheet = screen.FindShown(TEXT("Probing Tool Settings"));
    ASSERT_NE(sheet, nullptr);
    ::SendMessageW(sheet, PSM_SETCURSEL, 4, 0); // the last tab
    ASSERT_TRUE(platform::TypeText(platform::FindControl(sheet, IDC_INTERVAL), TEXT("125")));
    ASSERT_TRUE(platform::Click(platform::FindControl(sheet, IDC_USE_INCLINATION)));
    trackersim::InclinometerState sensor{};
    Sim().GetInclinometer(&sensor);
    EXPECT_EQ(sensor.interval, 125);
    EXPECT_TRUE(sensor.inclinedToGravity);

    EXPECT_EQ(Plugin().Close(), 1);
    EXPECT_EQ(StoredString(TEXT("interval")), TEXT("125"));
    EXPECT_EQ(StoredString(TEXT("threshold")), TEXT("0.05"));
    EXPECT_TRUE(BoxTexts().empty());
}

} // namespace
