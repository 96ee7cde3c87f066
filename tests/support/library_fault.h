// One tracker library call made to fail (or to give null) for a parameterised
// sweep over every call a page makes.
#pragma once

#include "trackersim/sim_control.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

namespace simtest {

struct LibraryFault {
    const WCHAR* operation;
    bool makeNull; // the property gives null (or the facet is absent) instead of failing
};

// "Operation_name_fails" / "Operation_name_null": a test name and what
// GoogleTest prints for the parameter.
inline std::string FaultName(const LibraryFault& fault) {
    std::string name;
    for (const WCHAR* c = fault.operation; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? static_cast<char>(*c) : '_';
    return name + (fault.makeNull ? "_null" : "_fails");
}
inline std::string FaultTestName(const testing::TestParamInfo<LibraryFault>& info) {
    return FaultName(info.param);
}
inline void PrintTo(const LibraryFault& fault, std::ostream* out) {
    *out << FaultName(fault);
}

// Applies the fault to every call of its operation until faults are cleared.
inline void Inject(trackersim::SimControl& sim, const LibraryFault& fault, int32_t number,
                   const WCHAR* description) {
    if (fault.makeNull)
        sim.MakeNull(fault.operation, false);
    else
        sim.InjectFailure(fault.operation, E_FAIL, number, description, false);
}

} // namespace simtest
