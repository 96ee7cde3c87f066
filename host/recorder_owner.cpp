#include "host/recorder_owner.h"

#include "host/simulator_setup.h"

#include "platform/base/file_names.h"
#include "platform/base/text.h"
#include "platform/module/module.h"
#include "trackerrec/settings.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace {

// Whether process `id` runs and is a zuhost (its program has this one's file
// name): the system may have given a killed owner's id to another program.
// When the program cannot be told, a running process counts.
bool ZuhostRuns(unsigned long id) {
#ifdef _WIN32
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    WCHAR program[4096] = {}, own[4096] = {};
    DWORD size = 4096;
    if (runs && QueryFullProcessImageNameW(process, 0, program, &size) &&
        GetModuleFileNameW(nullptr, own, 4096))
        runs = lstrcmpiW(std::filesystem::path(program).filename().c_str(),
                         std::filesystem::path(own).filename().c_str()) == 0;
    CloseHandle(process);
    return runs;
#else
    if (::kill(static_cast<pid_t>(id), 0) != 0 && errno != EPERM)
        return false;
    std::error_code unknownProgram, unknownOwn;
    const std::filesystem::path program =
        std::filesystem::read_symlink("/proc/" + std::to_string(id) + "/exe", unknownProgram);
    const std::filesystem::path own = std::filesystem::read_symlink("/proc/self/exe", unknownOwn);
    return unknownProgram || unknownOwn || program.filename() == own.filename();
#endif
}

} // namespace

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
    return platform::Utf8FromPath(platform::PathFromUtf8(program).parent_path() / name);
}

unsigned long ThisProcess() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

unsigned long RecorderOwnerAfterCleanup() {
    const platform::WideString registered = trackerrec::RegisteredLibrary();
    trackerrec::RecorderSettings settings;
    if (registered.empty() || !trackerrec::ReadSettings(settings) || settings.owner == 0 ||
        platform::PathFromUtf8(platform::Utf8FromWide(registered)).filename() !=
            platform::PathFromUtf8(RecorderPath()).filename())
        return 0;
    if (settings.owner != ThisProcess() && ZuhostRuns(settings.owner))
        return settings.owner;
    HMODULE recorder = LoadLibraryW(registered.c_str());
    auto unregister =
        recorder ? GetExport<HRESULT (*)()>(recorder, "DllUnregisterServer") : nullptr;
    const HRESULT hr = unregister ? unregister() : E_FAIL;
    if (recorder)
        FreeLibrary(recorder);
    std::string error;
    if (FAILED(hr) || !MakeRegisteredClassSeen(error, true))
        std::fprintf(stderr,
                     "zuhost: the recording library is still registered in place of the tracker "
                     "library, left by zuhost process %lu, which has ended; putting the tracker "
                     "library back failed%s%s\n",
                     static_cast<unsigned long>(settings.owner), error.empty() ? "" : ": ",
                     error.c_str());
    else
        std::fprintf(stderr,
                     "zuhost: the recording library was still registered in place of the tracker "
                     "library, left by zuhost process %lu, which ended without putting it back "
                     "(its session file %s is as that process left it); the tracker library %s "
                     "is registered again\n",
                     static_cast<unsigned long>(settings.owner),
                     platform::Utf8FromWide(settings.replayFile.empty() ? settings.sessionFile
                                                                        : settings.replayFile)
                         .c_str(),
                     platform::Utf8FromWide(settings.library).c_str());
    return 0;
}
