// The session file's writer: a thread of its own turns the lines handed to it
// (as tokens) into text and writes the text to the file in blocks, so the
// calls being recorded do not wait for the formatting or the disk. The thread
// runs only between a hand-off and the next Stop: it is never left running
// when the module has released everything. On Linux the library waits for it
// as it unloads; on Windows, where a library may not wait for its own threads,
// the thread keeps the library loaded while it runs, and a thread the system
// ended with the process is given up (see WriteInline).
#pragma once

#include "fields.h"
#include "line_tokens.h"

#include "../platform/module/library_threads.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace trackerrec {

class SessionWriter {
public:
    static constexpr size_t kBlockSize = 1 << 16;

    SessionWriter() = default;
    SessionWriter(const SessionWriter&) = delete;
    SessionWriter& operator=(const SessionWriter&) = delete;
    ~SessionWriter() { Stop(); }

    // Takes an open file and its path (for messages); a stopped writer only.
    void Begin(std::FILE* file, std::string path);
    // Queues finished lines. `writeOut`: the block goes to the file after
    // them; `wait`: returns once that is done.
    void HandOff(std::string_view lines, bool writeOut, bool wait);
    // Writes everything handed off, flushes the file and ends the thread.
    void Stop();
    // From now on the caller's thread writes: no thread may start while the
    // library is being unloaded (the loader would never let it run). On
    // Windows a thread still running here was ended by the system with the
    // process: no lock it may have held is taken again; the lines it had not
    // taken are written here, and if it was writing, the file ends where it
    // stopped.
    void WriteInline();
    // Stops, then closes the file; a failure to close is told on standard error.
    void CloseFile();
    // Writing failed: the file is closed and a message was given.
    bool Failed() const { return m_failed.load(std::memory_order_relaxed); }

private:
    void Run();
    static void RunThread(void* writer);
    // Starts the thread (m_lock held); false when none can be had.
    bool StartThread();
    enum class ThreadAt { None, Waiting, Working, Ending };
    // The thread is in Run, not yet ending (m_lock held, or the thread gone).
    bool Running() const {
        const ThreadAt at = m_threadAt.load();
        return at == ThreadAt::Waiting || at == ThreadAt::Working;
    }
    // Decodes `lines` into the block and writes it out as it fills; the
    // writer's thread, or the caller's when no thread could be started.
    void Process(std::string_view lines, bool writeOut);
    void WriteBlock();
    void End(const char* why);

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::thread m_thread; // Linux's; Windows' runs on its own (StartPinnedThread)
    // Where the thread is, for the library's end as the process ends (the
    // system may have ended the thread anywhere): waiting, what it had not
    // taken is whole and the lock may be held; working, the file's end is not
    // known; ending, everything is written. Set by the thread.
    std::atomic<ThreadAt> m_threadAt{ThreadAt::None};
    bool m_abandoned = false; // the system ended the thread: no locks any more
    std::string m_pending;    // handed off, not yet taken by the thread
    std::string m_working;    // taken by the thread
    bool m_writeOut = false;
    bool m_stop = false;
    bool m_inline = false;    // set as the library goes: see WriteInline
    uint64_t m_handedOff = 0; // hand-offs made
    uint64_t m_finished = 0;  // hand-offs written

    // The thread's own, or the caller's once the thread has ended.
    std::FILE* m_file = nullptr;
    std::string m_path;
    TextBuffer m_block;
    LineDecoder m_decoder;
    // Read at every recorded call: a cache line of its own, apart from what
    // the thread writes for every line.
    alignas(64) std::atomic<bool> m_failed{false};
};

} // namespace trackerrec
