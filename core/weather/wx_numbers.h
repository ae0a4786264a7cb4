#pragma once

#include <string>

#include "core/base/number_text.h"

namespace vox {

// Numbers as the weather texts hold them.

// Fahrenheit to Celsius, whole degrees, halves to even; the value is taken at single precision
// first, as the weather programs store it: 212 -> 100, 32 -> 0, 0 -> -18.
double FToC(double fahrenheit);

// A number as the spoken texts show it: "16", "12.8", "-3"; never "-0".
std::string numberText(double value);

}  // namespace vox
