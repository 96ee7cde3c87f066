// Whether a library may run a thread of its own and wait for it as it is
// unloaded or as the process ends. On Windows it may not: the system ends a
// process's other threads before its libraries hear that it ends, and no
// thread can finish while a library is being unloaded, so such a wait never
// returns and the host hangs. There a library's thread keeps the library
// loaded while it runs (StartPinnedThread), nobody waits for it to end, and
// the library, as it goes, copes with the thread having been ended anywhere.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <memory>
#endif

namespace platform {

#ifdef _WIN32
inline constexpr bool kLibraryMayWaitForItsThreads = false;

using PinnedThreadBody = void (*)(void* context);
namespace pinned_thread_detail {
struct Start {
    PinnedThreadBody body;
    void* context;
    HMODULE library;
};
inline DWORD WINAPI Main(LPVOID parameter) {
    const Start start = *std::unique_ptr<Start>(static_cast<Start*>(parameter));
    start.body(start.context);
    FreeLibraryAndExitThread(start.library, 0);
}
} // namespace pinned_thread_detail

// Runs body(context) on a new thread that holds a reference to the library
// containing `body` and lets go of it as it ends (FreeLibraryAndExitThread):
// the library cannot be unloaded under the thread, whose own code lies in
// that library too, up to its last instruction. Returns false when no thread
// could be started.
inline bool StartPinnedThread(PinnedThreadBody body, void* context) {
    HMODULE library = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(body)), &library))
        return false;
    auto start = std::make_unique<pinned_thread_detail::Start>(
        pinned_thread_detail::Start{body, context, library});
    HANDLE thread = CreateThread(nullptr, 0, &pinned_thread_detail::Main, start.get(), 0, nullptr);
    if (!thread) {
        FreeLibrary(library);
        return false;
    }
    start.release(); // the thread's now
    CloseHandle(thread);
    return true;
}
#else
inline constexpr bool kLibraryMayWaitForItsThreads = true;
#endif

} // namespace platform
