// A tracker session file for replay: any bytes are read without a crash, and
// a file that is taken is a complete one (its last entry is the end line,
// each entry has fields and its own line), and every entry can be passed
// over as a replay cut short does; a quoted field never unquotes to more text
// than it holds.
#include "trackerrec/passed_entries.h"
#include "trackerrec/session_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    trackerrec::SessionFile file;
    std::string error;
    if (trackerrec::ReadSessionFile(in, "fuzz", file, error)) {
        if (file.entries.empty() || file.entries.back().kind != trackerrec::SessionEntry::End) {
            std::fprintf(stderr, "a session file without its end line was taken\n");
            std::abort();
        }
        // Every entry taken has its fields and a line of its own, in order.
        uint64_t previous = 1;
        uint32_t newest = 0;
        trackerrec::RecentDoubles doubles;
        const std::vector<uint32_t> doubleFields = trackerrec::DoubleFieldsOf(file.members);
        for (const trackerrec::SessionEntry& entry : file.entries) {
            trackerrec::PassOverEntry(entry, entry.Fields(), doubleFields, newest, doubles);
            const uint64_t line = file.LineOf(entry);
            if (entry.Fields().empty() || line <= previous) {
                std::fprintf(stderr, "an entry without fields or out of line order was taken\n");
                std::abort();
            }
            previous = line;
        }
    } else if (error.empty()) {
        std::fprintf(stderr, "a refused session file without a message\n");
        std::abort();
    }
    std::string text;
    if (trackerrec::UnquoteField(bytes, text) && text.size() + 2 > bytes.size()) {
        std::fprintf(stderr, "a quoted field grew when unquoted\n");
        std::abort();
    }
    return 0;
}
