#pragma once

#include <optional>
#include <string>

namespace vox {

// Numbers as the weather texts hold them.

// The number a text starts with, after blanks: "12.5 mph" -> 12.5, "abc" -> 0, "-3" -> -3.
double numericPrefix(const std::string& text);

// The whole text as a number (blanks around it allowed), or nothing: "72" and " -3.5 " are
// numbers, "72°", "n/a" and "" are not. Values beyond single precision are not numbers either.
std::optional<double> wholeNumber(const std::string& text);

// Rounded to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

// Fahrenheit to Celsius, whole degrees, halves to even; the value is taken at single precision
// first, as the weather programs store it: 212 -> 100, 32 -> 0, 0 -> -18.
double FToC(double fahrenheit);

// A number as the spoken texts show it: "16", "12.8", "-3"; never "-0".
std::string numberText(double value);

}  // namespace vox
