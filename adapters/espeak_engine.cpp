#include "adapters/espeak_engine.h"

#include <espeak-ng/speak_lib.h>

#include <future>

#include "adapters/audio_output.h"

namespace vox {

namespace {

// The sink of the synthesis in progress; only the worker touches it.
const EspeakEngine::Sink* currentSink = nullptr;

// Small buffers: the first audio of a sentence reaches the output sooner.
constexpr int kBufferMs = 50;

int onSamples(short* wav, int count, espeak_EVENT* /*events*/) {
    if (wav == nullptr || count <= 0 || currentSink == nullptr)
        return 0;
    // In synchronous mode only the callback can stop the synthesis (espeak_Cancel cannot).
    return (*currentSink)(reinterpret_cast<const std::int16_t*>(wav),
                          static_cast<std::size_t>(count))
               ? 0
               : 1;
}

}  // namespace

EspeakEngine& EspeakEngine::instance() {
    // Never destroyed: the library cannot be shut down and started again, and the worker must
    // outlive every voice, whatever the order of static destruction.
    static EspeakEngine* engine = new EspeakEngine();
    return *engine;
}

EspeakEngine::EspeakEngine() {
    // Initialise on the worker itself, so the library only ever sees that thread.
    std::promise<void> started;
    thread_ = std::thread([this, &started] {
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kBufferMs, nullptr,
                                           espeakINITIALIZE_DONT_EXIT);
        if (rate == kVoiceSampleRate) {
            espeak_SetSynthCallback(&onSamples);
            if (espeak_SetVoiceByName("en-us") != EE_OK)
                espeak_SetVoiceByName("en");
            const char* dataPath = nullptr;
            version_ = espeak_Info(&dataPath);
            ready_ = true;
        } else if (rate > 0) {
            error_ = "espeak-ng delivers " + std::to_string(rate) + " Hz, not 22050 Hz";
        } else {
            error_ = "espeak-ng could not be initialised (is espeak-ng-data installed?)";
        }
        started.set_value();
        run();
    });
    thread_.detach();
    started.get_future().wait();
}

void EspeakEngine::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void EspeakEngine::runAndWait(std::function<void()> task) {
    std::promise<void> done;
    post([&] {
        task();
        done.set_value();
    });
    done.get_future().wait();
}

void EspeakEngine::run() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return !tasks_.empty(); });
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

bool EspeakEngine::synthesize(const std::string& ssml, int wordsPerMinute, int volume,
                              const Sink& sink) {
    if (!ready_)
        return false;
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
    espeak_SetParameter(espeakVOLUME, volume, 0);
    currentSink = &sink;
    const espeak_ERROR result = espeak_Synth(ssml.c_str(), ssml.size() + 1, 0, POS_CHARACTER, 0,
                                             espeakCHARS_UTF8 | espeakSSML, nullptr, nullptr);
    currentSink = nullptr;
    return result == EE_OK;
}

}  // namespace vox
