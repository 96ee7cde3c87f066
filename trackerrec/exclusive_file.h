// The session file a recording writes, opened so that no other process
// writes it at the same time: the recorder is registered for the user, so a
// second session started meanwhile comes through it too, and would replace
// the file under the first.
#pragma once

#include <cstdio>
#include <string>

namespace trackerrec {

// Opens the file (a UTF-8 name) for writing from its start; null when it
// cannot, with `why` ("another process is writing it", or the system's
// reason). A file another process holds this way is left as it is.
std::FILE* OpenExclusiveFile(const std::string& path, std::string& why);

} // namespace trackerrec
