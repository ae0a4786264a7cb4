#pragma once

#include <optional>
#include <string>

namespace vox {

// Numbers as the texts from outside and the dialogs' boxes hold them.

// The number a text starts with, after blanks: "12.5 mph" -> 12.5, "abc" -> 0, "-3" -> -3.
double numericPrefix(const std::string& text);

// The whole text as a number (blanks around it allowed), or nothing: "72" and " -3.5 " are
// numbers, "72°", "n/a" and "" are not. Values beyond single precision are not numbers either.
std::optional<double> wholeNumber(const std::string& text);

// Rounded to the nearest whole number, halves to the even neighbour.
double roundHalfEven(double value);

}  // namespace vox
