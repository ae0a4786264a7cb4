#include "adapters/engine_voice.h"

#include <algorithm>
#include <cctype>

#include "adapters/sound_devices.h"
#include "adapters/synthesis_thread.h"
#include "adapters/wav_decode.h"
#include "core/base/speakable_text.h"
#include "core/base/speech_markup.h"

namespace vox {

namespace {

constexpr char kAirRecorderName[] = "Air recorder (WAV files)";

// Silence and decoded files go out in pieces of this many samples, so a purge takes effect
// between them.
constexpr std::size_t kChunk = kVoiceSampleRate / 10;

bool hasWords(const std::vector<SpeechRun>& runs) {
    for (const SpeechRun& run : runs) {
        for (const char c : run.text) {
            if (!std::isspace(static_cast<unsigned char>(c)))
                return true;
        }
    }
    return false;
}

}  // namespace

EngineVoice::EngineVoice(const Clock& clock, EventLoop& loop, const std::string& programFolder,
                         std::shared_ptr<SpeechEngine> engine, std::shared_ptr<AudioOutput> output)
    : clock_(clock),
      loop_(loop),
      air_(std::make_shared<AirRecorder>(clock, programFolder + "/air")),
      override_(std::move(output)),
      engine_(std::move(engine)) {
    if (!engine_)
        throw VoiceError("no speech engine");
    if (!override_)
        setAudioOutput(0);
}

EngineVoice::~EngineVoice() {
    speak("", kSpeakPurge);
    // The worker may still hold jobs of ours; they are dropped, but must be gone before we are.
    SynthesisThread::instance().runAndWait([] {});
}

std::string EngineVoice::engineName() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return engine_->name();
}

void EngineVoice::setEngine(std::shared_ptr<SpeechEngine> engine) {
    if (!engine)
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    engine_ = std::move(engine);
}

void EngineVoice::speak(const std::string& text, int flags) {
    const bool purge = (flags & 2) != 0;
    const bool isFile = (flags & 4) != 0;
    Job job;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (purge) {
            ++generation_;
            pending_ = 0;
            if (selected_)
                selected_->clear();
            if (override_)
                override_->clear();
        }
        // Even nothing to say counts as started and done, so a caller waiting for a file that
        // renders nothing (no file name) does not wait for it to begin.
        started_ = true;
        if (text.empty())
            return;
        ++pending_;
        job = {text, isFile, generation_, engine_, rate_, volume_};
    }
    // Virtual time waits for the worker; it says when it is done.
    loop_.externalWorkStarted();
    SynthesisThread::instance().post([this, job = std::move(job)] {
        render(job);
        finish(job);
    });
}

int EngineVoice::runningState() {
    std::shared_ptr<AudioOutput> output;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!started_)
            return kNothingStarted;
        if (pending_ > 0)
            return kSpeaking;
        output = override_ ? override_ : selected_;
    }
    // Done means heard, not merely handed to the output.
    return output && output->busy() ? kSpeaking : kDone;
}

void EngineVoice::setRate(int rate) {
    rate_ = std::clamp(rate, -2, 2);
}

void EngineVoice::setVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
}

std::vector<std::string> EngineVoice::audioOutputs() {
    std::vector<std::string> names = soundDevices().names();
    names.push_back(kAirRecorderName);
    return names;
}

void EngineVoice::setAudioOutput(int index) {
    const int devices = static_cast<int>(soundDevices().names().size());
    if (index < 0 || index > devices) {
        throw VoiceError("no audio output " + std::to_string(index));
    }
    std::shared_ptr<AudioOutput> output = index < devices ? soundDevices().open(index) : air_;
    if (!output) {
        throw VoiceError("no audio output " + std::to_string(index));
    }
    std::shared_ptr<AudioOutput> old;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        old = std::move(selected_);
        selected_ = std::move(output);
        outputIndex_ = index;
    }
    if (old)
        old->clear();
}

int EngineVoice::audioOutput() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return outputIndex_;
}

void EngineVoice::transmitterKeyed(bool on) {
    air_->setKeyed(on);
}

void EngineVoice::renderTo(std::shared_ptr<AudioOutput> output) {
    std::lock_guard<std::mutex> lock(mutex_);
    override_ = std::move(output);
}

std::shared_ptr<AudioOutput> EngineVoice::currentOutput() {
    std::lock_guard<std::mutex> lock(mutex_);
    return override_ ? override_ : selected_;
}

bool EngineVoice::deliver(std::uint64_t generation, const std::int16_t* samples,
                          std::size_t count) {
    const std::shared_ptr<AudioOutput> output = currentOutput();
    if (!output)
        return false;
    output->waitForRoom();
    // Checked and played under one lock, so nothing of a purged job lands after the purge.
    std::lock_guard<std::mutex> lock(mutex_);
    if (generation != generation_)
        return false;
    output->play(samples, count);
    return true;
}

bool EngineVoice::deliverSilence(std::uint64_t generation, std::size_t count) {
    const std::vector<std::int16_t> zeros(std::min(count, kChunk), 0);
    while (count > 0) {
        const std::size_t n = std::min(count, zeros.size());
        if (!deliver(generation, zeros.data(), n))
            return false;
        count -= n;
    }
    return true;
}

void EngineVoice::render(const Job& job) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (job.generation != generation_)
            return;
    }
    if (!job.isFile) {
        renderText(job, job.text);
        return;
    }
    const DecodedAudio audio = decodeAudioFile(job.text);
    if (audio.kind == AudioFileKind::Decoded) {
        for (std::size_t at = 0; at < audio.samples.size(); at += kChunk) {
            const std::size_t n = std::min(kChunk, audio.samples.size() - at);
            if (!deliver(job.generation, audio.samples.data() + at, n))
                return;
        }
        return;
    }
    if (audio.kind == AudioFileKind::Broken)
        return;
    // Neither sound nor text (or unreadable): nothing is said.
    if (const auto text = readSpeakableTextFile(job.text))
        renderText(job, *text);
}

void EngineVoice::renderText(const Job& job, const std::string& text) {
    const std::vector<SpeechRun> runs = parseSpeechMarkup(text);
    SpeechEngine& engine = *job.engine;
    const SpeechEngine::Sink sink = [&](const std::int16_t* samples, std::size_t count) {
        return deliver(job.generation, samples, count);
    };
    // Words between two pauses go to the engine as one document; the pauses are ours.
    std::vector<SpeechRun> words;
    auto speakWords = [&] {
        const bool ok = !hasWords(words) || engine.synthesize(words, job.rate, job.volume, sink);
        words.clear();
        return ok;
    };
    for (const SpeechRun& run : runs) {
        if (run.kind != SpeechRun::Kind::Silence) {
            words.push_back(run);
            continue;
        }
        if (!speakWords())
            return;
        const auto samples = static_cast<std::size_t>(run.silenceMs) * kVoiceSampleRate / 1000;
        if (!deliverSilence(job.generation, samples))
            return;
    }
    speakWords();
}

void EngineVoice::finish(const Job& job) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (job.generation == generation_ && pending_ > 0)
            --pending_;
    }
    // Wake the behaviour thread to look at the state, then let virtual time go on.
    loop_.post([] {});
    loop_.externalWorkFinished();
}

}  // namespace vox
