#pragma once

#include <cstddef>

namespace vox {

// The longest control line, line end excluded ('\r' counts). A reader that meets a longer one
// hands over its first kMaxControlLineBytes + 1 bytes, which the parser answers
// "error: line too long": every line gets its answer, and no reader buffers without end.
constexpr std::size_t kMaxControlLineBytes = 4096;

}  // namespace vox
