#include "core/settings/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

#include "core/base/atomic_file.h"
#include "core/base/program_folder.h"
#include "core/settings/settings_format.h"

namespace vox {
namespace fs = std::filesystem;

namespace {

// What the exception being handled says, for an error value; call only inside a catch block.
std::string failureText() {
    try {
        throw;
    } catch (const std::system_error& e) {
        // Stream and file-system errors: the system's words for the errno behind them.
        return e.code().message();
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown failure";
    }
}

bool fail(std::string* error, const std::string& text) {
    if (error)
        *error = text;
    return false;
}

}  // namespace

SettingsFile::SettingsFile(std::string path, SettingsWriter writer)
    : path_(std::move(path)), writer_(std::move(writer)) {}

std::string SettingsFile::currentPath() const {
    try {
        const fs::path p(path_);
        return ProgramFolder(p.parent_path().string()).findCaseInsensitive(p.filename().string());
    } catch (...) {
        return path_;
    }
}

SettingsReadResult SettingsFile::read(Settings& settings) const {
    SettingsReadResult result;
    try {
        const std::string path = currentPath();
        std::error_code ec;
        const fs::file_status status = fs::status(path, ec);
        switch (status.type()) {
            case fs::file_type::not_found:
                result.error = "no file " + path;
                return result;
            case fs::file_type::directory:
                result.error = path + " is a folder";
                return result;
            case fs::file_type::regular:
                break;
            case fs::file_type::none:
                // The disk would not even say what is there: it may be the owner's file.
                result.unreadableFile = true;
                result.error = "cannot examine " + path + ": " + ec.message();
                return result;
            default:
                // A pipe or a device: opening it could block, and it holds no settings.
                result.error = path + " is not a regular file";
                return result;
        }
        result.unreadableFile = true;
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            result.error = "cannot open " + path + ": " + std::strerror(errno);
            return result;
        }
        result.ok = parseSettingsFile(in, settings, &result.error);
    } catch (...) {
        // A failing disk surfaces as an exception from deep inside the stream.
        result.ok = false;
        result.error = "cannot read the settings: " + failureText();
    }
    result.unreadableFile = result.unreadableFile && !result.ok;
    result.freeWxReader = result.ok && settings.WxStationType == 1;
    return result;
}

bool SettingsFile::replace(const std::string& path, const std::string& contents,
                           std::string* error) const {
    if (writer_)
        return writer_(path, contents, error);
    return writeFileAtomically(path, contents, error);
}

bool SettingsFile::write(const Settings& settings, std::string* error) const {
    try {
        return replace(currentPath(), formatSettingsFile(settings), error);
    } catch (...) {
        return fail(error, "cannot write the settings: " + failureText());
    }
}

bool SettingsFile::createNew(Settings& settings, std::string* error) const {
    try {
        if (!replace(path_, newSettingsFileText(), error))
            return false;
    } catch (...) {
        return fail(error, "cannot create the settings: " + failureText());
    }
    // A file that cannot be read back right after writing it is as good as none; reporting it
    // here keeps a read failure from creating the file over and over.
    const SettingsReadResult back = read(settings);
    if (!back.ok && error)
        *error = back.error;
    return back.ok;
}

bool SettingsFile::keepBadCopy(std::string* keptAs, std::string* error) const {
    try {
        const fs::path bad(currentPath());
        std::error_code ec;
        if (fs::is_directory(bad, ec))
            return fail(error, bad.string() + " is a folder, not a settings file");
        // An older bad copy in any letter case is replaced, so only the newest is kept.
        const fs::path kept = ProgramFolder(bad.parent_path().string())
                                  .findCaseInsensitive(bad.filename().string() + ".bad");
        if (std::rename(bad.c_str(), kept.c_str()) != 0)
            return fail(error, "cannot rename " + bad.string() + " to " + kept.filename().string() +
                                   ": " + std::strerror(errno));
        if (keptAs)
            *keptAs = kept.filename().string();
        return true;
    } catch (...) {
        return fail(error, "cannot keep the unreadable settings: " + failureText());
    }
}

}  // namespace vox
