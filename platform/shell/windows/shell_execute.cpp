// ShellExecuteExW through an installed launcher or the shell, and the
// command-line helpers of shell_launch.h on Windows.
#include "../shell_launch.h"
#include "../shellapi.h"

#include <memory>

// The shell's own function, which the mapping in shellapi_hook.h hides.
#undef ShellExecuteExW

namespace platform {
namespace {

ShellLauncher& Launcher() {
    static ShellLauncher launcher;
    return launcher;
}

struct LocalFreer {
    void operator()(LPWSTR* p) const { LocalFree(p); }
};

} // namespace

void SetShellLauncher(ShellLauncher launcher) {
    Launcher() = std::move(launcher);
}

// Windows runs a program by its own name.
std::string NativeProgramFor(WideView file) {
    return Utf8FromWide(file);
}

std::vector<std::string> SplitCommandLine(WideView parameters) {
    // The shell's rules for arguments after the program name, so a stand-in
    // program name goes first.
    const WideString line = WideString(L"program ") + WideString(parameters);
    int count = 0;
    std::unique_ptr<LPWSTR, LocalFreer> argv(CommandLineToArgvW(line.c_str(), &count));
    std::vector<std::string> args;
    for (int i = 1; argv && i < count; ++i)
        args.push_back(Utf8FromWide(argv.get()[i]));
    return args;
}

} // namespace platform

extern "C" BOOL QnShellExecuteExW(SHELLEXECUTEINFOW* info) {
    if (!platform::Launcher())
        return ::ShellExecuteExW(info);
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW) || !info->lpFile)
        return FALSE;
    platform::ShellLaunch launch;
    launch.verb = info->lpVerb ? info->lpVerb : L"";
    launch.file = info->lpFile;
    launch.parameters = info->lpParameters ? info->lpParameters : L"";
    launch.show = info->nShow;
    info->hProcess = nullptr;
    const bool ok = platform::Launcher()(launch);
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(ok ? 42 : SE_ERR_FNF));
    return ok ? TRUE : FALSE;
}
