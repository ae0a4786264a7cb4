#pragma once

#include <cstdint>
#include <string>

#include "core/base/atomic_file.h"

namespace vox {

// An append-only log of lines that keeps to a size: a line that would take the file past
// maxBytes first moves it to rotatedPath() (replacing the copy there) and starts a new file, so
// at most about twice the limit is ever on disk. The file is opened for each line, so the owner
// may delete or move it at any time and a folder that comes back is written again.
class RotatingLogFile {
public:
    // maxBytes 0: no limit. write: how bytes reach the file (tests play a full disk with it).
    RotatingLogFile(std::string path, std::uint64_t maxBytes, ChunkWriter write = {});

    const std::string& path() const { return path_; }
    std::string rotatedPath() const { return path_ + ".1"; }

    // Appends line and a line feed, whole or not at all: a write cut off by a full disk is
    // taken back, so the file never holds half a line. A line alone longer than the limit is
    // still written, to a file of its own. False with a message when the line could not be
    // written, or when it was but the full file could not be moved aside; the next line tries
    // again.
    bool append(const std::string& line, std::string* error = nullptr);

private:
    std::string path_;
    std::uint64_t maxBytes_;
    ChunkWriter write_;
};

}  // namespace vox
