// The settings file as the station uses it: the schedule and fan check boxes are the settings.
#include "app/station.h"
#include "base/guarded.h"
#include "settings/ini_file.h"

namespace vox {

namespace {

// Message boxes raised by the settings file, recorded like every other message box.
class StationMessages : public UserInterface {
public:
    explicit StationMessages(
        std::function<void(MessageIcon, const std::string&, const std::string&)> show)
        : show_(std::move(show)) {}
    void showMessage(MessageIcon icon, const std::string& title, const std::string& text) override {
        show_(icon, title, text);
    }

private:
    std::function<void(MessageIcon, const std::string&, const std::string&)> show_;
};

std::string afterLastBackslash(const std::string& path) {
    const std::size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace

void Station::ReadINIFile() {
    StationMessages messages(
        [this](MessageIcon i, const std::string& t, const std::string& x) { message(i, t, x); });
    const IniOutcome outcome =
        vox::ReadINIFile(settingsFile_, settings_, messages, hooks_.closeSplash);
    settingsMustClose_ = outcome.mustClose;
    panel_.settingsReplaced();
    if (!settings_.InfoFilePath.empty())
        panel_.setCaption(Control::tbFileName, afterLastBackslash(settings_.InfoFilePath));
    if (outcome.freeWxReader)
        timers_[TimerName::tFreeWx].setEnabled(true);
}

bool Station::WriteIniFile() {
    StationMessages messages(
        [this](MessageIcon i, const std::string& t, const std::string& x) { message(i, t, x); });
    const IniOutcome outcome = vox::WriteIniFile(settingsFile_, settings_, messages);
    if (outcome.freeWxReader)
        timers_[TimerName::tFreeWx].setEnabled(true);
    return outcome.ok;
}

ApplyOutcome Station::applySettings(const Settings& changed) {
    settings_ = changed;
    panel_.settingsReplaced();
    guarded("voice settings", [&] { applyVoiceSettings(); });
    LoadNodeButtons();
    panel_.setCaption(Control::tbFileName, afterLastBackslash(settings_.InfoFilePath));
    if (settings_.WxStationType == 1)
        timers_[TimerName::tFreeWx].setEnabled(true);
    std::string why;
    if (!settingsFile_.write(settings_, &why))
        return {false, "Error Writing .INI File"};
    return {};
}

}  // namespace vox
