#include "host/recording.h"

#include "platform/base/text.h"
#include "platform/com/com.h"
#include "platform/module/module.h"
#include "trackerrec/settings.h"

#include <filesystem>

namespace {

std::string RecorderPath() {
    WCHAR self[1024] = {};
    GetModuleFileNameW(nullptr, self, 1024);
    std::string program = platform::Utf8FromWide(self);
#ifdef _WIN32
    const std::string name = "Tarn.Tracker.Recorder.dll";
#else
    const std::string name = "Tarn.Tracker.Recorder.so";
    program = platform::NativePathFromWindows(self);
#endif
    return (std::filesystem::path(program).parent_path() / name).string();
}

} // namespace

SessionRecording::SessionRecording(const std::string& file, bool replay) {
    const std::string recorder = RecorderPath();
    m_recorder = LoadLibraryW(platform::WideFromUtf8(recorder).c_str());
    auto registerServer =
        m_recorder ? GetExport<HRESULT (*)()>(m_recorder, "DllRegisterServer") : nullptr;
    if (!registerServer) {
        m_error = "the recording library " + recorder + " cannot be loaded";
        return;
    }
    trackerrec::RecorderSettings settings;
    trackerrec::ReadSettings(settings);
    std::error_code ignored;
    const platform::WideString path =
        platform::WideFromUtf8(std::filesystem::absolute(file, ignored).string());
    settings.sessionFile = replay ? platform::WideString() : path;
    settings.replayFile = replay ? path : platform::WideString();
    if (trackerrec::WriteSettings(settings) != ERROR_SUCCESS || FAILED(registerServer())) {
        m_error = "registering the recording library failed";
        return;
    }
    m_registered = true;
}

SessionRecording::~SessionRecording() {
    if (m_registered)
        if (auto unregister = GetExport<HRESULT (*)()>(m_recorder, "DllUnregisterServer"))
            unregister();
    if (m_recorder)
        FreeLibrary(m_recorder);
}
