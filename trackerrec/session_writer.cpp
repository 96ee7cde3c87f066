#include "session_writer.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#endif

namespace trackerrec {

void SessionWriter::Begin(std::FILE* file, std::string path) {
    Stop();
    m_file = file;
    m_path = std::move(path);
    m_block.clear();
    m_block.reserve(kBlockSize + 4096);
    m_decoder.Reset();
    m_failed = false;
}

void SessionWriter::HandOff(std::string_view lines, bool writeOut, bool wait) {
    if (m_abandoned) {
        Process(lines, writeOut);
        return;
    }
    std::unique_lock<std::mutex> hold(m_lock);
    if (!Running()) {
        m_stop = false;
        if (m_inline || !StartThread()) {
            // No thread to be had: the caller writes, as the thread would.
            hold.unlock();
            Process(lines, writeOut);
            return;
        }
        m_threadAt = ThreadAt::Waiting; // it has taken nothing yet
    }
    m_pending.append(lines);
    m_writeOut = m_writeOut || writeOut;
    const uint64_t mine = ++m_handedOff;
    m_wake.notify_one();
    if (wait)
        m_done.wait(hold, [&] { return m_finished >= mine; });
}

bool SessionWriter::StartThread() {
#ifdef _WIN32
    return platform::StartPinnedThread(&RunThread, this);
#else
    try {
        m_thread = std::thread(&RunThread, this);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
#endif
}

void SessionWriter::Stop() {
    if (m_abandoned)
        return;
    {
        std::unique_lock<std::mutex> hold(m_lock);
        if (Running()) {
            m_stop = true;
            m_wake.notify_one();
            m_done.wait(hold, [&] { return !Running(); });
        }
    }
    // It is only returning from Run: a thread started next must not find it there.
    while (m_threadAt.load() != ThreadAt::None)
        std::this_thread::yield();
    if (m_thread.joinable())
        m_thread.join();
}

void SessionWriter::WriteInline() {
    m_inline = true;
    const ThreadAt at = m_threadAt.load();
    if (platform::kLibraryMayWaitForItsThreads || at == ThreadAt::None)
        return;
    // Only Windows gets here, as the process ends: the thread is gone, and no
    // lock it may have held is taken from now on.
    m_abandoned = true;
    if (at == ThreadAt::Working) {
        std::fprintf(stderr,
                     "tracker recorder: the process ended while %s was being written; the "
                     "recording ends where it stopped\n",
                     m_path.c_str());
        m_file = nullptr; // the system closes it; the thread was using it
        m_failed = true;
        return;
    }
    Process(m_pending, false); // waiting: what it had not taken (nothing when ending)
    m_pending.clear();
}

void SessionWriter::CloseFile() {
    Stop();
    if (m_file && std::fclose(std::exchange(m_file, nullptr)) != 0)
        std::fprintf(stderr, "tracker recorder: recording ended: cannot write %s (%s)\n",
                     m_path.c_str(), std::strerror(errno));
}

void SessionWriter::RunThread(void* writer) {
    auto& self = *static_cast<SessionWriter*>(writer);
    self.Run();
    self.m_threadAt = ThreadAt::None; // out of Run: the lock is let go
}

void SessionWriter::Run() {
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_threadAt = ThreadAt::Waiting;
        m_wake.wait(hold, [&] { return m_handedOff > m_finished || m_stop; });
        m_threadAt = ThreadAt::Working;
        if (m_handedOff == m_finished) {
            // Stopping with nothing left: what is gathered goes out.
            hold.unlock();
            Process({}, true);
            hold.lock();
            break;
        }
        m_working.swap(m_pending);
        const bool writeOut = std::exchange(m_writeOut, false) || m_stop;
        const uint64_t taken = m_handedOff;
        hold.unlock();
        Process(m_working, writeOut);
        m_working.clear();
        hold.lock();
        m_finished = taken;
        m_done.notify_all();
    }
    m_threadAt = ThreadAt::Ending;
    m_done.notify_all();
}

void SessionWriter::Process(std::string_view lines, bool writeOut) {
    if (!m_file)
        return;
    for (size_t at = 0; at < lines.size();) {
        at = m_decoder.DecodeLine(lines, at, m_block);
        if (m_block.size() >= kBlockSize)
            WriteBlock();
        if (!m_file)
            return;
    }
    if (writeOut) {
        WriteBlock();
#ifndef _WIN32 // Windows writes past the runtime's buffer
        if (m_file && std::fflush(m_file) != 0)
            End(std::strerror(errno));
#endif
    }
}

void SessionWriter::WriteBlock() {
    if (!m_file || m_block.size() == 0)
        return;
#ifdef _WIN32
    // Past the C runtime: a thread the system ends with the process then
    // holds none of the runtime's locks, which its libraries' ends still take.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_file)));
    DWORD done = 0;
    const bool written =
        WriteFile(handle, m_block.data(), static_cast<DWORD>(m_block.size()), &done, nullptr) &&
        done == m_block.size();
    const DWORD error = written ? 0 : GetLastError();
    m_block.clear();
    if (!written)
        End(error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL
                ? std::strerror(ENOSPC)
                : ("Windows error " + std::to_string(error)).c_str());
#else
    const bool written = std::fwrite(m_block.data(), 1, m_block.size(), m_file) == m_block.size();
    m_block.clear();
    if (!written)
        End(std::strerror(errno));
#endif
}

void SessionWriter::End(const char* why) {
    std::fprintf(stderr,
                 "tracker recorder: recording ended: cannot write %s (%s); the session goes on "
                 "unrecorded\n",
                 m_path.c_str(), why);
    m_block.clear();
    std::fclose(std::exchange(m_file, nullptr));
    m_failed = true;
}

} // namespace trackerrec
