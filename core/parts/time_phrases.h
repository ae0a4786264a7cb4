#pragma once

#include <string>

#include "core/base/local_time.h"

namespace vox {

// "The time is 14:05", "The time is zero hours and 07 minutes.", "The time is 09 hundred hours".
std::string timePhrase24(const LocalTime& t);
// "The time is 2:05PM.", "The time is 2 o'clock p m.", "The time is 12 o'clock eh m.".
std::string timePhrase12(const LocalTime& t);
// The phrase for the configured form (TtsTime24 = 1: 24-hour).
std::string timePhrase(const LocalTime& t, int ttsTime24);
// The time as a connect or disconnect announcement says it after " at ": "14:05", "05 minutes",
// "14 hundred hours", "zero hundred hours" (ttsTime24 1); "3:05 PM", "3 o'clock p m" (otherwise).
std::string connDiscTimePhrase(const LocalTime& t, int ttsTime24);

// "Good Morning." (voiceTypeAtt 1) or "Good Morning! " (0).
std::string greetingFor(const LocalTime& t, int voiceTypeAtt);
// Time-zone abbreviations expanded to their spoken names; only the first of each.
std::string TimeFix(const std::string& text);

}  // namespace vox
