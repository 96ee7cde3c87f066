#include "session_writer.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

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
    std::unique_lock<std::mutex> hold(m_lock);
    if (!m_thread.joinable()) {
        m_stop = false;
        try {
            if (!m_inline)
                m_thread = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
        }
        if (!m_thread.joinable()) {
            // No thread to be had: the caller writes, as the thread would.
            hold.unlock();
            Process(lines, writeOut);
            return;
        }
    }
    m_pending.append(lines);
    m_writeOut = m_writeOut || writeOut;
    const uint64_t mine = ++m_handedOff;
    m_wake.notify_one();
    if (wait)
        m_done.wait(hold, [&] { return m_finished >= mine; });
}

void SessionWriter::Stop() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (!m_thread.joinable())
            return;
        m_stop = true;
        m_wake.notify_one();
    }
    m_thread.join();
}

void SessionWriter::CloseFile() {
    Stop();
    if (m_file && std::fclose(std::exchange(m_file, nullptr)) != 0)
        std::fprintf(stderr, "tracker recorder: recording ended: cannot write %s (%s)\n",
                     m_path.c_str(), std::strerror(errno));
}

void SessionWriter::Run() {
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_wake.wait(hold, [&] { return m_handedOff > m_finished || m_stop; });
        if (m_handedOff == m_finished) {
            // Stopping with nothing left: what is gathered goes out.
            hold.unlock();
            Process({}, true);
            return;
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
        if (m_file && std::fflush(m_file) != 0)
            End(std::strerror(errno));
    }
}

void SessionWriter::WriteBlock() {
    if (!m_file || m_block.size() == 0)
        return;
    const bool written = std::fwrite(m_block.data(), 1, m_block.size(), m_file) == m_block.size();
    m_block.clear();
    if (!written)
        End(std::strerror(errno));
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
