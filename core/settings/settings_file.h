#pragma once

#include <functional>
#include <string>

#include "core/settings/settings.h"

namespace vox {

// Replaces a file's contents as a whole; false with a message when it could not. Empty means the
// real file system (a temporary file flushed and renamed over the old one).
using SettingsWriter =
    std::function<bool(const std::string& path, const std::string& contents, std::string* error)>;

struct SettingsReadResult {
    bool ok = false;
    std::string error;          // why the file could not be read
    bool freeWxReader = false;  // WxStationType is 1: the FreeWX reader must run
    // A file is there but could not be read or parsed: the owner's settings, worth keeping. A
    // missing file or a folder in its place is not.
    bool unreadableFile = false;
};

// The settings file "voxclock.ini" of the program folder. Whole-file operations only; the file
// is never rewritten in place, so a failed write leaves the previous file intact. The name is
// matched without regard to letter case each time the file is used, so a "Voxclock.ini" copied
// from Windows is read and written back under its own name. Nothing here throws: every failure
// of the disk or the library comes back as an error value.
class SettingsFile {
public:
    explicit SettingsFile(std::string path, SettingsWriter writer = {});

    // The path as configured, in its own spelling.
    const std::string& path() const { return path_; }
    // The file on disk now: the configured path, or an entry of its folder that differs from it
    // only in letter case; the configured path when there is neither.
    std::string currentPath() const;

    // Fills the record from the file; on failure the record is left unchanged.
    SettingsReadResult read(Settings& settings) const;
    // Writes the whole file from the record (120 lines).
    bool write(const Settings& settings, std::string* error = nullptr) const;
    // Writes a file of defaults (119 lines) under the configured name and reads it back into
    // the record.
    bool createNew(Settings& settings, std::string* error = nullptr) const;
    // Moves an unreadable file aside as its name + ".bad", replacing an older bad copy, before
    // a file of defaults takes its place. keptAs gets the name it now has.
    bool keepBadCopy(std::string* keptAs, std::string* error = nullptr) const;

private:
    bool replace(const std::string& path, const std::string& contents, std::string* error) const;

    std::string path_;
    SettingsWriter writer_;
};

}  // namespace vox
