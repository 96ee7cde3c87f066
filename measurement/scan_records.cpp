// Building a host record from a sample and posting it.
#include "measurement/scan_records.h"

#include "measurement/probe_frames.h"
#include "plugin/CQWandDevice.h"
#include "plugin/device_trace.h"
#include "platform/ui/winuser.h"

#include <cmath>
#include <cstring>
#include <new>

void ScanRecordDeleter::operator()(ZDEV_SCAN_DATA* record) const {
    record->~ZDEV_SCAN_DATA();
    ::operator delete(static_cast<void*>(record));
}

ScanRecord NewScanRecord() {
    void* memory = ::operator new(sizeof(ZDEV_SCAN_DATA));
    ScanRecord record(new (memory) ZDEV_SCAN_DATA);
    record->Reset();
    return record;
}

double AvailableOrMarked(double reading) {
    return std::isfinite(reading) ? reading : ZDEV_NOT_AVAILABLE;
}

void CQWandDevice::FillMetaData(ZDEV_META_DATA& meta, double rms, double reading1, double reading2,
                                double reading3) {
    meta = m_metaTemplate;
    meta.time = static_cast<uint32_t>(_time64(nullptr));
    GetProbeSize(&meta.probeSize);
    meta.rms = rms;
    meta.reading1 = reading1;
    meta.reading2 = reading2;
    meta.reading3 = reading3;
}

ScanRecord CQWandDevice::BuildRecordFrame(const double* sample, bool hasDirection) {
    ScanRecord record = NewScanRecord();
    if (hasDirection)
        BuildFrameFromDirection(sample, record.get());
    else
        BuildFrameFromPoint(sample, record.get());
    record->type = 6;
    record->SetPt(record->frame[3], record->frame[7], record->frame[11]);
    std::memcpy(m_lastFrame, record->frame, sizeof m_lastFrame);
    return record;
}

void CQWandDevice::BuildAndPostRecord(ZDEV_MESSAGE_TYPE type, const double* sample,
                                      bool hasDirection, double rms, double reading1,
                                      double reading2, double reading3) {
    ScanRecord record = BuildRecordFrame(sample, hasDirection);
    FillMetaData(record->meta, rms, reading1, reading2, reading3);
    CountPostedRecord(type);
    zdev_post_scan_data(type, record.release()); // the host owns it now
}

void CQWandDevice::PostLastFrame(ZDEV_MESSAGE_TYPE type) {
    if (m_state != 2)
        return;
    ScanRecord record = NewScanRecord();
    std::memcpy(record->frame, m_lastFrame, sizeof m_lastFrame);
    record->type = 6;
    record->SetPt(m_lastFrame[3], m_lastFrame[7], m_lastFrame[11]);
    FillMetaData(record->meta, ZDEV_NOT_AVAILABLE, ZDEV_NOT_AVAILABLE, ZDEV_NOT_AVAILABLE,
                 ZDEV_NOT_AVAILABLE);
    CountPostedRecord(type);
    zdev_post_scan_data(type, record.release());
}

void CQWandDevice::PostConfirm() {
    PostLastFrame(ZDEV_MSG_CONFIRM);
}
void CQWandDevice::PostCancel() {
    PostLastFrame(ZDEV_MSG_CANCEL);
}
