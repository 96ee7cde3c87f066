#include "settings/tracker_library_registration.h"

#include "platform/module/module.h"
#include "platform/shell/shellapi.h"

namespace {

const WCHAR kRegistrationTool[] =
    TEXT("C:\\Windows\\Microsoft.NET\\Framework64\\v4.0.30319\\regasm.exe");
const WCHAR kLibraryFile[] = TEXT("Tarn.Tracker.Connection.dll");

bool LaunchElevated(const CString& parameters) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.lpVerb = TEXT("runas");
    info.lpFile = kRegistrationTool;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
    return reinterpret_cast<INT_PTR>(info.hInstApp) > 32;
}

} // namespace

CString TrackerLibraryFolder() {
    WCHAR path[MAX_PATH + 1] = {};
    GetModuleFileNameW(AfxGetInstanceHandle(), path, MAX_PATH);
    CString folder(path);
    folder = folder.Left(folder.ReverseFind(TEXT('\\'))); // the module's folder
    folder = folder.Left(folder.ReverseFind(TEXT('\\'))); // its parent
    folder += TEXT("\\Device");
    folder += TEXT("\\QNZUDeviceQWand\\bin");
    folder += TEXT("\\");
    return folder;
}

bool RegisterTrackerLibrary() {
    const CString folder = TrackerLibraryFolder();
    CString unregister;
    unregister.Format(TEXT(" /u /tlb \"%s%s\""), static_cast<LPCWSTR>(folder), kLibraryFile);
    if (!LaunchElevated(unregister))
        return false;
    Sleep(30000); // the first run is not awaited otherwise
    CString registerByPath;
    registerByPath.Format(TEXT(" /codebase \"%s%s\" /tlb"), static_cast<LPCWSTR>(folder),
                          kLibraryFile);
    return LaunchElevated(registerByPath);
}
