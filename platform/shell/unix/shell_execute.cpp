#include "../shell_launch.h"
#include "../shellapi.h"

#include "../../module/module.h"
#include "../../ui/text_compare.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

ShellLauncher& Launcher() {
    static ShellLauncher launcher;
    return launcher;
}

// The folder of the platform library, where every binary of the product lies.
std::string RuntimeFolder() {
    WCHAR path[MAX_PATH * 4] = {};
    GetModuleFileNameW(ThisModule(), path, MAX_PATH * 4);
    std::string native = NativePathFromWindows(path);
    const size_t slash = native.rfind('/');
    return slash == std::string::npos ? std::string(".") : native.substr(0, slash);
}

bool RunAndWait(const ShellLaunch& launch) {
    const std::string program = NativeProgramFor(launch.file);
    if (program.empty() || access(program.c_str(), X_OK) != 0)
        return false;
    std::vector<std::string> args = SplitCommandLine(launch.parameters);
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

} // namespace

void SetShellLauncher(ShellLauncher launcher) {
    Launcher() = std::move(launcher);
}

std::string NativeProgramFor(WideView file) {
    if (ui::CompareNoCase(file, kRegAsmPath) == 0)
        return RuntimeFolder() + "/" + kRegToolName;
    return NativePathFromWindows(file);
}

std::vector<std::string> SplitCommandLine(WideView parameters) {
    std::vector<std::string> args;
    WideString current;
    bool inArgument = false;
    bool quoted = false;
    for (size_t i = 0; i < parameters.size(); ++i) {
        const WCHAR c = parameters[i];
        if (c == u'\\' && i + 1 < parameters.size() && parameters[i + 1] == u'"') {
            current += u'"';
            inArgument = true;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == u' ' || c == u'\t') && !quoted) {
            if (inArgument)
                args.push_back(Utf8FromWide(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        args.push_back(Utf8FromWide(current));
    return args;
}

} // namespace platform

extern "C" BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info) {
    if (!info || info->cbSize != sizeof(SHELLEXECUTEINFOW) || !info->lpFile)
        return FALSE;
    platform::ShellLaunch launch;
    launch.verb = info->lpVerb ? info->lpVerb : u"";
    launch.file = info->lpFile;
    launch.parameters = info->lpParameters ? info->lpParameters : u"";
    launch.show = info->nShow;
    info->hProcess = nullptr;
    bool ok = false;
    if (!launch.verb.empty() && launch.verb != u"open" && launch.verb != u"runas")
        ok = false;
    else if (platform::Launcher())
        ok = platform::Launcher()(launch);
    else
        ok = platform::RunAndWait(launch);
    info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(ok ? 42 : SE_ERR_FNF));
    return ok ? TRUE : FALSE;
}
