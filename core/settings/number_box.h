#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vox {

// The number boxes of the setup dialogs all read alike: the text is trimmed and the number it
// starts with is taken; text that does not start with a number gives 0.

// A real setting ("0.75" -> 0.75). Held to the 16-bit range like the whole numbers, so the file
// always gets a value it can read back.
double realFromBox(const std::string& text);

// A 16-bit whole-number setting: rounded to the nearest whole number (halves to even), and a
// number beyond the range is clamped to its end rather than wrapped ("70000" -> 32767).
std::int16_t wholeFromBox(const std::string& text);

enum class NumberBoxKind { Real, Whole };

// What OK will store from a box whose text is not the number stored ("abc" -> "0", "5 min" ->
// "5", "70000" -> "32767" in a whole box); nothing when the text is that number. The owner is told
// while typing, and the event log names the field.
std::optional<std::string> storedIfNotANumber(const std::string& text, NumberBoxKind kind);

// A setting shown in its box as decimal text: "5", "0.5", "-2".
std::string boxText(double value);

}  // namespace vox
