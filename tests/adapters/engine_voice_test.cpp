#include "adapters/engine_voice.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

#include "adapters/speech_engines.h"
#include "adapters/synthesis_thread.h"
#include "core/base/runtime.h"
#include "core/base/virtual_time.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

double wavSeconds(const std::string& path, double* peak = nullptr) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return -1;
    std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    if (peak) {
        *peak = 0;
        for (short s : samples)
            *peak = std::max(*peak, std::abs(s) / 32768.0);
    }
    return static_cast<double>(info.frames) / info.samplerate;
}

std::string dataFile(const std::string& name) {
    return std::string(VOXCLOCK_TEST_DATA) + "/voice/" + name;
}

// The voice on the air recorder, in virtual time, with each engine: nothing a caller sees may
// depend on which one speaks.
class EngineVoiceTest : public ::testing::TestWithParam<VoiceChoice> {
protected:
    EngineVoiceTest() { voice_.setAudioOutput(static_cast<int>(voice_.audioOutputs().size()) - 1); }

    void waitWhileSpeaking() {
        runtime_.waitWhile([this] { return voice_.runningState() == kSpeaking; });
    }
    // Keyed, the text or file, wait until done, unkeyed: the seconds of the transmission's file.
    double transmit(const std::string& textOrPath, int flags) {
        voice_.transmitterKeyed(true);
        voice_.speak(textOrPath, flags);
        waitWhileSpeaking();
        voice_.transmitterKeyed(false);
        return wavSeconds(voice_.airRecorder().lastFile(), &peak_);
    }

    VirtualClock clock_{LocalTime{2026, 12, 10, 14, 5, 0, 0}};
    VirtualEventLoop loop_{clock_};
    Runtime runtime_{clock_, loop_};
    TempFolder temp_;
    const std::filesystem::path folder_{temp_.path};
    EngineVoice voice_{clock_, loop_, folder_.string(), openSpeechEngine(GetParam()).engine};
    double peak_ = 0;
};

TEST_P(EngineVoiceTest, SpeaksOnTheAirRecorderForAsLongAsTheAudioLasts) {
    EXPECT_EQ(voice_.audioOutputs().back(), "Air recorder (WAV files)");
    EXPECT_EQ(voice_.engineName().rfind(GetParam().engine + " ", 0), 0u);
    EXPECT_EQ(voice_.runningState(), kNothingStarted);

    const double start = clock_.monotonicSeconds();
    const double seconds = transmit("<xml>This is a test of the air recorder</xml>", kSpeakAsync);
    EXPECT_EQ(voice_.runningState(), kDone);
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 5.0);
    EXPECT_GT(peak_, 0.1);
    // Done only once the audio has played, not when synthesis ended.
    EXPECT_GE(clock_.monotonicSeconds() - start, seconds - 0.06);
    EXPECT_EQ(voice_.airRecorder().lastFile(),
              (folder_ / "air/2026-12-10_14-05-00.000.wav").string());
}

TEST_P(EngineVoiceTest, SilenceMarkupIsRenderedExactly) {
    const double plain = transmit("One. Two.", kSpeakAsync);
    const double paused = transmit("One.<silence msec=\"3000\"/>Two.", kSpeakAsync);
    EXPECT_NEAR(paused - plain, 3.0, 0.5);
    // A silence alone, and an absurd one, are clamped rather than hanging the transmitter.
    EXPECT_NEAR(transmit("<silence msec=\"99999999\"/>", kSpeakAsync), 10.0, 0.01);
}

TEST_P(EngineVoiceTest, PurgeStopsSpeechAtOnce) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "This sentence keeps the transmitter busy for a while. ";
    voice_.transmitterKeyed(true);
    voice_.speak(text, kSpeakAsync);
    voice_.speak("And this one is queued behind it.", kSpeakAsync);
    runtime_.waitUntil(clock_.monotonicSeconds() + 2.0);
    ASSERT_EQ(voice_.runningState(), kSpeaking);

    voice_.speak("", kSpeakPurge);
    EXPECT_EQ(voice_.runningState(), kDone);
    runtime_.waitUntil(clock_.monotonicSeconds() + 1.0);
    EXPECT_EQ(voice_.runningState(), kDone);
    voice_.transmitterKeyed(false);
    EXPECT_NEAR(wavSeconds(voice_.airRecorder().lastFile()), 3.0, 0.01);
}

