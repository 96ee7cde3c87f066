// What the camera page shows when the library fails or gives an object empty:
// the library's description, or the system's text for a missing object, as
// every page does. Each call of a whole session failing, or giving null, is
// the session sweep's (tests/sweep).
#include "ovc_fixture.h"

namespace {

class OvcFaultTest : public OvcPageTest {};

TEST_F(OvcFaultTest, FailuresAndMissingObjectsAreShownWithText) {
    Open();
    OpenTab();
    Sim().InjectFailure(TEXT("OverviewCameraDialog.Show"), E_FAIL, 42, TEXT("Camera fault"), true);
    EXPECT_TRUE(Click(IDC_OVC_SHOW_DIALOG));
    Sim().MakeNull(TEXT("OverviewCameraStream.get_Dialog"), true);
    EXPECT_TRUE(Click(IDC_OVC_SHOW_DIALOG));
    Sim().MakeNull(TEXT("MeasurementProfileCollection.get_Item"), true); // an empty item
    EXPECT_TRUE(Click(IDC_OVC_CLEAR_REGIONS));
    std::vector<platform::WideString> texts;
    for (const auto& box : screen.Boxes()) {
        texts.push_back(box.text);
        EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    }
    EXPECT_EQ(texts, (std::vector<platform::WideString>{
                         TEXT("Camera fault"), TEXT("Invalid pointer"), TEXT("Invalid pointer")}));
}

} // namespace
