// The module's lines in the trace: library failures in one form, the trace
// switched on from the device's registry key, records posted per type.
#pragma once

#include "interfaces/zdevice.h"
#include "platform/com/com_error.h"
#include "platform/trace/trace.h"

#include <string>

// `0x80004005 "description"`: a failure's result and the library's description.
std::string DescribeFailure(HRESULT hr, const std::basic_string<WCHAR>& description = {});
inline std::string DescribeFailure(const ComError& error) {
    return DescribeFailure(error.Error(), error.Description());
}

// Starts the trace into its default file when the device's registry key holds
// a REG_DWORD "Trace" other than 0. Any other type, or no value, leaves the
// trace as it is. StopTraceFromRegistry ends a trace started that way.
void StartTraceFromRegistry();
void StopTraceFromRegistry();

// Counts a posted record by its message type; TracePostedRecords writes the
// counts since the last such line (nothing when none was posted).
void CountPostedRecord(ZDEV_MESSAGE_TYPE type) noexcept;
void TracePostedRecords(const char* moment);
