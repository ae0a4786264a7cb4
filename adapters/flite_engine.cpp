#include "adapters/flite_engine.h"

extern "C" {
#include <flite/flite.h>
#include <flite/flite_version.h>
}

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

#include "adapters/audio_convert.h"
#include "adapters/audio_output.h"
#include "adapters/synthesis_thread.h"

namespace vox {

namespace {

// The voices, each in a library of its own that is loaded when the voice is first used: linked
// in, their tables would cost some 5 MB of memory in every program, speaking or not.
struct FliteVoice {
    const char* name;
    const char* library;
    const char* registerFunction;
};
constexpr FliteVoice kVoices[] = {
    // The clearest first, as scripts/measure-voices.sh ranks them.
    {"awb", "libflite_cmu_us_awb.so.1", "register_cmu_us_awb"},
    {"rms", "libflite_cmu_us_rms.so.1", "register_cmu_us_rms"},
    {"slt", "libflite_cmu_us_slt.so.1", "register_cmu_us_slt"},
    {"kal16", "libflite_cmu_us_kal16.so.1", "register_cmu_us_kal16"},
    {"kal", "libflite_cmu_us_kal.so.1", "register_cmu_us_kal"},
};

// The synthesis in progress; only the synthesis thread touches it.
struct Synthesis {
    const SpeechEngine::Sink* sink = nullptr;
    float gain = 1.0f;
    std::unique_ptr<MonoResampler> resampler;
    int fromRate = 0;
    bool stopped = false;
};
Synthesis* current = nullptr;

int onWave(const cst_wave* w, int start, int size, int /*last*/,
           cst_audio_streaming_info* /*asi*/) {
    Synthesis* s = current;
    if (s == nullptr || s->stopped)
        return CST_AUDIO_STREAM_STOP;
    const int rate = cst_wave_sample_rate(w);
    if (!s->resampler || s->fromRate != rate) {
        s->resampler = std::make_unique<MonoResampler>(rate, kVoiceSampleRate);
        s->fromRate = rate;
    }
    std::vector<float> mono(static_cast<std::size_t>(std::max(size, 0)));
    const short* samples = cst_wave_samples(w) + start;
    for (std::size_t i = 0; i < mono.size(); ++i)
        mono[i] = static_cast<float>(samples[i]) / 32768.0f * s->gain;
    s->resampler->push(mono.data(), mono.size());
    std::vector<std::int16_t>& out = s->resampler->output();
    if (!out.empty() && !(*s->sink)(out.data(), out.size()))
        s->stopped = true;
    out.clear();
    return s->stopped ? CST_AUDIO_STREAM_STOP : CST_AUDIO_STREAM_CONT;
}

// Registered on first use, on the synthesis thread, and kept for the life of the process.
cst_voice* voiceNamed(const std::string& name) {
    static bool started = false;
    static std::map<std::string, cst_voice*> voices;
    if (!started) {
        flite_init();
        started = true;
    }
    if (const auto it = voices.find(name); it != voices.end())
        return it->second;
    cst_voice* voice = nullptr;
    for (const FliteVoice& v : kVoices) {
        if (v.name != name)
            continue;
        // Never closed: the voice lives as long as the process.
        void* library = dlopen(v.library, RTLD_NOW | RTLD_LOCAL);
        using Register = cst_voice* (*)(const char*);
        const auto reg =
            library ? reinterpret_cast<Register>(dlsym(library, v.registerFunction)) : nullptr;
        voice = reg ? reg(nullptr) : nullptr;
        if (voice) {
            cst_audio_streaming_info* asi = new_audio_streaming_info();
            asi->asc = &onWave;
            feat_set(voice->features, "streaming_info", audio_streaming_info_val(asi));
        }
    }
    voices[name] = voice;
    return voice;
}

// A purge stops the piece in progress; Flite goes on to the next sentence of a text regardless,
// so a long text goes to it sentence by sentence.
std::vector<std::string> sentences(const std::string& text) {
    std::vector<std::string> out;
    std::string piece;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        piece += c;
        const bool end =
            c == '\n' || ((c == '.' || c == '!' || c == '?' || c == ';') && i + 1 < text.size() &&
                          (text[i + 1] == ' ' || text[i + 1] == '\n'));
        if (end) {
            out.push_back(std::move(piece));
            piece.clear();
        }
    }
    if (!piece.empty())
        out.push_back(std::move(piece));
    return out;
}

bool hasWords(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isalnum(c) || c >= 0x80; });
}

}  // namespace

FliteEngine::FliteEngine(std::string voice) : voice_(std::move(voice)) {
    if (std::none_of(std::begin(kVoices), std::end(kVoices),
                     [this](const FliteVoice& v) { return v.name == voice_; }))
        voice_ = kVoices[0].name;
    // A voice takes a moment to load: done now, so the first sentence does not wait for it.
    SynthesisThread::instance().post([v = voice_] { voiceNamed(v); });
}

std::vector<std::string> FliteEngine::voices() {
    std::vector<std::string> names;
    for (const FliteVoice& v : kVoices)
        names.push_back(v.name);
    return names;
}

std::string FliteEngine::version() {
    return FLITE_PROJECT_VERSION;
}

std::string FliteEngine::name() const {
    return "flite " + version() + " " + voice_;
}

bool FliteEngine::synthesize(const std::vector<SpeechRun>& words, int rate, int volume,
                             const Sink& sink) {
    cst_voice* voice = voiceNamed(voice_);
    if (voice == nullptr)
        return false;
    // The same steps as espeak-ng's: each one changes the duration by the same ratio.
    feat_set_float(
        voice->features, "duration_stretch",
        static_cast<float>(wordsPerMinute(0)) / static_cast<float>(wordsPerMinute(rate)));
    Synthesis synthesis;
    synthesis.sink = &sink;
    synthesis.gain = static_cast<float>(std::clamp(volume, 0, 100)) / 100.0f;
    current = &synthesis;
    for (const std::string& piece : sentences(speechRunsToPlainText(words))) {
        if (synthesis.stopped)
            break;
        if (!hasWords(piece))
            continue;
        flite_text_to_speech(piece.c_str(), voice, "none");
        // The resampler's tail, so no piece loses its last milliseconds.
        if (synthesis.resampler && !synthesis.stopped) {
            synthesis.resampler->finish();
            std::vector<std::int16_t>& out = synthesis.resampler->output();
            if (!out.empty() && !sink(out.data(), out.size()))
                synthesis.stopped = true;
            synthesis.resampler.reset();
        }
    }
    current = nullptr;
    return true;
}

}  // namespace vox
