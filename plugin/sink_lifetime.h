// Destroying an event sink at disconnect. The sink is deleted outright after
// its connections are removed. A sink that a source still holds (its source
// could not be found again to unadvise it) is instead cut off from its owner
// and left to that source's final release, so the source never calls into a
// deleted object.
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
