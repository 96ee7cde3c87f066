// The module's dialog templates: what the dialogs show, and layouts a real
// dialog can render (inside the dialog, no overlaps, unique ids).
#include "ui_fixture.h"

#include "resources/dialog_templates.h"

namespace {

using platform::ui::ControlKind;
using platform::ui::ControlTemplate;
using platform::ui::DialogTemplate;

// A combo box's height includes its drop-down list; on the dialog it takes
// one edit line.
int VisibleHeight(const ControlTemplate& c) {
    return c.kind == ControlKind::ComboDropDown ? 14 : c.cy;
}

bool Inside(const ControlTemplate& c, const ControlTemplate& box) {
    return c.x >= box.x && c.y >= box.y && c.x + c.cx <= box.x + box.cx &&
           c.y + VisibleHeight(c) <= box.y + box.cy;
}

bool Overlap(const ControlTemplate& a, const ControlTemplate& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + VisibleHeight(b) &&
           b.y < a.y + VisibleHeight(a);
}

TEST(DialogTemplatesTest, LayoutsFitAndDoNotOverlap) {
    for (const DialogTemplate& d : ModuleDialogTemplates()) {
        SCOPED_TRACE(platform::Utf8FromWide(d.caption));
        for (size_t i = 0; i < d.controls.size(); ++i) {
            const ControlTemplate& a = d.controls[i];
            EXPECT_GE(a.x, 0);
            EXPECT_GE(a.y, 0);
            EXPECT_LE(a.x + a.cx, d.cx) << platform::Utf8FromWide(a.text);
            EXPECT_LE(a.y + VisibleHeight(a), d.cy) << platform::Utf8FromWide(a.text);
            for (size_t j = i + 1; j < d.controls.size(); ++j) {
                const ControlTemplate& b = d.controls[j];
                if (a.id != IDC_STATIC) {
                    EXPECT_NE(a.id, b.id);
                }
                const bool grouped = (a.kind == ControlKind::GroupBox && Inside(b, a)) ||
                                     (b.kind == ControlKind::GroupBox && Inside(a, b));
                if (!grouped) {
                    EXPECT_FALSE(Overlap(a, b)) << platform::Utf8FromWide(a.text) << " / "
                                                << platform::Utf8FromWide(b.text);
                }
            }
        }
    }
}

const DialogTemplate& Find(UINT id) {
    const DialogTemplate* t = platform::ui::FindDialogTemplate(id);
    EXPECT_NE(t, nullptr);
    return *t;
}

std::vector<platform::WideString> Texts(const DialogTemplate& d) {
    std::vector<platform::WideString> texts;
    for (const ControlTemplate& c : d.controls)
        texts.push_back(c.text);
    return texts;
}

TEST(DialogTemplatesTest, CaptionsAndTextsAsTheUserSeesThem) {
    EXPECT_EQ(platform::WideString(Find(IDD_CONNECT).caption), TEXT("Connect"));
    EXPECT_EQ(Texts(Find(IDD_CONNECT)),
              (std::vector<platform::WideString>{
                  TEXT("IP : "), TEXT("192.168.0.1"), TEXT("Register Device"),
                  TEXT("Automatically apply settings in"), TEXT("3 seconds"), TEXT("Connect")}));
    EXPECT_EQ(Find(IDD_CONNECT).flags & platform::ui::kSystemMenu, 0u);
    EXPECT_EQ(
        Texts(Find(IDD_REFLECTOR_SIZE)),
        (std::vector<platform::WideString>{TEXT("Diameter"), TEXT(""), TEXT("mm"), TEXT("OK")}));
    const std::vector<std::pair<UINT, const WCHAR*>> pages = {
        {IDD_PROBE_SETTINGS, TEXT("Main")},
        {IDD_PROPPAGE_PROFILES, TEXT("Profiles")},
        {IDD_PROPPAGE_POSITIONING, TEXT("Positioning")},
        {IDD_PROPPAGE_OVC, TEXT("OVC")},
        {IDD_PROPPAGE_INCLINATION, TEXT("Inclination Sensor")}};
    for (const auto& [id, caption] : pages) {
        EXPECT_EQ(platform::WideString(Find(id).caption), caption);
        EXPECT_TRUE(Find(id).flags & platform::ui::kChildPage);
    }
}

} // namespace
