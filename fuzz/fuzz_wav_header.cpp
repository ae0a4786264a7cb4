// WAV headers: the playing time of a file the owner put in the program folder (the voices and the
// air recorder ask it before they play or keep one).
#include <cmath>

#include "backends/sim/virtual_voice.h"
#include "core/base/wav_file.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ScratchFolder folder;
    const std::string path = folder.write("sound.wav", fuzz::textOf(data, size));
    const std::optional<double> seconds = wavDurationSeconds(path);
    if (seconds)
        fuzz::require(std::isfinite(*seconds) && *seconds >= 0, "a playing time is a real time");
    const double voiceSeconds = VirtualVoice::fileSeconds(path);
    fuzz::require(std::isfinite(voiceSeconds) && voiceSeconds >= 0, "a file takes a real time");
    return 0;
}
