// trackersim-regtool: the stand-in for the registration tool of managed
// libraries. It takes the two command lines the module runs:
//
//   /u /tlb "<folder>\Tarn.Tracker.Connection.dll"      unregister the class
//   /codebase "<folder>\Tarn.Tracker.Connection.dll" /tlb   register it by path
//
// On Linux the path may be a Windows path on Wine's Z: drive (Z:\dir\file,
// i.e. the native /dir/file) or a native path, and the library is a .so; on
// Windows the path is taken as it is. The path registered is, in this order:
// the given file if it exists; the library of the same name in the given
// folder if that exists; otherwise (the folder is missing, or holds no
// library) the simulator library next to this tool.
//
// A command line passed as one argument (as a shell launch may) is split the
// way Windows splits command lines. Exit code 0 on success; otherwise 1 with a
// message on standard error. The registry is the platform's (on Linux the
// hive QNZU_REGISTRY names).
#include "registration.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr const char* kLibraryFile = "Tarn.Tracker.Connection.dll";
#else
constexpr const char* kLibraryFile = "Tarn.Tracker.Connection.so";
#endif

// Splits at unquoted blanks; double quotes group and are removed.
void SplitCommandLine(const std::string& line, std::vector<std::string>& out) {
    std::string current;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any)
                out.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any)
        out.push_back(current);
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsSwitch(const std::string& arg, const char* name) {
    const std::string a = Lower(arg);
    return a == std::string("/") + name || a == std::string("-") + name ||
           a.rfind(std::string("/") + name + ":", 0) == 0;
}

#ifdef _WIN32
// A Windows path is native here.
fs::path NativePath(const std::string& path) {
    return fs::path(platform::WideFromUtf8(path));
}

fs::path ToolFolder() {
    WCHAR self[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return n ? fs::path(std::wstring(self, n)).parent_path() : fs::current_path();
}

std::string Utf8(const fs::path& path) {
    return platform::Utf8FromWide(path.native());
}
#else
// Z:\dir\file -> /dir/file; other paths only get forward slashes.
fs::path NativePath(std::string path) {
    if (path.size() >= 2 && std::toupper(static_cast<unsigned char>(path[0])) == 'Z' &&
        path[1] == ':')
        path.erase(0, 2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return fs::path(path);
}

fs::path ToolFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

std::string Utf8(const fs::path& path) {
    return path.string();
}
#endif

fs::path LibraryToRegister(const fs::path& given) {
    std::error_code ec;
    if (fs::is_regular_file(given, ec))
        return fs::absolute(given);
    const fs::path sibling = given.parent_path() / kLibraryFile;
    if (!given.parent_path().empty() && fs::is_regular_file(sibling, ec))
        return fs::absolute(sibling);
    return ToolFolder() / kLibraryFile;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "trackersim-regtool: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // A whole command line in one argument.
        if (arg.find('"') != std::string::npos || (!arg.empty() && std::isspace(arg[0])))
            SplitCommandLine(arg, args);
        else
            args.push_back(arg);
    }

    bool unregister = false, codebase = false;
    std::string path;
    for (const std::string& arg : args) {
        if (IsSwitch(arg, "u") || IsSwitch(arg, "unregister"))
            unregister = true;
        else if (IsSwitch(arg, "codebase"))
            codebase = true;
        else if (IsSwitch(arg, "tlb") || IsSwitch(arg, "silent") || IsSwitch(arg, "nologo"))
            continue; // the type library lives inside the simulator
        else if (path.empty())
            path = arg;
        else
            return Fail("more than one library given: " + arg);
    }
    if (path.empty())
        return Fail("usage: trackersim-regtool [/u] [/codebase] \"<library path>\" [/tlb]");

    if (unregister) {
        const LONG rc = trackersim::UnregisterLibrary();
        if (rc != ERROR_SUCCESS)
            return Fail("cannot unregister the library (error " + std::to_string(rc) + ")");
        std::printf("Types un-registered successfully\n");
        return 0;
    }
    (void)codebase; // the class is always registered by its path
    const fs::path library = LibraryToRegister(NativePath(path));
    std::error_code ec;
    if (!fs::is_regular_file(library, ec))
        return Fail("library not found: " + Utf8(library));
    const LONG rc = trackersim::RegisterLibrary(platform::WideFromUtf8(Utf8(library)));
    if (rc != ERROR_SUCCESS)
        return Fail("cannot register " + Utf8(library) + " (error " + std::to_string(rc) + ")");
    std::printf("Types registered successfully: %s\n", Utf8(library).c_str());
    return 0;
}
