// The least tracker library the measuring path can run against: one
// measurement that offers every facet with constant values, and a tracker
// whose selected target is a probe with a constant tip size. Every object is
// created once and answers from fields; nothing is counted, faulted or
// allocated per call, so what a record costs against it is the module's own.
#pragma once

#include "interfaces/tracker.h"

#include <memory>

namespace bench {

class MinimalLibrary {
public:
    MinimalLibrary();
    ~MinimalLibrary();
    MinimalLibrary(const MinimalLibrary&) = delete;
    MinimalLibrary& operator=(const MinimalLibrary&) = delete;

    // What a MeasurementArrived event carries: a collection of one measurement.
    IDispatch* MeasurementCollection();
    // What a TargetPositionChanged event carries: the same measurement.
    IDispatch* PositionSample();
    // The tracker whose selected target gives the probe size.
    tracker::Tracker* Tracker();

private:
    struct Objects;
    std::unique_ptr<Objects> m_objects;
};

} // namespace bench
