// Pointing the tracker head: moves, position-to requests, the reflector
// search and the head's angles.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

ComPtr<tracker::ReflectorFinder> CreateReflectorFinder();
ComPtr<tracker::TrackerAngles> CreateTrackerAngles();

HRESULT MoveHead(LONG horizontalSpeed, LONG verticalSpeed);
HRESULT PositionTo(VARIANT_BOOL search, VARIANT_BOOL relative, const double (&values)[3],
                   IDispatch** result);
HRESULT PositionToTarget(IDispatch* target, VARIANT_BOOL relative, const double (&values)[3],
                         tracker::Target** found);

// Records a pointing request at target index (-1: coordinates).
void RecordPointing(int target, bool search, bool relative, const double (&values)[3]);

} // namespace trackersim
