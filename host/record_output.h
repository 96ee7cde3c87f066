// Where the records go: standard output, or a file that is replaced only when
// the run succeeds (the records are written to a temporary file beside it and
// renamed over it at the end). A write error is kept with its reason.
#pragma once

#include <cstdio>
#include <string>

class RecordOutput {
public:
    RecordOutput() = default;
    ~RecordOutput(); // a temporary file not kept is removed
    RecordOutput(const RecordOutput&) = delete;
    RecordOutput& operator=(const RecordOutput&) = delete;

    // Empty path: standard output. False, with the reason, when the file
    // cannot be created.
    bool Open(const std::string& path, std::string& error);
    // One record: the line and its newline.
    void WriteLine(const std::string& line);
    bool Failed() const { return !m_error.empty(); }
    // Flushes and, for a file, renames the temporary file over it when keep
    // is true (and nothing failed) or removes it. False, with the reason,
    // when a write, the flush or the rename failed.
    bool Finish(bool keep, std::string& error);

private:
    void Fail(const char* what, int error);

    std::FILE* m_file = nullptr;
    bool m_ownsFile = false;
    std::string m_path;      // the file asked for; empty: standard output
    std::string m_temporary; // written instead, renamed at the end; empty: written directly
    std::string m_error;
    bool m_finished = false;
};
