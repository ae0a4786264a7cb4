#pragma once

#include <string>
#include <vector>

#include "adapters/speech_engine.h"

namespace vox {

// A voice of Flite, CMU's small synthesis library: the US English voices Debian ships with it.
// Flite reads plain text only, so spelled runs reach it as letters and digits one by one.
class FliteEngine : public SpeechEngine {
public:
    // voice: one of voices(); anything else speaks with the first of them.
    explicit FliteEngine(std::string voice);

    // "awb", "rms", "slt", "kal16", "kal": the clearest, and the default, first.
    static std::vector<std::string> voices();
    static std::string version();  // "2.2"

    std::string name() const override;
    bool synthesize(const std::vector<SpeechRun>& words, int rate, int volume,
                    const Sink& sink) override;

private:
    std::string voice_;
};

}  // namespace vox
