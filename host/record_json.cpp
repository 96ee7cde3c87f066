#include "host/record_json.h"

#include <cmath>
#include <cstdio>

namespace {

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value) || value == ZDEV_NOT_AVAILABLE) {
        out += "null";
        return;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    out += text;
}

void AppendArray(std::string& out, const double* values, int count) {
    out += '[';
    for (int i = 0; i < count; ++i) {
        if (i)
            out += ',';
        AppendNumber(out, values[i]);
    }
    out += ']';
}

} // namespace

const char* RecordKindName(int type) {
    switch (type) {
    case ZDEV_MSG_TARGET_POSITION:
        return "target-position";
    case ZDEV_MSG_MEASUREMENT:
        return "measurement";
    case ZDEV_MSG_CONFIRM:
        return "confirm";
    case ZDEV_MSG_CANCEL:
        return "cancel";
    }
    return "unknown";
}

std::string RecordToJson(ZDEV_MESSAGE_TYPE type, const ZDEV_SCAN_DATA& record, uint64_t sequence) {
    std::string out;
    out.reserve(660);
    out += "{\"seq\":";
    out += std::to_string(sequence);
    out += ",\"message\":";
    out += std::to_string(static_cast<int>(type));
    out += ",\"kind\":\"";
    out += RecordKindName(type);
    out += "\",\"point\":";
    AppendArray(out, record.GetPts(), 3);
    out += ",\"frame\":";
    AppendArray(out, record.frame, 16);
    out += ",\"probeSize\":";
    AppendNumber(out, record.meta.probeSize);
    out += ",\"time\":";
    out += std::to_string(record.meta.time);
    const double readings[3] = {record.meta.reading1, record.meta.reading2, record.meta.reading3};
    out += ",\"readings\":";
    AppendArray(out, readings, 3);
    out += ",\"rms\":";
    AppendNumber(out, record.meta.rms);
    out += ",\"device\":\"";
    for (const char* c = record.meta.GetDeviceName(); *c; ++c)
        if (*c != '"' && *c != '\\' && static_cast<unsigned char>(*c) >= 0x20)
            out += *c;
    out += "\"}";
    return out;
}
