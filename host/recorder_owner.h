// The recording library's registration in place of the tracker library for
// one zuhost session: which zuhost holds it, and putting back one whose zuhost
// has ended without doing so.
#pragma once

#include <string>

// The recording library next to zuhost.
std::string RecorderPath();
// The id of this process, as a registration names its owner.
unsigned long ThisProcess();

// The recording library registered for the session of another zuhost: that
// process's id, or 0. A registration left by a zuhost that has ended without
// putting the tracker library back (it was killed, say) is put back first,
// and that is said on standard error: else every later session would go
// through the recorder and write over the session it left.
unsigned long RecorderOwnerAfterCleanup();