// Files the voice is given: sound, text in Windows-1252 with markup, and things that are
// neither; none may crash or leave the voice speaking.
TEST_P(EngineVoiceTest, RendersOrSkipsWhateverFileItIsGiven) {
    const std::string missing = (folder_ / "missing.wav").string();
    const struct {
        std::string path;
        double minSeconds, maxSeconds;
    } cases[] = {
        {dataFile("pause.txt"), 3.0, 7.0},  {dataFile("broken_header.wav"), 0.0, 0.0},
        {dataFile("binary.dat"), 0.0, 0.0}, {missing, 0.0, 0.0},
        {folder_.string(), 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const double seconds = transmit(c.path, kSpeakFileAsync);
        EXPECT_EQ(voice_.runningState(), kDone) << c.path;
        EXPECT_GE(seconds, c.minSeconds) << c.path;
        EXPECT_LE(seconds, c.maxSeconds) << c.path;
    }
}

TEST_P(EngineVoiceTest, AHundredThousandCharactersEndInDone) {
    std::string text;
    while (text.size() < 100000)
        text += "weather forecast sunny, light winds & <spell>WX</spell> ";
    text.resize(100000);
    voice_.speak(text, kSpeakAsync);  // unkeyed: paced but not recorded
    waitWhileSpeaking();
    EXPECT_EQ(voice_.runningState(), kDone);
}

// Sound files of other rates, widths and channel counts play for their own length.
TEST_P(EngineVoiceTest, ConvertsSoundFilesKeepingTheirLength) {
    const struct {
        int rate, channels, format;
    } cases[] = {
        {44100, 2, SF_FORMAT_PCM_U8},
        {44100, 2, SF_FORMAT_PCM_16},
        {8000, 1, SF_FORMAT_PCM_16},
        {48000, 1, SF_FORMAT_PCM_24},
    };
    for (const auto& c : cases) {
        const std::string path = (folder_ / "tone.wav").string();
        SF_INFO info{};
        info.samplerate = c.rate;
        info.channels = c.channels;
        info.format = SF_FORMAT_WAV | c.format;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        ASSERT_NE(file, nullptr);
        std::vector<float> frames(static_cast<std::size_t>(c.rate * 3 / 2 * c.channels));
        for (std::size_t i = 0; i < frames.size(); ++i) {
            frames[i] =
                0.5f * static_cast<float>(std::sin(static_cast<double>(i / c.channels) * 0.05));
        }
        sf_writef_float(file, frames.data(), c.rate * 3 / 2);
        sf_close(file);

        EXPECT_NEAR(transmit(path, kSpeakFileAsync), 1.5, 0.001) << c.rate << "/" << c.channels;
        EXPECT_NEAR(peak_, 0.5, 0.02) << c.rate << "/" << c.channels;
    }
}

}  // namespace
}  // namespace vox

namespace vox {
namespace {

// Counts what reaches it and tells a waiting thread once enough has.
class CountingOutput : public AudioOutput {
public:
    explicit CountingOutput(std::size_t enough) : enough_(enough) {}
    void play(const std::int16_t*, std::size_t count) override {
        std::lock_guard<std::mutex> lock(mutex_);
        samples_ += count;
        if (samples_ >= enough_)
            reached_.notify_all();
    }
    void clear() override {}
    bool busy() override { return false; }
    void waitForEnough() {
        std::unique_lock<std::mutex> lock(mutex_);
        reached_.wait(lock, [this] { return samples_ >= enough_; });
    }
    std::size_t samples() {
        std::lock_guard<std::mutex> lock(mutex_);
        return samples_;
    }

private:
    std::mutex mutex_;
    std::condition_variable reached_;
    std::size_t samples_ = 0;
    const std::size_t enough_;
};

// A purge while the engine is still synthesising a long text stops the synthesis itself, not only
// what is queued for the output: the synthesis thread is free again within a sentence.
TEST_P(EngineVoiceTest, PurgeStopsTheSynthesisOfALongTextInTheMiddle) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "This sentence keeps the transmitter busy for a while. ";
    auto output = std::make_shared<CountingOutput>(kVoiceSampleRate);  // a second of speech
    voice_.renderTo(output);
    voice_.speak(text, kSpeakAsync);
    std::thread purger([&] {
        output->waitForEnough();
        voice_.speak("", kSpeakPurge);
    });
    purger.join();
    SynthesisThread::instance().runAndWait([] {});
    EXPECT_EQ(voice_.runningState(), kDone);
    // The whole text is some ten minutes; one more sentence may still have come.
    EXPECT_LT(output->samples(), static_cast<std::size_t>(10 * kVoiceSampleRate));
}

// Each step of the rate is faster than the one before, by about the same ratio on each engine.
TEST_P(EngineVoiceTest, RateStepsChangeTheLengthOfSpeech) {
    const std::string text = "The time is ten fifteen. Good morning from the node.";
    std::vector<double> seconds;
    for (int rate = -2; rate <= 2; ++rate) {
        voice_.setRate(rate);
        seconds.push_back(transmit(text, kSpeakAsync));
    }
    for (std::size_t i = 1; i < seconds.size(); ++i)
        EXPECT_LT(seconds[i], seconds[i - 1] * 0.97) << "rate " << static_cast<int>(i) - 2;
    // 130 against 210 words a minute.
    EXPECT_NEAR(seconds.front() / seconds.back(), 210.0 / 130.0, 0.35);
}

// A transmission of no file at all (no info file chosen) must not wait for audio to begin.
TEST_P(EngineVoiceTest, NoFileNameRendersNothingAndIsDoneAtOnce) {
    voice_.speak("", kSpeakFileAsync);
    EXPECT_EQ(voice_.runningState(), kDone);
}

}  // namespace
}  // namespace vox

namespace vox {
namespace {

INSTANTIATE_TEST_SUITE_P(
    Engines, EngineVoiceTest,
    ::testing::Values(VoiceChoice{kEspeakEngineName, ""}, VoiceChoice{kFliteEngineName, "slt"},
                      VoiceChoice{kFliteEngineName, "kal"}),
    [](const auto& info) {
        std::string name = info.param.engine + "_" + info.param.name;
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

}  // namespace
}  // namespace vox
