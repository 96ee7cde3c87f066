#include "toolsheet/inclination_texts.h"

#include "measurement/library_reads.h"
#include "platform/com/bstr.h"

namespace {

struct AngleTexts {
    CString value;
    CString unit;
};

AngleTexts Format(const ComPtr<tracker::ScalarValue>& angle) {
    AngleTexts texts;
    texts.value.Format(TEXT("%g"), ValueOf(angle));
    ComBstr unit;
    ThrowIfFailed(angle->get_Unit(unit.Put()));
    texts.unit.Format(TEXT("[%s]"), unit.Str().c_str());
    return texts;
}

} // namespace

void ShowAngles(const ComPtr<tracker::ScalarValue>& rotX, CWnd& rotXValue, CWnd& rotXUnit,
                const ComPtr<tracker::ScalarValue>& rotY, CWnd& rotYValue, CWnd& rotYUnit) {
    const AngleTexts x = Format(rotX);
    const AngleTexts y = Format(rotY);
    rotXValue.SetWindowText(x.value);
    rotXUnit.SetWindowText(x.unit);
    rotYValue.SetWindowText(y.value);
    rotYUnit.SetWindowText(y.unit);
}
