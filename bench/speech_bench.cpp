// Speech figures on this machine: real-time factor against the espeak-ng program, the latency
// from speak() to the first sample on the air, and the behaviour thread's CPU while speaking.
#include <sndfile.h>
#include <sys/resource.h>

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "adapters/audio_file_output.h"
#include "adapters/engine_voice.h"
#include "adapters/flite_engine.h"
#include "adapters/qt_runtime.h"
#include "adapters/speech_engines.h"
#include "core/base/runtime.h"

namespace {

using namespace vox;

double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double wavSeconds(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return 0;
    sf_close(file);
    return static_cast<double>(info.frames) / info.samplerate;
}

// Passes audio on to the air recorder and notes when the first sample came.
class FirstSampleProbe : public AudioOutput {
public:
    explicit FirstSampleProbe(AudioOutput& next) : next_(next) {}
    void play(const std::int16_t* samples, std::size_t count) override {
        if (first_ < 0)
            first_ = wallSeconds();
        next_.play(samples, count);
    }
    void clear() override { next_.clear(); }
    bool busy() override { return next_.busy(); }
    double first() const { return first_; }

private:
    AudioOutput& next_;
    std::atomic<double> first_{-1};
};

const char kSentence[] =
    "Good afternoon. The time is two fifteen P M. Weather conditions at the airport: sunny, "
    "temperature seventy two degrees, dew point fifty five, humidity fifty four percent, wind "
    "from the south west at twelve miles per hour, gusting to twenty, barometer thirty point "
    "one two inches and falling slowly.";

void realTimeFactor(Runtime& runtime, EngineVoice& voice) {
    const std::string text(kSentence);
    auto file = std::make_shared<AudioFileOutput>();
    voice.renderTo(file);
    const double cpu0 = cpuSeconds(RUSAGE_SELF);
    const double wall0 = wallSeconds();
    voice.speak(text, kSpeakAsync);
    runtime.waitWhile([&] { return voice.runningState() == kSpeaking; }, 0.001);
    const double wall = wallSeconds() - wall0;
    const double cpu = cpuSeconds(RUSAGE_SELF) - cpu0;
    voice.renderTo(nullptr);
    const double audio = static_cast<double>(file->sampleCount()) / kVoiceSampleRate;

    const std::string wav = "/tmp/voxclock-bench-espeak.wav";
    const std::string command = "espeak-ng -w " + wav + " \"" + text + "\"";
    const double childCpu0 = cpuSeconds(RUSAGE_CHILDREN);
    const double childWall0 = wallSeconds();
    const int rc = std::system(command.c_str());
    const double childWall = wallSeconds() - childWall0;
    const double childCpu = cpuSeconds(RUSAGE_CHILDREN) - childCpu0;
    const double childAudio = rc == 0 ? wavSeconds(wav) : 0;
    std::remove(wav.c_str());

    std::printf("real-time factor, %zu characters (audio seconds per second):\n", text.size());
    std::printf("  ours:      %.2f s audio, %.3f s wall, %.3f s CPU -> %.0fx wall, %.0fx CPU\n",
                audio, wall, cpu, audio / wall, audio / std::max(cpu, 1e-6));
    std::printf("  espeak-ng: %.2f s audio, %.3f s wall, %.3f s CPU -> %.0fx wall, %.0fx CPU\n",
                childAudio, childWall, childCpu, childAudio / childWall,
                childAudio / std::max(childCpu, 1e-6));
}

void latency(Runtime& runtime, EngineVoice& voice) {
    std::vector<double> ms;
    for (int i = 0; i < 10; ++i) {
        auto probe = std::make_shared<FirstSampleProbe>(voice.airRecorder());
        voice.renderTo(probe);
        voice.transmitterKeyed(true);
        const double start = wallSeconds();  // the transmit delay ends here
        voice.speak("Node N0CALL, connected.", kSpeakAsync);
        runtime.waitWhile([&] { return probe->first() < 0; }, 0.001);
        ms.push_back((probe->first() - start) * 1000);
        voice.speak("", kSpeakPurge);
        voice.transmitterKeyed(false);
        voice.renderTo(nullptr);
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "latency speak() -> first sample on the air recorder, %s: median %.1f ms, max %.1f ms "
        "(target < 50 ms)\n",
        voice.engineName().c_str(), ms[ms.size() / 2], ms.back());
}

void behaviourThreadCpu(Runtime& runtime, EngineVoice& voice) {
    std::string text;
    for (int i = 0; i < 5; ++i) {
        text += "The weather is sunny with light winds, and the time is a quarter past two. ";
    }
    voice.transmitterKeyed(true);
    const double cpu0 = cpuSeconds(RUSAGE_THREAD);
    const double wall0 = wallSeconds();
    voice.speak(text, kSpeakAsync);
    runtime.waitWhile([&] { return voice.runningState() == kSpeaking; }, 0.05);
    const double wall = wallSeconds() - wall0;
    const double cpu = cpuSeconds(RUSAGE_THREAD) - cpu0;
    voice.transmitterKeyed(false);
    std::printf(
        "behaviour thread while speaking %.1f s on the air recorder: %.3f s CPU = %.2f %% "
        "of one core (target < 2 %%)\n",
        wall, cpu, 100.0 * cpu / wall);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    char folderTemplate[] = "/tmp/voxclock-bench-XXXXXX";
    const char* folder = mkdtemp(folderTemplate);
    if (folder == nullptr)
        return 1;
    SystemClock clock;
    QtEventLoop loop(clock);
    Runtime runtime(clock, loop);
    EngineVoice voice(clock, loop, folder, openSpeechEngine({kEspeakEngineName, ""}).engine);
    voice.setAudioOutput(static_cast<int>(voice.audioOutputs().size()) - 1);
    std::printf("%s\n", voice.engineName().c_str());

    realTimeFactor(runtime, voice);
    latency(runtime, voice);
    behaviourThreadCpu(runtime, voice);
    // The same first-audio latency with each of Flite's voices.
    for (const std::string& name : FliteEngine::voices()) {
        voice.setEngine(openSpeechEngine({kFliteEngineName, name}).engine);
        latency(runtime, voice);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
