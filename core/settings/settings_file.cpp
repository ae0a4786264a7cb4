#include "settings/settings_file.h"

#include <fstream>

#include "base/atomic_file.h"
#include "settings/settings_format.h"

namespace vox {

SettingsFile::SettingsFile(std::string path, SettingsWriter writer)
    : path_(std::move(path)), writer_(std::move(writer)) {}

SettingsReadResult SettingsFile::read(Settings& settings) const {
    SettingsReadResult result;
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        result.error = "cannot open " + path_;
        return result;
    }
    result.ok = parseSettingsFile(in, settings, &result.error);
    result.freeWxReader = result.ok && settings.WxStationType == 1;
    return result;
}

bool SettingsFile::replace(const std::string& contents, std::string* error) const {
    if (writer_)
        return writer_(path_, contents, error);
    return writeFileAtomically(path_, contents, error);
}

bool SettingsFile::write(const Settings& settings, std::string* error) const {
    return replace(formatSettingsFile(settings), error);
}

bool SettingsFile::createNew(Settings& settings, std::string* error) const {
    if (!replace(newSettingsFileText(), error))
        return false;
    // A file that cannot be read back right after writing it is as good as none; reporting it
    // here keeps a read failure from creating the file over and over.
    const SettingsReadResult back = read(settings);
    if (!back.ok && error)
        *error = back.error;
    return back.ok;
}

}  // namespace vox
