#pragma once

#include <functional>
#include <string>

#include "settings/settings.h"

namespace vox {

// Replaces a file's contents as a whole; false with a message when it could not. Empty means the
// real file system (a temporary file flushed and renamed over the old one).
using SettingsWriter =
    std::function<bool(const std::string& path, const std::string& contents, std::string* error)>;

struct SettingsReadResult {
    bool ok = false;
    std::string error;          // why the file could not be read
    bool freeWxReader = false;  // WxStationType is 1: the FreeWX reader must run
};

// The settings file "voxclock.ini" of the program folder. Whole-file operations only; the file
// is never rewritten in place, so a failed write leaves the previous file intact.
class SettingsFile {
public:
    explicit SettingsFile(std::string path, SettingsWriter writer = {});

    const std::string& path() const { return path_; }

    // Fills the record from the file; on failure the record is left unchanged.
    SettingsReadResult read(Settings& settings) const;
    // Writes the whole file from the record (120 lines).
    bool write(const Settings& settings, std::string* error = nullptr) const;
    // Writes a file of defaults (119 lines) and reads it back into the record.
    bool createNew(Settings& settings, std::string* error = nullptr) const;

private:
    bool replace(const std::string& contents, std::string* error) const;

    std::string path_;
    SettingsWriter writer_;
};

}  // namespace vox
