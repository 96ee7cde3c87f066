// Measurements from the MeasurementArrived event and from one-shot requests:
// read point, direction, RMS and readings, filter by RMS, post type 10.
#include "measurement/library_reads.h"
#include "measurement/scan_records.h"
#include "plugin/CQWandDevice.h"
#include "plugin/device_trace.h"
#include "settings/CQNZUDeviceOrlanProbeSettingDlg.h"

#include <cmath>

using namespace tracker;

namespace {

bool AllFinite(const double* v, int n) {
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i]))
            return false;
    return true;
}

} // namespace

double CQWandDevice::CurrentDistanceTolerance() const {
    return m_settingsDlg ? m_settingsDlg->m_distanceTolerance : 0.1;
}

void CQWandDevice::OnMeasurementArrived(IDispatch* argument) {
    if (!argument) {
        QNTRACE("measurement event dropped: no measurement collection");
        return;
    }
    ComPtr<MeasurementCollection> measurements;
    ThrowIfFailed(argument->QueryInterface(IidOf<MeasurementCollection>(), measurements.PutVoid()));
    LONG count = 0;
    ThrowIfFailed(measurements->get_Count(&count));
    if (count <= 0) {
        QNTRACE("measurement event dropped: empty collection");
        return;
    }
    ComPtr<Measurement> first;
    ThrowIfFailed(measurements->get_Item(0, first.Put()));
    if (count > 1)
        QNTRACE("measurement event: %ld measurements, only the first is used",
                static_cast<long>(count));
    OnMeasurement(first.Get()); // further items of the same event are not used
}

void CQWandDevice::OnMeasurement(Measurement* measurement) {
    if (!m_connected || m_state != 2 || !measurement) {
        QNTRACE("measurement dropped: %s", !m_connected   ? "not connected"
                                           : m_state != 2 ? "not probing"
                                                          : "no measurement object");
        return;
    }
    // The library call under way, for the trace when one fails.
    const char* step = "Measurement.QueryInterface(RmsMeasurement)";
    try {
        const double tolerance = CurrentDistanceTolerance();
        double sample[6] = {};
        double rms = 0;
        bool hasPoint = false;
        bool hasDirection = false;

        if (ComPtr<RmsMeasurement> facet = QueryFacet<RmsMeasurement>(measurement)) {
            step = "RmsMeasurement.RmsPosition";
            ComPtr<RmsPosition> position = Read(facet, &RmsMeasurement::get_RmsPosition);
            if (position && Read(position, &RmsPosition::get_X) &&
                Read(position, &RmsPosition::get_Y) && Read(position, &RmsPosition::get_Z) &&
                Read(position, &RmsPosition::get_Rms)) {
                position = Require(facet, &RmsMeasurement::get_RmsPosition);
                sample[0] = ValueOf(Require(position, &RmsPosition::get_X));
                sample[1] = ValueOf(Require(position, &RmsPosition::get_Y));
                sample[2] = ValueOf(Require(position, &RmsPosition::get_Z));
                rms = ValueOf(Require(position, &RmsPosition::get_Rms));
                if (!(rms <= tolerance)) {
                    // Above the tolerance (equal passes); an RMS that is no number fails too.
                    QNTRACE("measurement dropped: RMS %.9g over the tolerance %.9g", rms,
                            tolerance);
                    return;
                }
                hasPoint = true;
            }
        }
        step = "Measurement.QueryInterface(DirectionalMeasurement)";
        if (ComPtr<DirectionalMeasurement> facet =
                QueryFacet<DirectionalMeasurement>(measurement)) {
            step = "DirectionalMeasurement.Direction";
            if (Read(facet, &DirectionalMeasurement::get_Direction)) {
                ReadDirection(Require(facet, &DirectionalMeasurement::get_Direction), sample + 3);
                hasDirection = true;
            }
        }
        step = "Measurement.QueryInterface(PositionMeasurement)";
        if (ComPtr<PositionMeasurement> facet = QueryFacet<PositionMeasurement>(measurement)) {
            step = "PositionMeasurement.Position";
            ComPtr<Position> position = Read(facet, &PositionMeasurement::get_Position);
            if (position && Read(position, &Position::get_X) && Read(position, &Position::get_Y) &&
                Read(position, &Position::get_Z)) {
                position = Require(facet, &PositionMeasurement::get_Position);
                sample[0] = ValueOf(Require(position, &Position::get_X));
                sample[1] = ValueOf(Require(position, &Position::get_Y));
                sample[2] = ValueOf(Require(position, &Position::get_Z));
                hasPoint = true;
            }
        }
        step = "Measurement.QueryInterface(SixDofMeasurement)";
        if (ComPtr<SixDofMeasurement> facet = QueryFacet<SixDofMeasurement>(measurement)) {
            step = "SixDofMeasurement.Rotation";
            ComPtr<Rotation> rotation = Read(facet, &SixDofMeasurement::get_Rotation);
            if (rotation && Read(rotation, &Rotation::get_Rx) &&
                Read(rotation, &Rotation::get_Ry) && Read(rotation, &Rotation::get_Rz)) {
                step = "SixDofMeasurement.Direction";
                ReadDirection(Require(facet, &SixDofMeasurement::get_Direction), sample + 3);
                hasDirection = true;
            }
        }
        if (!hasPoint) {
            QNTRACE("measurement dropped: no point (no complete position facet)");
            return;
        }
        // A point that is no number is not posted; a direction that is no
        // number leaves the point's line-of-sight frame.
        if (!AllFinite(sample, 3)) {
            QNTRACE("measurement dropped: point not finite (%g, %g, %g)", sample[0], sample[1],
                    sample[2]);
            return;
        }
        if (hasDirection && !AllFinite(sample + 3, 3))
            hasDirection = false;

        ScanRecord record = BuildRecordFrame(sample, hasDirection);
        step = "Measurement.reading1";
        const double reading1 = ValueOf(Require(measurement, &Measurement::get_Reading1));
        step = "Measurement.reading2";
        const double reading2 = ValueOf(Require(measurement, &Measurement::get_Reading2));
        step = "Measurement.reading3";
        const double reading3 = ValueOf(Require(measurement, &Measurement::get_Reading3));
        FillMetaData(record->meta, rms, AvailableOrMarked(reading1), AvailableOrMarked(reading2),
                     AvailableOrMarked(reading3));
        CountPostedRecord(ZDEV_MSG_MEASUREMENT);
        zdev_post_scan_data(ZDEV_MSG_MEASUREMENT, record.release());
    } catch (const ComError& error) {
        // The measuring path drops a measurement the library cannot deliver.
        QNTRACE("measurement dropped: %s failed: %s", step, DescribeFailure(error).c_str());
    }
}
