#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/base/user_interface.h"
#include "core/settings/settings.h"
#include "core/settings/settings_file.h"

namespace vox {

// What a settings-file operation tells the station.
struct IniOutcome {
    bool ok = false;                         // the file was read / written / created as asked
    bool mustClose = false;                  // no new file could be created: the program ends
    bool freeWxReader = false;               // WxStationType is 1: enable the FreeWX reader timer
    std::vector<std::string> eventLogLines;  // for the station's event log
};

// The station's three settings-file operations, with their message boxes.

// Fills the record from the file. A missing or corrupted file is reported, closeSplash runs, and
// a file of defaults takes its place (the record then holds the defaults). A file that was there
// but could not be read is first kept as "voxclock.ini.bad", and the event log is told.
IniOutcome ReadINIFile(const SettingsFile& file, Settings& settings, UserInterface& ui,
                       const std::function<void()>& closeSplash = {});

// Rewrites the whole file from the record; a failure is reported and the old file stays.
IniOutcome WriteIniFile(const SettingsFile& file, const Settings& settings, UserInterface& ui);

// Writes a file of defaults and reads it into the record; on failure mustClose is set.
IniOutcome CreateNewIniFile(const SettingsFile& file, Settings& settings, UserInterface& ui);

}  // namespace vox
