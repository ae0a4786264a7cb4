#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace vox {

// The weather setup dialog's fields as the owner sees and types them.
struct WxSetupValues {
    std::string wxUrl, wxArea, wxNodeCall, warnMinutes, localWxFile;
    bool metric = false, forecastHint = false, warnEnabled = false;
    int stationType = -1;  // the option button chosen, -1 for none

    bool operator==(const WxSetupValues&) const = default;
};

WxSetupValues loadWxSetup(const Settings& settings);

// A message box the OK step raises.
struct WxSetupMessage {
    bool informationIcon = true;
    std::string text;

    bool operator==(const WxSetupMessage&) const = default;
};

struct WxSetupOutcome {
    std::vector<WxSetupMessage> messages;  // in the order they are shown
    // The station folder could not be checked at all: the dialog stays open, nothing is saved.
    bool keepOpen = false;
};

// OK: the values into the settings (trimmed, separators appended, the warning period rounded),
// then the checks of the folders the weather reads. Missing files only warn. A relative folder
// is looked for inside programRoot.
WxSetupOutcome saveWxSetup(const WxSetupValues& values, Settings& settings,
                           const std::string& programRoot);

// The warning period as typed: the number the text starts with, rounded (halves to even), held to
// the 16-bit range; 0 when it does not start with a number.
std::int16_t warnMinutesFromText(const std::string& text);

inline constexpr const char* kWxExchangeMissing =
    "Can't find Weather Exchange CSV file. Make sure the path name is set correctly,\r\n"
    "         and that Weather Exchange is configured to create the CSV file.";
inline constexpr const char* kStationFolderEmpty =
    "Can't find weather station folder. Make sure the path name is set correctly.";
inline constexpr const char* kVwsLogMissing =
    "Can't find VWS Log File. Make sure VWS logging is turned on.";
inline constexpr const char* kFreeWxLogMissing =
    "Can't find FreeWx Log File. Make sure FreeWx logging is turned on.";
inline constexpr const char* kStationFolderUnusable =
    "Can't find weather station folder or drive. Make sure the path name is set correctly.";

}  // namespace vox
