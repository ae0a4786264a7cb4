#pragma once

#include <string>
#include <vector>

namespace vox {

// From the air log of a dry run, the lines of what goes on the air or changes the node: PTT,
// speech, played files, connects and disconnects, the node switched off and on (quiet time).
// Lines stamped before `after` ("YYYY-MM-DDTHH:MM:SS", the copy's own start-up) are left out;
// at most `limit` lines.
std::vector<std::string> nextTransmissionLines(const std::string& airLog, const std::string& after,
                                               std::size_t limit = 400);

}  // namespace vox
