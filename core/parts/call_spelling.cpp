#include "core/parts/call_spelling.h"

#include <cctype>

namespace vox {

std::string ATTCall(const std::string& call) {
    std::string out;
    for (char c : call) {
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        out += ' ';
    }
    return out;
}

std::string TTSSpell(const std::string& call) {
    std::string out;
    for (char c : call)
        out += "<spell>" + std::string(1, c) + "</spell> ";
    return out;
}

}  // namespace vox
