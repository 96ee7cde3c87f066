#include "control_access.h"

namespace platform::ui {
namespace {

ControlAccessObserver g_observer = nullptr;
void* g_context = nullptr;

} // namespace

void SetControlAccessObserver(ControlAccessObserver observer, void* context) {
    g_observer = observer;
    g_context = context;
}

void ReportControlAccess(const CWnd* dialog, int id, ControlAccess access, const CWnd* object) {
    if (g_observer)
        g_observer(g_context, ControlAccessReport{dialog, id, access, object});
}

} // namespace platform::ui
