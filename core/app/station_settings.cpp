// The settings file as the station uses it: the schedule and fan check boxes are the settings.
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

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

// The transmit delay is waited twice with PTT held: a value from a hand-edited file must not keep
// the transmitter keyed for an hour.
constexpr double kMaxTxDelaySeconds = 10;

// The delay to use instead of a value out of range, or nothing when the value is fine.
std::optional<double> saneTxDelay(double seconds) {
    if (std::isnan(seconds))
        return Settings{}.TxDelaySeconds;
    if (seconds < 0)
        return 0.0;
    if (seconds > kMaxTxDelaySeconds)
        return kMaxTxDelaySeconds;
    return std::nullopt;
}

std::string shortNumber(double value) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

}  // namespace

void Station::ReadINIFile() {
    StationMessages messages(
        [this](MessageIcon i, const std::string& t, const std::string& x) { message(i, t, x); });
    const IniOutcome outcome =
        vox::ReadINIFile(settingsFile_, settings_, messages, hooks_.closeSplash);
    settingsMustClose_ = outcome.mustClose;
    for (const std::string& line : outcome.eventLogLines)
        eventLog_.LogEvent(line);
    if (const std::optional<double> delay = saneTxDelay(settings_.TxDelaySeconds)) {
        eventLog_.LogEvent("TxDelaySeconds " + shortNumber(settings_.TxDelaySeconds) +
                           " out of range: using " + shortNumber(*delay));
        settings_.TxDelaySeconds = *delay;
    }
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
