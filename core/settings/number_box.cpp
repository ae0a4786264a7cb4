#include "core/settings/number_box.h"

#include <algorithm>
#include <charconv>

#include "core/base/number_text.h"

namespace vox {

namespace {

constexpr double kLowest = -32768;
constexpr double kHighest = 32767;

}  // namespace

double realFromBox(const std::string& text) {
    return std::clamp(numericPrefix(text), kLowest, kHighest);
}

std::int16_t wholeFromBox(const std::string& text) {
    const double whole = std::clamp(roundHalfEven(numericPrefix(text)), kLowest, kHighest);
    return static_cast<std::int16_t>(whole);
}

std::optional<std::string> storedIfNotANumber(const std::string& text, NumberBoxKind kind) {
    const double stored =
        kind == NumberBoxKind::Whole ? double(wholeFromBox(text)) : realFromBox(text);
    const std::optional<double> typed = wholeNumber(text);
    if (typed && *typed == stored)
        return std::nullopt;
    return boxText(stored);
}

std::string boxText(double value) {
    if (value == 0)
        return "0";  // never "-0"
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

}  // namespace vox
