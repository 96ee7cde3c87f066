// Numbers typed on the command line: the whole text or nothing.
#pragma once

#include <cstdint>
#include <string>

// Decimal digits only (no sign, no exponent, no fraction), within [min, max].
bool ParseWholeNumber(const std::string& text, uint64_t min, uint64_t max, uint64_t& out);

// A finite decimal number (exponent allowed) within the range; lowOpen
// excludes min itself.
bool ParseRealNumber(const std::string& text, double min, double max, bool lowOpen, double& out);
