// Failures as the library reports them: a failing HRESULT with error
// information whose description the caller shows.
#pragma once

#include "../platform/base/text.h"
#include "../platform/com/com.h"

#include <string_view>

namespace trackersim {

// Sets the thread's error information and returns hr. The number (the
// tracker's own error number) travels as the help context.
HRESULT ReportError(HRESULT hr, platform::WideView description, LONG number = 0);

// A library-defined failure code (FACILITY_ITF) for the tracker's errors.
constexpr HRESULT kTrackerFailure = static_cast<HRESULT>(0x80040300L);

} // namespace trackersim
