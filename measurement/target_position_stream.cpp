// Live target positions: every sample becomes a type 9 record while probing.
#include "measurement/library_reads.h"
#include "plugin/CQWandDevice.h"
#include "plugin/device_trace.h"

#include <cmath>

using namespace tracker;

void CQWandDevice::OnTargetPosition(IDispatch* argument) {
    if (!m_connected || m_state != 2 || !argument)
        return;
    try {
        // The sample is asked for its position facet rather than taken as one
        // blindly, so a sample of another kind is dropped instead of misread.
        ComPtr<PositionMeasurement> sample = QueryFacet<PositionMeasurement>(argument);
        if (!sample) {
            QNTRACE("target position dropped: the sample has no position facet");
            return;
        }
        double values[6] = {};
        bool hasPoint = false;
        bool hasDirection = false;
        ComPtr<Position> position = Read(sample, &PositionMeasurement::get_Position);
        if (position && Read(position, &Position::get_X) && Read(position, &Position::get_Y) &&
            Read(position, &Position::get_Z)) {
            position = Require(sample, &PositionMeasurement::get_Position);
            values[0] = ValueOf(Require(position, &Position::get_X));
            values[1] = ValueOf(Require(position, &Position::get_Y));
            values[2] = ValueOf(Require(position, &Position::get_Z));
            hasPoint = true;
        }
        if (ComPtr<SixDofMeasurement> facet = QueryFacet<SixDofMeasurement>(sample.Get())) {
            ComPtr<Rotation> rotation = Read(facet, &SixDofMeasurement::get_Rotation);
            if (rotation && Read(rotation, &Rotation::get_Rx) &&
                Read(rotation, &Rotation::get_Ry) && Read(rotation, &Rotation::get_Rz)) {
                ReadDirection(Require(facet, &SixDofMeasurement::get_Direction), values + 3);
                hasDirection = true;
            }
        }
        if (!hasPoint || !std::isfinite(values[0]) || !std::isfinite(values[1]) ||
            !std::isfinite(values[2])) {
            QNTRACE("target position dropped: %s", hasPoint ? "point not finite" : "no point");
            return;
        }
        if (hasDirection &&
            !(std::isfinite(values[3]) && std::isfinite(values[4]) && std::isfinite(values[5])))
            hasDirection = false;
        BuildAndPostRecord(ZDEV_MSG_TARGET_POSITION, values, hasDirection, ZDEV_NOT_AVAILABLE,
                           ZDEV_NOT_AVAILABLE, ZDEV_NOT_AVAILABLE, ZDEV_NOT_AVAILABLE);
    } catch (const ComError& error) {
        // Dropped, like a measurement the library cannot deliver.
        QNTRACE("target position dropped: reading the sample failed: %s",
                DescribeFailure(error).c_str());
    }
}
