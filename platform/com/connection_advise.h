// Connection-point advise and unadvise in the shape of MFC's helpers: find the
// source's connection point for an event interface and (un)advise a sink.
#pragma once

#include "com.h"

// With refCount the connection's reference to the sink counts; without it the
// sink's count is left as it was before the call.
BOOL AfxConnectionAdvise(LPUNKNOWN source, REFIID iid, LPUNKNOWN sink, BOOL refCount,
                         DWORD* cookie);
BOOL AfxConnectionUnadvise(LPUNKNOWN source, REFIID iid, LPUNKNOWN sink, BOOL refCount,
                           DWORD cookie);
