#include "host/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool ParseWholeNumber(const std::string& text, uint64_t min, uint64_t max, uint64_t& out) {
    if (text.empty() || text.size() > 20 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (errno == ERANGE || *end || value < min || value > max)
        return false;
    out = value;
    return true;
}

bool ParseRealNumber(const std::string& text, double min, double max, bool lowOpen, double& out) {
    // strtod also takes hexadecimal, "inf" and "nan" and skips leading blanks.
    if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string::npos)
        return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end || errno == ERANGE || !std::isfinite(value))
        return false;
    if (value < min || value > max || (lowOpen && value == min))
        return false;
    out = value;
    return true;
}
