#pragma once

#include <string>
#include <vector>

#include "adapters/speech_engine.h"

namespace vox {

// A voice of libespeak-ng. The library is started once per process, on the synthesis thread.
class EspeakEngine : public SpeechEngine {
public:
    // An empty voice name is the default, "en-us".
    explicit EspeakEngine(std::string voice);

    // Starts the library if need be. False when it cannot be; error() says why.
    static bool available();
    static std::string error();
    static std::string version();  // "1.51"
    // The English voices installed, the default first.
    static std::vector<std::string> voices();

    std::string name() const override;
    bool synthesize(const std::vector<SpeechRun>& words, int rate, int volume,
                    const Sink& sink) override;

private:
    std::string voice_;
};

}  // namespace vox
