#include "backends/sim/sim_call_sign.h"

#include <algorithm>
#include <cctype>

namespace vox {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool callSign(const std::string& s) {
    std::string base = s;
    if (base.size() > 2 && base[base.size() - 2] == '-') {
        const char suffix =
            static_cast<char>(std::toupper(static_cast<unsigned char>(base.back())));
        if (suffix != 'L' && suffix != 'R')
            return false;
        base.resize(base.size() - 2);
    }
    if (base.size() < 3 || base.size() > 7)
        return false;
    if (!std::all_of(base.begin(), base.end(), [](char c) { return isDigit(c) || isLetter(c); }))
        return false;
    // A prefix has a letter in its first two places, a digit follows, the suffix ends on a letter.
    return (isLetter(base[0]) || isLetter(base[1])) &&
           std::any_of(base.begin(), base.end(), isDigit) && isLetter(base.back());
}

bool conference(const std::string& s) {
    if (s.size() < 3 || s.size() > 18 || s.front() != '*' || s.back() != '*')
        return false;
    return std::all_of(s.begin() + 1, s.end() - 1,
                       [](char c) { return isDigit(c) || isLetter(c) || c == '-' || c == '_'; });
}

bool nodeNumber(const std::string& s) {
    return !s.empty() && s.size() <= 7 && s[0] != '0' && std::all_of(s.begin(), s.end(), isDigit);
}

}  // namespace

bool plausibleNodeCall(const std::string& call) {
    return callSign(call) || conference(call) || nodeNumber(call);
}

}  // namespace vox
