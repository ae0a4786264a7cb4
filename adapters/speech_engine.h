#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/base/speech_markup.h"

namespace vox {

// One voice of a text-to-speech engine. The voice (engine_voice.h) reads the markup, renders the
// pauses itself and hands the engine only the words between them, so an engine never sees markup.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;

    // "espeak-ng 1.51 en-us", "flite 2.2 slt".
    virtual std::string name() const = 0;

    // Receives 22050 Hz mono 16-bit samples; returns false to stop at once.
    using Sink = std::function<bool(const std::int16_t* samples, std::size_t count)>;

    // On the synthesis thread only (synthesis_thread.h). words: speech and spell runs, no
    // silences. rate -2..2, the same steps on every engine; volume 0..100. False when the engine
    // failed.
    virtual bool synthesize(const std::vector<SpeechRun>& words, int rate, int volume,
                            const Sink& sink) = 0;
};

// Rate -2..2 in words per minute: 130, 150, 170, 190, 210. Through a narrow FM channel a fast
// voice runs words together; the middle step is a little slower than most engines' own.
int wordsPerMinute(int rate);

}  // namespace vox
