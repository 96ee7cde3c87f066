// Ctrl-C (SIGINT) during a session: the handler only notes it; the session
// sees it between steps and ends as a normal session ends.
#pragma once

void CatchInterrupt();
bool Interrupted();
