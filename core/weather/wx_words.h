#pragma once

#include <string>

namespace vox {

// The 16-point compass word for a wind direction in degrees; "" for a value in no range
// (negative, above 360, or a fraction between two ranges such as 11.5).
std::string compassWord(double degrees);

// The conditions word of Weather Exchange's condition code 1..18; "" for any other code.
std::string conditionWord(int code);

}  // namespace vox
