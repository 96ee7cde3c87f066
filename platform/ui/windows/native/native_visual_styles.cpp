// The runtime's activation context and the common controls bound inside it.
#include "native_visual_styles.h"

#include "native_runtime.h"

namespace platform::ui {
namespace {

// The context lives as long as the runtime; windows made in it keep their
// own reference.
class ContextHandle {
public:
    ContextHandle() {
        ACTCTXW description{};
        description.cbSize = sizeof(description);
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.hModule = RuntimeInstance();
        description.lpResourceName = MAKEINTRESOURCEW(kManifestResourceId);
        m_handle = CreateActCtxW(&description);
    }
    ~ContextHandle() {
        if (Get())
            ReleaseActCtx(m_handle);
    }
    ContextHandle(const ContextHandle&) = delete;
    ContextHandle& operator=(const ContextHandle&) = delete;
    HANDLE Get() const { return m_handle == INVALID_HANDLE_VALUE ? nullptr : m_handle; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

template <typename Function> Function Lookup(HMODULE module, const char* name) {
    // Through the generic function type, which converts to any other.
    using Generic = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Generic>(GetProcAddress(module, name)));
}

} // namespace

HANDLE VisualStylesContext() {
    static const ContextHandle context;
    return context.Get();
}

ActivationScope::ActivationScope() {
    if (HANDLE context = VisualStylesContext())
        m_active = ActivateActCtx(context, &m_cookie) != FALSE;
}

ActivationScope::~ActivationScope() {
    if (m_active)
        DeactivateActCtx(0, m_cookie);
}

const CommonControlsFunctions& CommonControls() {
    static const CommonControlsFunctions functions = [] {
        ActivationScope scope;
        // Inside the context the loader finds the side-by-side version 6. The
        // library stays loaded for the life of the process: windows of its
        // classes outlive every caller, and it may not be freed while the
        // runtime itself unloads.
        CommonControlsFunctions found;
        if (HMODULE module = LoadLibraryW(L"comctl32.dll")) {
            found.initCommonControlsEx =
                Lookup<decltype(found.initCommonControlsEx)>(module, "InitCommonControlsEx");
            found.propertySheet = Lookup<decltype(found.propertySheet)>(module, "PropertySheetW");
        }
        return found;
    }();
    return functions;
}

} // namespace platform::ui
