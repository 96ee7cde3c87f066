// The camera page as a host's user reaches it: Open through the exports,
// SelectProbe, the "OVC" tab, "Start OVC"; the image outlives Close.
#include "tests/support/plugin_fixture.h"

#include "platform/ui/message_loop.h"
#include "platform/ui/picture_image.h"
#include "platform/ui/screen_input.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

class OvcThroughExportsTest : public simtest::PluginTest {};

TEST_F(OvcThroughExportsTest, TheLastImageShownOutlivesTheSheet) {
    ASSERT_TRUE(OpenWith(TEXT("10.0.0.1")));
    ASSERT_EQ(Plugin().SelectProbe(), 1);
    HWND sheet = screen.FindShown(TEXT("Probing Tool Settings"));
    ASSERT_NE(sheet, nullptr);
    ::SendMessageW(sheet, PSM_SETCURSEL, 3, 0); // Main, Profiles, Positioning, OVC
    ASSERT_TRUE(platform::Click(platform::FindControl(sheet, TEXT("Start OVC"))));
    platform::RunMessagesFor(1000);
    platform::PictureImage shown;
    ASSERT_TRUE(platform::GetPictureImage(platform::FindControl(sheet, IDC_OVC_IMAGE), shown));
    EXPECT_EQ(shown.width, 640);

    EXPECT_EQ(Plugin().Close(), 1);
    platform::PictureImage last;
    ASSERT_TRUE(platform::LastPictureImage(last));
    EXPECT_EQ(last.pixels, shown.pixels);
    EXPECT_TRUE(screen.Failures().empty());
}

} // namespace
