#include "adapters/speech_engines.h"

#include "adapters/espeak_engine.h"
#include "adapters/flite_engine.h"
#include "core/base/voice.h"

namespace vox {

std::vector<EngineVoices> installedVoices() {
    std::vector<EngineVoices> engines;
    if (EspeakEngine::available())
        engines.push_back({kEspeakEngineName, EspeakEngine::voices()});
    engines.push_back({kFliteEngineName, FliteEngine::voices()});
    return engines;
}

OpenedEngine openSpeechEngine(const VoiceChoice& wanted) {
    const ResolvedVoice resolved = resolveVoice(wanted, installedVoices());
    OpenedEngine opened{nullptr, resolved.choice, resolved.note};
    if (resolved.choice.engine == kEspeakEngineName)
        opened.engine = std::make_shared<EspeakEngine>(resolved.choice.name);
    else if (resolved.choice.engine == kFliteEngineName)
        opened.engine = std::make_shared<FliteEngine>(resolved.choice.name);
    else
        throw VoiceError(EspeakEngine::error());
    return opened;
}

}  // namespace vox
