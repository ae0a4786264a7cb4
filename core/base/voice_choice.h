#pragma once

#include <string>
#include <vector>

namespace vox {

// Which text-to-speech engine speaks, and with which of its voices ("[voice]" in voxclock.conf).
struct VoiceChoice {
    std::string engine;  // "espeak-ng" or "flite"; empty: never chosen
    std::string name;    // one of that engine's voices; empty: the engine's default voice

    bool operator==(const VoiceChoice&) const = default;
};

inline constexpr const char* kEspeakEngineName = "espeak-ng";
inline constexpr const char* kFliteEngineName = "flite";

// An engine and its installed voices, its default voice first.
struct EngineVoices {
    std::string engine;
    std::vector<std::string> voices;

    bool operator==(const EngineVoices&) const = default;
};

// The voice of an install that never chose one: espeak-ng, as before there was a choice, so no
// node changes its voice after an update.
VoiceChoice voiceOfExistingInstall();

// The voice a new program folder starts with: the one the recogniser understood best among those
// that synthesise at least 20 times faster than real time (scripts/measure-voices.sh).
VoiceChoice voiceOfNewInstall();

struct ResolvedVoice {
    VoiceChoice choice;  // an engine and a voice of `installed`, the name never empty
    std::string note;    // one line for the event log when the wanted voice was not there
};

// The voice to speak with: the wanted one when installed (none chosen: the existing-install one); a
// voice the engine lacks gives its default voice, an engine that is not there the new-install voice
// (or, failing that, the first engine's default), each with a note.
ResolvedVoice resolveVoice(const VoiceChoice& wanted, const std::vector<EngineVoices>& installed);

// The voice dialog's engine and voice lists: the entries a choice selects (-1: none), and the
// choice that two selected entries stand for (an engine without a voice selected: its default).
struct VoiceListSelection {
    int engine = -1;
    int voice = -1;

    bool operator==(const VoiceListSelection&) const = default;
};
VoiceListSelection selectVoice(const std::vector<EngineVoices>& engines, const VoiceChoice& choice);
VoiceChoice voiceAt(const std::vector<EngineVoices>& engines, int engine, int voice);

// What the voice dialog's "Test" button says.
std::string voiceSampleText(const VoiceChoice& choice);

}  // namespace vox
