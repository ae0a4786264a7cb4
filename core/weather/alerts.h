#pragma once

#include <string>
#include <vector>

namespace vox {

// Weather Exchange's alert file ("data\warning.txt"): one alert per "WarningDesc:" line, each
// normally followed by its "WarningDate:" and "WarningSum:" lines. The scan looks for the next
// description, then the next date, then the next summary, so an alert missing its date or summary
// makes the scan skip forward, possibly past further descriptions.
inline constexpr int kMaxSpokenAlerts = 10;

struct AlertsRead {
    int count = 0;                          // every alert found
    std::vector<std::string> descriptions;  // the first kMaxSpokenAlerts, in order
};

AlertsRead readAlerts(const std::string& text);

// The announcement for one or more alerts. closingLine: the first line of "info\wxwarn.txt", or
// nullptr when there is none.
std::string alertsAnnouncement(const std::vector<std::string>& descriptions, bool attVoice,
                               const std::string* closingLine, const std::string& nodeCall);

std::string noAlertsSentence(const std::string& nodeCall);

}  // namespace vox
