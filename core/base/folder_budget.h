#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/local_time.h"

namespace vox {

// The air recorder's file names: the local time of keying, "2026-12-10_14-05-00.000.wav", with
// "_2", "_3", ... before ".wav" for further transmissions keyed in the same millisecond.
std::string airRecordingName(const LocalTime& keyedAt, int sequence = 1);
// True for a name airRecordingName() makes; no other file is ever counted or deleted.
bool isAirRecordingName(const std::string& name);

struct FolderFile {
    std::string name;
    std::uint64_t bytes = 0;
};

// Keeps the recorder's files within maxBytes (0: no limit): the names to delete, oldest first,
// until the rest take at most maxBytes. Age is the name's order, the time of keying, so a file
// copied or touched later keeps its place. Files with other names are neither counted nor
// deleted; keep (the file just written) is never deleted, even alone over the limit.
std::vector<std::string> airRecordingsOverBudget(const std::vector<FolderFile>& files,
                                                 std::uint64_t maxBytes, const std::string& keep);

}  // namespace vox
