#include "../libloaderapi.h"
#include "../../base/text.h"

#include <dlfcn.h>

#include <string>

namespace {
thread_local std::string t_lastError;
}

extern "C" HMODULE LoadLibraryW(LPCWSTR fileName) {
    if (!fileName) {
        t_lastError = "no file name";
        return nullptr;
    }
    const std::string path = platform::Utf8FromWide(fileName);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        t_lastError = error ? error : "cannot load " + path;
    }
    return handle;
}

extern "C" FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    if (!module || !name)
        return nullptr;
    dlerror();
    void* symbol = dlsym(module, name);
    if (!symbol) {
        const char* error = dlerror();
        t_lastError = error ? error : std::string("no export ") + name;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

extern "C" BOOL FreeLibrary(HMODULE module) {
    return module && dlclose(module) == 0;
}

extern "C" const char* QnLastLoadError() {
    return t_lastError.c_str();
}
