// The trace folder on Linux: the XDG state folder.
#include "platform/trace/trace.h"

#include <cstdlib>

namespace qntrace {

std::filesystem::path DefaultFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state == '/')
        return std::filesystem::path(state) / "qnzu";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::filesystem::path(home) / ".local" / "state" / "qnzu";
    return {};
}

} // namespace qntrace
