#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace vox {

// The voice dialog's controls as the owner sees them.
struct VoiceSetupValues {
    bool preamble = false;
    bool localConnDisc = false;
    bool skipIfBusy = false;
    bool remoteConnDisc = false;
    bool chatMsg = false;
    bool fullChatText = false;
    bool time24 = false;
    bool attVoice = false;  // the AT&T box
    bool neoVoice = false;  // the NeoSpeech box
    int speed = -1;         // index into speedEntries(), -1 for none
    std::string quietStart;
    std::string quietStop;
    bool nodeOffIfQuiet = false;

    bool operator==(const VoiceSetupValues&) const = default;
};

// The speed list: "-2" to "2".
const std::vector<std::string>& speedEntries();

VoiceSetupValues loadVoiceSetup(const Settings& settings);

// OK: the boxes and the trimmed quiet times into the record (the quiet times are kept as typed,
// the file's writer keeps a stray comma from shifting the lines after them); SpeechRate from the
// selected speed, unchanged when none is. True when the owner must be told what the remote
// connect notices do.
bool saveVoiceSetup(const VoiceSetupValues& values, Settings& settings);

// The two voice-type boxes after a click that left the clicked one ticked or not: exactly one of
// them stays ticked.
struct VoiceTypeBoxes {
    bool att = false;
    bool neo = false;

    bool operator==(const VoiceTypeBoxes&) const = default;
};
enum class VoiceTypeBox { Att, Neo };
VoiceTypeBoxes afterVoiceTypeClick(VoiceTypeBox clicked, bool nowTicked);
// The setting the boxes stand for, stored at the click.
std::int16_t voiceTypeAttOf(const VoiceTypeBoxes& boxes);

inline constexpr const char* kVoiceCaption = "VOICE Setup";
inline constexpr const char* kRemoteConnDiscNotice =
    "              You have selected TTS for Remote Conn/Disc.\r\n"
    "  This option sends text messages thru the EchoLink chat window.\r\n"
    "If you are connecting to a net, you may want to disable this option.";

}  // namespace vox
