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
#include "../platform/com/inproc_server.h"
#include "../platform/module/libloaderapi.h"
#include "../trackersim/registration.h"

#include <cstdio>

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

// Without an inner factory it plays the session file.
class ClassFactory final : public platform::ServerClassFactory {
public:
    explicit ClassFactory(IClassFactory* inner) : m_inner(inner) {}

private:
    ~ClassFactory() override = default;

    HRESULT Create(REFIID riid, void** out) override {
        if (!m_inner)
            return CreatePlayedConnection(riid, out);
        const uint32_t base = NewestId();
        ComPtr<IDispatch> connection;
        HRESULT hr = m_inner->CreateInstance(nullptr, IID_IDispatch, connection.PutVoid());
        SessionLog& log = SessionLog::Get();
        Wrapped wrapped;
        if (SUCCEEDED(hr) && connection)
            wrapped = Wrap(connection.Get(), kDispatchIndex);
        if (log.Active()) {
            LineTokens& line = log.Line();
            line += 'c';
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
    HRESULT Lock(bool lock) override { return m_inner ? m_inner->LockServer(lock) : S_OK; }

    ComPtr<IClassFactory> m_inner;
};

} // namespace
} // namespace trackerrec

TRACKERREC_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    return platform::GetServerClassObject(
        clsid, tracker::CLSID_TrackerConnection, riid, object,
        [&](platform::ServerClassFactory*& factory) -> HRESULT {
            if (!trackerrec::LoadInner())
                return CLASS_E_CLASSNOTAVAILABLE;
            ComPtr<IClassFactory> inner;
            if (!trackerrec::Player::Get().Loaded()) {
                const HRESULT hr =
                    trackerrec::Inner().getClassObject(clsid, IID_IClassFactory, inner.PutVoid());
                if (FAILED(hr))
                    return hr;
            }
            factory = new trackerrec::ClassFactory(inner.Get());
            return S_OK;
        });
}

TRACKERREC_EXPORT HRESULT DllCanUnloadNow() {
    if (trackerrec::LiveWrappers() > 0 || trackerrec::Player::Get().Loaded())
        return S_FALSE;
    trackerrec::SessionLog::Get().Flush();
    const auto canUnload = trackerrec::Inner().canUnload;
    return canUnload ? canUnload() : S_OK;
}

TRACKERREC_EXPORT int GetReplayStanding() {
    return static_cast<int>(trackerrec::Player::Get().Standing());
}

TRACKERREC_EXPORT void CutReplayShort() {
    trackerrec::Player::Get().CutShort();
}

TRACKERREC_EXPORT int GetRecordingStanding() {
    trackerrec::SessionLog& log = trackerrec::SessionLog::Get();
    log.Flush();
    return static_cast<int>(log.Standing());
}

// Registers the recorder in front of the library registered now (unless that
// is the recorder itself, whose recorded library then stays), keeping the
// session file already set.
TRACKERREC_EXPORT HRESULT DllRegisterServer() {
    return platform::RegisterServerFile([](const platform::WideString& self) -> LONG {
        trackerrec::RecorderSettings settings;
        trackerrec::ReadSettings(settings);
        const platform::WideString registered = trackerrec::RegisteredLibrary();
        if (!registered.empty() && registered != self)
            settings.library = registered;
        if (settings.library.empty() && settings.replayFile.empty())
            return ERROR_FILE_NOT_FOUND;
        if (LONG rc = trackerrec::WriteSettings(settings); rc != ERROR_SUCCESS)
            return rc;
        return trackersim::RegisterLibrary(self);
    });
}

// Puts the recorded library back in the recorder's place.
TRACKERREC_EXPORT HRESULT DllUnregisterServer() {
    trackerrec::RecorderSettings settings;
    if (!trackerrec::ReadSettings(settings))
        return S_OK;
    if (!settings.library.empty())
        if (LONG rc = trackersim::RegisterLibrary(settings.library); rc != ERROR_SUCCESS)
            return platform::ResultFromWin32(rc);
    return platform::ResultFromWin32(trackerrec::DeleteSettings());
}
