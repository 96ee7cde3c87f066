#include "host/recording.h"

#include "host/recorder_owner.h"
#include "host/simulator_setup.h"

#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/com/com.h"
#include "platform/module/module.h"
#include "trackerrec/device_settings.h"
#include "trackerrec/settings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// The mode whose press call the session made (a member is declared once it is
// called); a press makes its mode's call only.
int MeasuredMode(const trackerrec::SessionFile& session) {
    for (const uint32_t mode : {1u, 0u})
        if (std::find(session.members.begin(), session.members.end(),
                      platform::Utf8FromWide(PressCall(mode))) != session.members.end())
            return static_cast<int>(mode);
    return -1;
}

} // namespace

SessionRecording::SessionRecording(const std::string& file, bool replay) {
    // The registration is the user's: one session at a time may put the recorder there.
    if (const unsigned long other = RecorderOwnerAfterCleanup()) {
        m_error = "another zuhost (process " + std::to_string(other) +
                  ") is recording or replaying a session through the recording library; "
                  "wait until it has ended";
        return;
    }
    // A file the replay would refuse is refused here, before anything runs.
    trackerrec::SessionFile session;
    if (replay) {
        std::string error;
        if (!trackerrec::LoadSessionFile(file, session, error)) {
            m_error = "--replay refused " + error;
            return;
        }
        m_recordedMode = MeasuredMode(session);
        if (!UseScratchSettings(false))
            return;
    }
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
    const platform::WideString path = platform::WideFromUtf8(
        platform::Utf8FromPath(std::filesystem::absolute(platform::PathFromUtf8(file), ignored)));
    settings.sessionFile = replay ? platform::WideString() : path;
    settings.replayFile = replay ? path : platform::WideString();
    settings.owner = ThisProcess();
    if (trackerrec::WriteSettings(settings) != ERROR_SUCCESS || FAILED(registerServer())) {
        m_error = "registering the recording library failed";
        return;
    }
    m_registered = true;
    std::string error;
    if (!MakeRegisteredClassSeen(error, false)) {
        m_error = "the recording library: " + error;
        return;
    }
    if (!replay) {
        m_recordingStanding = GetExport<int (*)()>(m_recorder, "GetRecordingStanding");
        if (!m_recordingStanding)
            m_error =
                "the recording library " + recorder + " cannot say how a recording went (too old)";
        return;
    }
    m_replayStanding = GetExport<int (*)()>(m_recorder, "GetReplayStanding");
    m_cutReplayShort = GetExport<void (*)()>(m_recorder, "CutReplayShort");
    if (!m_replayStanding || !m_cutReplayShort) {
        m_error = "the recording library " + recorder + " cannot play a session (too old)";
        return;
    }
    if (!UseScratchSettings(true))
        return;
    if (trackerrec::WriteSettings(settings) != ERROR_SUCCESS) {
        m_error = "the replay's scratch settings store cannot be written";
        return;
    }
    ApplySessionSettings(session, file);
}

SessionRecording::~SessionRecording() {
    EndScratchSettings(false);
    if (m_registered)
        if (auto unregister = GetExport<HRESULT (*)()>(m_recorder, "DllUnregisterServer"))
            if (SUCCEEDED(unregister())) {
                // The library recorded is registered again: where COM sees the
                // machine's classes, it must find that one there again too.
                std::string error;
                if (!MakeRegisteredClassSeen(error, true))
                    std::fprintf(stderr, "zuhost: %s\n", error.c_str());
            }
    if (m_recorder)
        FreeLibrary(m_recorder);
    EndScratchSettings(true);
}

void SessionRecording::ApplySessionSettings(trackerrec::SessionFile& session,
                                            const std::string& file) {
    std::string error;
    if (session.settings.empty())
        std::fprintf(stderr,
                     "zuhost: %s carries no settings of the module; the replay runs "
                     "with the defaults\n",
                     file.c_str());
    // The connect dialog then offers the address the session connected to.
    trackerrec::StoreConnectedAddress(session);
    if (!trackerrec::RestoreDeviceSettings(session, error))
        m_error = "the replay's scratch settings store: " + error;
}

#ifdef _WIN32
namespace {
constexpr const WCHAR* kScratchKey = TEXT("Software\\QNZU\\ReplaySettings");
}

bool SessionRecording::UseScratchSettings(bool registered) {
    if (!registered)
        return true;
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey); // left by a replay that crashed
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &m_scratch, nullptr);
    if (rc == ERROR_SUCCESS)
        rc = RegOverridePredefKey(HKEY_CURRENT_USER, m_scratch);
    if (rc != ERROR_SUCCESS) {
        m_error = "no scratch settings store for the replay can be made (error " +
                  std::to_string(rc) + ")";
        return false;
    }
    return true;
}

void SessionRecording::EndScratchSettings(bool unregistered) {
    if (unregistered || !m_scratch)
        return;
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(m_scratch);
    m_scratch = nullptr;
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
}
#else
// The settings file is the one QNZU_REGISTRY names, read again at every
// registry operation: pointing it at an empty file in a fresh folder gives
// the session a store of its own from here on.
bool SessionRecording::UseScratchSettings(bool registered) {
    if (registered)
        return true;
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    std::string folder = (temporary / "zuhost-replay-XXXXXX").string();
    if (error || !mkdtemp(folder.data())) {
        m_error = "no scratch settings store for the replay can be made: the temporary folder " +
                  (error ? "(TMPDIR): " + error.message()
                         : temporary.string() + ": " + std::strerror(errno));
        return false;
    }
    m_scratch = folder;
    if (const char* store = std::getenv("QNZU_REGISTRY")) {
        m_hadStore = true;
        m_savedStore = store;
    }
    setenv("QNZU_REGISTRY", (m_scratch + "/HKEY_CURRENT_USER.reg").c_str(), 1);
    return true;
}

void SessionRecording::EndScratchSettings(bool unregistered) {
    if (!unregistered || m_scratch.empty())
        return;
    if (m_hadStore)
        setenv("QNZU_REGISTRY", m_savedStore.c_str(), 1);
    else
        unsetenv("QNZU_REGISTRY");
    std::error_code ignored;
    std::filesystem::remove_all(m_scratch, ignored);
    m_scratch.clear();
}
#endif
