#include "adapters/espeak_engine.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cctype>

#include "adapters/audio_output.h"
#include "adapters/synthesis_thread.h"

namespace vox {

namespace {

constexpr char kDefaultVoice[] = "en-us";

// Small buffers: the first audio of a sentence reaches the output sooner.
constexpr int kBufferMs = 50;

// The library's state; only the synthesis thread touches it after start-up.
struct Library {
    bool ready = false;
    std::string version;
    std::string error;
    std::string voice;  // the voice set last
    std::vector<std::string> voices;
    const SpeechEngine::Sink* sink = nullptr;  // of the synthesis in progress
};

Library& library();

int onSamples(short* wav, int count, espeak_EVENT* /*events*/) {
    const SpeechEngine::Sink* sink = library().sink;
    if (wav == nullptr || count <= 0 || sink == nullptr)
        return 0;
    // In synchronous mode only the callback can stop the synthesis (espeak_Cancel cannot).
    return (*sink)(reinterpret_cast<const std::int16_t*>(wav), static_cast<std::size_t>(count)) ? 0
                                                                                                : 1;
}

std::vector<std::string> englishVoices() {
    std::vector<std::string> names;
    for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v) {
        // languages: a priority byte, then the language name, per language.
        const char* languages = (*v)->languages;
        const bool english =
            languages && languages[0] != 0 && std::string(languages + 1).rfind("en", 0) == 0;
        const std::string id = (*v)->identifier ? (*v)->identifier : "";
        // MBROLA voices ("mb/...") need their own data, variants ("!v/...") are not voices.
        if (!english || id.empty() || id.rfind("mb/", 0) == 0 || id[0] == '!')
            continue;
        // "gmw/en-US": the part after the family, in lower case, is what SetVoiceByName takes.
        std::string name = id.substr(id.find('/') + 1);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    const auto def = std::find(names.begin(), names.end(), kDefaultVoice);
    if (def != names.end())
        std::rotate(names.begin(), def, def + 1);
    return names;
}

Library& library() {
    // Never destroyed: the library cannot be shut down and started again.
    static Library* lib = [] {
        auto* l = new Library();
        SynthesisThread::instance().runAndWait([l] {
            const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kBufferMs, nullptr,
                                               espeakINITIALIZE_DONT_EXIT);
            if (rate == kVoiceSampleRate) {
                espeak_SetSynthCallback(&onSamples);
                const char* dataPath = nullptr;
                l->version = espeak_Info(&dataPath);
                l->voices = englishVoices();
                l->ready = true;
            } else if (rate > 0) {
                l->error = "espeak-ng delivers " + std::to_string(rate) + " Hz, not 22050 Hz";
            } else {
                l->error = "espeak-ng could not be initialised (is espeak-ng-data installed?)";
            }
        });
        return l;
    }();
    return *lib;
}

}  // namespace

int wordsPerMinute(int rate) {
    return 170 + 20 * std::clamp(rate, -2, 2);
}

EspeakEngine::EspeakEngine(std::string voice) : voice_(voice.empty() ? kDefaultVoice : voice) {}

bool EspeakEngine::available() {
    return library().ready;
}

std::string EspeakEngine::error() {
    return library().error;
}

std::string EspeakEngine::version() {
    return library().version;
}

std::vector<std::string> EspeakEngine::voices() {
    return library().voices;
}

std::string EspeakEngine::name() const {
    return "espeak-ng " + version() + " " + voice_;
}

bool EspeakEngine::synthesize(const std::vector<SpeechRun>& words, int rate, int volume,
                              const Sink& sink) {
    Library& lib = library();
    if (!lib.ready)
        return false;
    if (lib.voice != voice_) {
        if (espeak_SetVoiceByName(voice_.c_str()) != EE_OK &&
            espeak_SetVoiceByName(kDefaultVoice) != EE_OK)
            espeak_SetVoiceByName("en");
        lib.voice = voice_;
    }
    espeak_SetParameter(espeakRATE, wordsPerMinute(rate), 0);
    espeak_SetParameter(espeakVOLUME, std::clamp(volume, 0, 100), 0);
    const std::string ssml = speechRunsToSsml(words);
    lib.sink = &sink;
    const espeak_ERROR result = espeak_Synth(ssml.c_str(), ssml.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8 | espeakSSML, nullptr, nullptr);
    lib.sink = nullptr;
    return result == EE_OK;
}

}  // namespace vox
