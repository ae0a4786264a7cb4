#pragma once

#include <string>

namespace vox {

// A call sign spelled for a voice of the AT&T kind: every character lower-cased, each followed by
// one blank ("N0CALL" -> "n 0 c a l l ").
std::string ATTCall(const std::string& call);

// A call sign spelled for the other voice kind: "<spell>c</spell> " for every character.
std::string TTSSpell(const std::string& call);

}  // namespace vox
