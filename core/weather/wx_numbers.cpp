#include "core/weather/wx_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vox {

double FToC(double fahrenheit) {
    const double single = static_cast<float>(fahrenheit);
    return roundHalfEven((single - 32.0) / 1.8);
}

std::string numberText(double value) {
    if (value == 0)
        return "0";
    char buf[64];
    if (std::fabs(value) < 1e15 && value == std::floor(value)) {
        std::snprintf(buf, sizeof buf, "%.0f", value);
        return buf;
    }
    // Shortest form that reads back as the same value.
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

}  // namespace vox
