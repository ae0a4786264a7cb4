#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace vox {

// Writes part of data to the open file descriptor: the count written, or -1 with errno set.
// Tests replace it to play a full disk or a process killed halfway through.
using ChunkWriter = std::function<long(int fd, const char* data, std::size_t size)>;

// Replaces the file at path with contents as a whole, never in place: the contents go to a
// temporary file in the same folder, are flushed to the disk and then renamed over the old file.
// A write that fails or is cut off leaves the previous file as it was. An existing file's
// permissions are kept. False with a message when the file could not be replaced.
bool writeFileAtomically(const std::string& path, const std::string& contents,
                         std::string* error = nullptr, const ChunkWriter& writeChunk = {});

// The temporary file writeFileAtomically() uses for path (left behind only by a killed process).
std::string atomicTempPath(const std::string& path);

}  // namespace vox
