#include "core/settings/ini_file.h"

namespace vox {
namespace {
const char* const kTitle = "Voxclock TTS";
}

IniOutcome ReadINIFile(const SettingsFile& file, Settings& settings, UserInterface& ui,
                       const std::function<void()>& closeSplash) {
    const SettingsReadResult read = file.read(settings);
    if (read.ok)
        return IniOutcome{true, false, read.freeWxReader, {}};

    ui.showMessage(MessageIcon::Error, kTitle,
                   "The file Voxclock.Ini is Missing or Corrupted\r\n"
                   "    The program will create a new INI file.");
    if (closeSplash)
        closeSplash();
    settings = Settings{};
    std::vector<std::string> log;
    if (read.unreadableFile) {
        // A bad sector or a slip of a hand edit must not cost the owner every setting.
        std::string keptAs;
        std::string why;
        if (file.keepBadCopy(&keptAs, &why))
            log.push_back("Unreadable settings kept as " + keptAs + " (" + read.error + ")");
        else
            log.push_back("Unreadable settings could not be kept: " + why);
    }
    IniOutcome created = CreateNewIniFile(file, settings, ui);
    created.eventLogLines = std::move(log);
    if (created.mustClose)
        return created;
    ui.showMessage(MessageIcon::Warning, kTitle, "New INI File Created\r\n Reconfigure your setup");
    created.ok = false;  // the file was not read; it was replaced
    return created;
}

IniOutcome WriteIniFile(const SettingsFile& file, const Settings& settings, UserInterface& ui) {
    if (!file.write(settings)) {
        ui.showMessage(MessageIcon::Information, "File Error", "Error Writing .INI File");
        return IniOutcome{};
    }
    return IniOutcome{true, false, settings.WxStationType == 1, {}};
}

IniOutcome CreateNewIniFile(const SettingsFile& file, Settings& settings, UserInterface& ui) {
    if (!file.createNew(settings)) {
        ui.showMessage(MessageIcon::Information, "File Error", "Error Creating New INI File");
        return IniOutcome{false, true, false, {}};
    }
    return IniOutcome{true, false, settings.WxStationType == 1, {}};
}

}  // namespace vox
