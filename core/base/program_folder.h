#pragma once

#include <string>

namespace vox {

// The program folder: the data folder that holds the settings file, the event log and the
// prepared files. Paths written with backslashes ("\wav\id.wav") map to sub-folders.
class ProgramFolder {
public:
    explicit ProgramFolder(std::string root);

    const std::string& root() const { return root_; }
    // "\wav\id.wav" or "wav/id.wav" -> root/wav/id.wav (exact case).
    std::string path(const std::string& relative) const;
    // As path(), but each component is matched without regard to letter case against what is on
    // disk, so "\voxclocklog.txt" and "\VoxclockLog.txt" reach one and the same file. Components
    // that do not exist keep the spelling given.
    std::string findCaseInsensitive(const std::string& relative) const;
    // Creates the folder (and parents); false with a message when that fails.
    bool ensureExists(std::string* error = nullptr) const;

    // --home DIR, else $VOXCLOCK_HOME, else ~/.local/share/voxclock.
    static std::string choose(const std::string& homeOption);

private:
    std::string root_;
};

// True when the path names a regular file (a folder or nothing is not one); never throws.
bool isRegularFile(const std::string& path);

}  // namespace vox
