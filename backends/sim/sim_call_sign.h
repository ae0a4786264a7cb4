#pragma once

#include <string>

namespace vox {

// Whether the node would find a station by this name: a call sign with an optional "-L" or "-R"
// (W1AW, VE3ABC-L), a conference ("*ECHOTEST*") or a node number. Letter case does not matter.
bool plausibleNodeCall(const std::string& call);

}  // namespace vox
