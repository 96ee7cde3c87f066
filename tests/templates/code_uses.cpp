#include "tests/templates/code_uses.h"

#include "platform/ui/message_loop.h"

namespace templatecheck {
namespace {

using platform::ui::ControlAccess;

BoundClass ClassOf(const CWnd* object) {
    if (dynamic_cast<const CComboBox*>(object))
        return BoundClass::ComboBox;
    if (dynamic_cast<const CEdit*>(object))
        return BoundClass::Edit;
    if (dynamic_cast<const CButton*>(object))
        return BoundClass::Button;
    if (dynamic_cast<const CStatic*>(object))
        return BoundClass::Static;
    if (dynamic_cast<const CIPAddressCtrl*>(object))
        return BoundClass::IpAddress;
    if (dynamic_cast<const CSliderCtrl*>(object))
        return BoundClass::Slider;
    return BoundClass::Window;
}

// GetMessageMap is protected; a pointer to it formed in a derived class
// calls it, virtually, on any window.
struct MessageMapReader : CWnd {
    static const AFX_MSGMAP* Of(const CWnd& window) {
        return (window.*&MessageMapReader::GetMessageMap)();
    }
};

} // namespace

AccessRecorder::AccessRecorder() {
    platform::ui::SetControlAccessObserver(&AccessRecorder::Observe, this);
}

AccessRecorder::~AccessRecorder() {
    platform::ui::SetControlAccessObserver(nullptr, nullptr);
}

void AccessRecorder::Observe(void* context, const platform::ui::ControlAccessReport& report) {
    const auto* dialog = dynamic_cast<const CDialog*>(report.dialog);
    if (!dialog)
        return; // not a window made from a template
    CodeUse use;
    use.id = report.id;
    use.access = report.access;
    if (report.access == ControlAccess::DdxControl || report.access == ControlAccess::SubclassItem)
        use.bound = ClassOf(report.object);
    static_cast<AccessRecorder*>(context)->m_uses[dialog->GetTemplateId()].push_back(use);
}

void AccessRecorder::AddMessageMap(const CDialog& dialog) {
    auto& uses = m_uses[dialog.GetTemplateId()];
    for (const CodeUse& use : MessageMapUses(dialog))
        uses.push_back(use);
}

const std::vector<CodeUse>& AccessRecorder::UsesOf(UINT templateId) const {
    static const std::vector<CodeUse> none;
    const auto it = m_uses.find(templateId);
    return it == m_uses.end() ? none : it->second;
}

std::vector<CodeUse> MessageMapUses(const CWnd& window) {
    std::vector<CodeUse> uses;
    for (const AFX_MSGMAP* map = MessageMapReader::Of(window); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry)
            if (entry->nMessage == WM_COMMAND)
                for (UINT id = entry->nID; id <= entry->nLastID; ++id)
                    uses.push_back(CodeUse{static_cast<int>(id),
                                           CodeUse::Via::Notification,
                                           {},
                                           entry->nCode,
                                           BoundClass::Window});
    return uses;
}

void FireHandlers(CWnd& window) {
    for (const CodeUse& use : MessageMapUses(window)) {
        const HWND hwnd = window.GetSafeHwnd();
        if (!hwnd)
            return;
        const HWND control = ::GetDlgItem(hwnd, use.id);
        ::SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(use.id, use.code),
                       reinterpret_cast<LPARAM>(control));
        platform::RunMessagesFor(1000);
    }
}

} // namespace templatecheck
