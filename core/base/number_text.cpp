#include "core/base/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vox {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of the number at the start of text (sign, digits, one point, exponent), 0 if none.
std::size_t numberLength(const std::string& text, std::size_t from) {
    std::size_t p = from;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        ++p;
    std::size_t digits = 0;
    while (p < text.size() && isDigit(text[p])) {
        ++p;
        ++digits;
    }
    if (p < text.size() && text[p] == '.') {
        ++p;
        while (p < text.size() && isDigit(text[p])) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < text.size() && (text[q] == '+' || text[q] == '-'))
            ++q;
        if (q < text.size() && isDigit(text[q])) {
            while (q < text.size() && isDigit(text[q]))
                ++q;
            p = q;
        }
    }
    return p - from;
}

std::optional<double> parse(const std::string& text, std::size_t from, std::size_t length) {
    std::string s = text.substr(from, length);
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    double value = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), value);
    if (res.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

double numericPrefix(const std::string& text) {
    std::size_t p = 0;
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
        ++p;
    const std::size_t length = numberLength(text, p);
    if (length == 0)
        return 0;
    return parse(text, p, length).value_or(0);
}

std::optional<double> wholeNumber(const std::string& text) {
    std::size_t p = 0;
    while (p < text.size() && text[p] == ' ')
        ++p;
    std::size_t end = text.size();
    while (end > p && text[end - 1] == ' ')
        --end;
    const std::size_t length = numberLength(text, p);
    if (length == 0 || p + length != end)
        return std::nullopt;
    const std::optional<double> value = parse(text, p, length);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return value;
}

double roundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

}  // namespace vox
