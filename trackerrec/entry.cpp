// The recorder's entry points for COM. It is registered under the tracker
// library's class; its class factory creates the connection object of the
// library it records (its setting) and hands out the wrapper.
#include "device_settings.h"
#include "exports.h"
#include "player.h"
#include "replay_objects.h"
#include "settings.h"
#include "wrap.h"

#include "../interfaces/tracker/library_ids.h"
#include "../platform/module/libloaderapi.h"
#include "../trackersim/registration.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#endif

namespace trackerrec {
namespace {

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);
using CanUnloadFn = HRESULT (*)();

struct InnerLibrary {
    HMODULE module = nullptr;
    GetClassObjectFn getClassObject = nullptr;
    CanUnloadFn canUnload = nullptr;
    bool tried = false;
};

InnerLibrary& Inner() {
    static InnerLibrary inner;
    return inner;
}

// Loads the recorded library once and opens the session file.
bool LoadInner() {
    InnerLibrary& inner = Inner();
    if (inner.tried)
        return inner.getClassObject != nullptr || Player::Get().Loaded();
    inner.tried = true;
    RecorderSettings settings;
    if (!ReadSettings(settings)) {
        std::fprintf(stderr, "tracker recorder: no recorded library is set\n");
        return false;
    }
    if (!settings.replayFile.empty())
        return Player::Get().Load(platform::Utf8FromWide(settings.replayFile));
    inner.module = LoadLibraryW(settings.library.c_str());
    if (inner.module) {
        inner.getClassObject = GetExport<GetClassObjectFn>(inner.module, "DllGetClassObject");
        inner.canUnload = GetExport<CanUnloadFn>(inner.module, "DllCanUnloadNow");
    }
    if (!inner.getClassObject) {
        std::fprintf(stderr, "tracker recorder: cannot load the recorded library %s\n",
                     platform::Utf8FromWide(settings.library).c_str());
        return false;
    }
    if (settings.sessionFile.empty())
        std::fprintf(stderr, "tracker recorder: no session file is set; nothing is recorded\n");
    else {
        SessionLog::Get().Open(platform::Utf8FromWide(settings.sessionFile));
        WriteDeviceSettings();
    }
    return true;
}

class ClassFactory final : public IClassFactory {
public:
    // Without an inner factory it plays the session file.
    explicit ClassFactory(IClassFactory* inner) : m_inner(inner) {}
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid != IID_IUnknown && riid != IID_IClassFactory)
            return E_NOINTERFACE;
        AddRef();
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        if (!m_inner)
            return CreatePlayedConnection(riid, out);
        const uint32_t base = NewestId();
        ComPtr<IDispatch> connection;
        HRESULT hr = m_inner->CreateInstance(nullptr, IID_IDispatch, connection.PutVoid());
        SessionLog& log = SessionLog::Get();
        Wrapped wrapped;
        if (SUCCEEDED(hr) && connection)
            wrapped = Wrap(connection.Get(), DispatchIndex());
        if (log.Active()) {
            std::string line = "c";
            if (FAILED(hr))
                PutFailure(line, hr, FailureDescription());
            else
                PutObject(line, wrapped.id, wrapped.created, base);
            log.Write(line);
        }
        if (!wrapped.object)
            return FAILED(hr) ? hr : E_UNEXPECTED;
        hr = wrapped.object->QueryInterface(riid, out);
        wrapped.object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        return m_inner ? m_inner->LockServer(lock) : S_OK;
    }

private:
    ~ClassFactory() = default;
    ComPtr<IClassFactory> m_inner;
    ULONG m_refs = 1;
};

platform::WideString OwnPath() {
#ifdef _WIN32
    HMODULE self = nullptr;
    WCHAR path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&OwnPath), &self) ||
        !GetModuleFileNameW(self, path, MAX_PATH))
        return {};
    return path;
#else
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    const char* path = realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
    return platform::WideFromUtf8(path);
#endif
}

HRESULT FromWin32(LONG rc) {
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

} // namespace
} // namespace trackerrec

TRACKERREC_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != tracker::CLSID_TrackerConnection)
        return CLASS_E_CLASSNOTAVAILABLE;
    if (!trackerrec::LoadInner())
        return CLASS_E_CLASSNOTAVAILABLE;
    ComPtr<IClassFactory> inner;
    if (!trackerrec::Player::Get().Loaded()) {
        const HRESULT hr =
            trackerrec::Inner().getClassObject(clsid, IID_IClassFactory, inner.PutVoid());
        if (FAILED(hr))
            return hr;
    }
    auto* factory = new trackerrec::ClassFactory(inner.Get());
    const HRESULT answer = factory->QueryInterface(riid, object);
    factory->Release();
    return answer;
}

TRACKERREC_EXPORT HRESULT DllCanUnloadNow() {
    if (trackerrec::LiveWrappers() > 0 || trackerrec::Player::Get().Loaded())
        return S_FALSE;
    trackerrec::SessionLog::Get().Flush();
    const auto canUnload = trackerrec::Inner().canUnload;
    return canUnload ? canUnload() : S_OK;
}

// Registers the recorder in front of the library registered now (unless that
// is the recorder itself, whose recorded library then stays), keeping the
// session file already set.
TRACKERREC_EXPORT HRESULT DllRegisterServer() {
    const platform::WideString self = trackerrec::OwnPath();
    if (self.empty())
        return E_UNEXPECTED;
    trackerrec::RecorderSettings settings;
    trackerrec::ReadSettings(settings);
    const platform::WideString registered = trackerrec::RegisteredLibrary();
    if (!registered.empty() && registered != self)
        settings.library = registered;
    if (settings.library.empty() && settings.replayFile.empty())
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    if (LONG rc = trackerrec::WriteSettings(settings); rc != ERROR_SUCCESS)
        return trackerrec::FromWin32(rc);
    return trackerrec::FromWin32(trackersim::RegisterLibrary(self));
}

// Puts the recorded library back in the recorder's place.
TRACKERREC_EXPORT HRESULT DllUnregisterServer() {
    trackerrec::RecorderSettings settings;
    if (!trackerrec::ReadSettings(settings))
        return S_OK;
    if (!settings.library.empty())
        if (LONG rc = trackersim::RegisterLibrary(settings.library); rc != ERROR_SUCCESS)
            return trackerrec::FromWin32(rc);
    return trackerrec::FromWin32(trackerrec::DeleteSettings());
}
