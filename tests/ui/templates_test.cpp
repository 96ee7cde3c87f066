// The module's dialog templates: layouts a real dialog can render (inside the
// dialog, no overlaps; unique ids are the template checks').
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

} // namespace
