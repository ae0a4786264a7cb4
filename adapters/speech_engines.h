#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adapters/speech_engine.h"
#include "core/base/voice_choice.h"

namespace vox {

// The engines of this build that can speak, and their voices (espeak-ng only when its data is
// there).
std::vector<EngineVoices> installedVoices();

struct OpenedEngine {
    std::shared_ptr<SpeechEngine> engine;
    VoiceChoice choice;  // what speaks
    std::string note;    // for the event log when it is not what was wanted
};

// The wanted voice, or the one resolveVoice() falls back to. Throws VoiceError when no engine
// can speak at all.
OpenedEngine openSpeechEngine(const VoiceChoice& wanted);

}  // namespace vox
