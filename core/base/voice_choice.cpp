#include "core/base/voice_choice.h"

#include <algorithm>

#include "core/base/text_helpers.h"

namespace vox {

namespace {

const EngineVoices* findEngine(const std::vector<EngineVoices>& installed,
                               const std::string& engine) {
    for (const EngineVoices& e : installed)
        if (e.engine == engine && !e.voices.empty())
            return &e;
    return nullptr;
}

bool hasVoice(const EngineVoices& engine, const std::string& name) {
    return std::find(engine.voices.begin(), engine.voices.end(), name) != engine.voices.end();
}

std::string shown(const VoiceChoice& c) {
    return c.engine + " " + c.name;
}

}  // namespace

VoiceChoice voiceOfExistingInstall() {
    return {kEspeakEngineName, ""};
}

VoiceChoice voiceOfNewInstall() {
    // scripts/measure-voices.sh on the development machine: awb 31.4 % of words wrong, at 84 times
    // real time (docs/voice.md).
    return {kFliteEngineName, "awb"};
}

ResolvedVoice resolveVoice(const VoiceChoice& wanted, const std::vector<EngineVoices>& installed) {
    if (wanted.engine.empty() && wanted.name.empty())
        return resolveVoice(voiceOfExistingInstall(), installed);
    const std::string engineName = LowerAscii(wanted.engine);
    if (const EngineVoices* engine = findEngine(installed, engineName)) {
        if (wanted.name.empty() || hasVoice(*engine, wanted.name))
            return {{engine->engine, wanted.name.empty() ? engine->voices.front() : wanted.name},
                    {}};
        const VoiceChoice used{engine->engine, engine->voices.front()};
        return {used, "Voice: " + engine->engine + " has no voice '" + ShownExcerpt(wanted.name) +
                          "', speaking with " + shown(used)};
    }
    VoiceChoice used;
    const VoiceChoice def = voiceOfNewInstall();
    if (const EngineVoices* engine = findEngine(installed, def.engine))
        used = {engine->engine, hasVoice(*engine, def.name) ? def.name : engine->voices.front()};
    else if (!installed.empty() && !installed.front().voices.empty())
        used = {installed.front().engine, installed.front().voices.front()};
    return {used, "Voice: no engine '" + ShownExcerpt(wanted.engine) + "', speaking with " +
                      (used.engine.empty() ? std::string("none") : shown(used))};
}

VoiceListSelection selectVoice(const std::vector<EngineVoices>& engines,
                               const VoiceChoice& choice) {
    VoiceListSelection at;
    for (std::size_t e = 0; e < engines.size(); ++e) {
        if (engines[e].engine != choice.engine)
            continue;
        at.engine = static_cast<int>(e);
        const auto& voices = engines[e].voices;
        const auto it = std::find(voices.begin(), voices.end(), choice.name);
        at.voice = it != voices.end() ? static_cast<int>(it - voices.begin())
                   : voices.empty()   ? -1
                                      : 0;
    }
    return at;
}

VoiceChoice voiceAt(const std::vector<EngineVoices>& engines, int engine, int voice) {
    if (engine < 0 || engine >= static_cast<int>(engines.size()))
        return {};
    const EngineVoices& e = engines[static_cast<std::size_t>(engine)];
    if (voice < 0 || voice >= static_cast<int>(e.voices.size()))
        return {e.engine, e.voices.empty() ? std::string() : e.voices.front()};
    return {e.engine, e.voices[static_cast<std::size_t>(voice)]};
}

std::string voiceSampleText(const VoiceChoice& choice) {
    return "This is " + choice.engine + " " + choice.name +
           ". The time is 10:15 AM. Good morning from <spell>N0CALL</spell>.";
}

}  // namespace vox
