// Destroying an event sink at disconnect. The sink is deleted outright after
// its connections are removed. A sink that is still held (a source could not
// be found again to unadvise it, a source holds it for the call it is in, a
// library lets go of its sinks late, or one of its own handlers is running)
// is instead cut off from its owner and left to the last release, so nothing
// calls into a deleted object and the sink never calls into its owner again.
#pragma once

#include "platform/com/cmdtarget.h"

#include <utility>

template <class Sink> void DestroySink(Sink*& sink) {
    Sink* doomed = std::exchange(sink, nullptr);
    if (!doomed)
        return;
    if (doomed->GetReferenceCount() <= 1) {
        doomed->OnFinalRelease();
        return;
    }
    if constexpr (requires { doomed->m_owner; })
        doomed->m_owner = nullptr;
    doomed->InternalRelease();
}

// Holds a sink for the length of one of its handlers that lets the message
// loop run (a message box): Close or Disconnect may destroy the sink meanwhile,
// and the handler still touches its members afterwards. The sink then goes
// when the handler ends.
class SinkCallGuard {
public:
    explicit SinkCallGuard(CCmdTarget& sink) : m_sink(sink) { m_sink.InternalAddRef(); }
    ~SinkCallGuard() { m_sink.InternalRelease(); }
    SinkCallGuard(const SinkCallGuard&) = delete;
    SinkCallGuard& operator=(const SinkCallGuard&) = delete;

private:
    CCmdTarget& m_sink;
};
