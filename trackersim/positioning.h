// Pointing the tracker head: moves, position-to requests, the reflector
// search and the head's angles.
#pragma once

#include "../interfaces/tracker.h"
#include "../platform/com/com_ptr.h"

namespace trackersim {

ComPtr<tracker::ReflectorFinder> CreateReflectorFinder();
ComPtr<tracker::TrackerAngles> CreateTrackerAngles();

// Moves the head at the signed speeds until the next move; the angles change
// by 0.005 radians a second per unit of speed (angle 2 stays within 0 to pi).
HRESULT MoveHead(LONG horizontalSpeed, LONG verticalSpeed);
// Brings the head's angles up to the clock's time.
void UpdateHead();
HRESULT PositionTo(VARIANT_BOOL search, VARIANT_BOOL relative, const double (&values)[3],
                   IDispatch** result);
HRESULT PositionToTarget(IDispatch* target, VARIANT_BOOL relative, const double (&values)[3],
                         tracker::Target** found);

// Records a pointing request at target index (-1: coordinates).
void RecordPointing(int target, bool search, bool relative, const double (&values)[3]);

} // namespace trackersim
