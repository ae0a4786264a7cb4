// Speech markup: a text with <xml>, <spell> and <silence> split into runs, then what the voices
// make of the runs: the words a listener hears, the SSML document for the engine, and the time a
// voice takes for the text.
#include <cmath>

#include "backends/sim/virtual_voice.h"
#include "core/base/speech_markup.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    const std::vector<SpeechRun> runs = parseSpeechMarkup(text);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const SpeechRun& run = runs[i];
        if (run.kind == SpeechRun::Kind::Silence)
            fuzz::require(run.silenceMs > 0 && run.silenceMs <= kMaxSilenceMs,
                          "a silence lasts 1 ms to the longest pause");
        else
            fuzz::require(!run.text.empty(), "no empty run of words");
        if (i > 0)
            fuzz::require(runs[i - 1].kind != run.kind, "neighbouring runs differ in kind");
    }

    (void)stripSpeechMarkup(text);
    const std::string ssml = speechRunsToSsml(runs);
    for (char c : ssml) {
        const auto u = static_cast<unsigned char>(c);
        fuzz::require(u >= ' ' || c == '\t' || c == '\n' || c == '\r',
                      "no control character reaches the engine");
    }
    const double seconds = VirtualVoice::textSeconds(text);
    fuzz::require(std::isfinite(seconds) && seconds >= 0, "a text takes a real time");
    return 0;
}
