#include "src/cwid_command.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "core/base/program_folder.h"
#include "core/base/text_helpers.h"
#include "core/base/wav_file.h"
#include "core/parts/cw_id.h"
#include "core/settings/program_conf.h"

namespace vox {
namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: voxclock cwid [--home DIR] [--wpm N] [--tone HZ] TEXT --wav FILE\n");
    return 2;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "voxclock cwid: %s\n", message.c_str());
    return 2;
}

bool parseWhole(const std::string& text, int min, int max, int* out) {
    int v = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || p != end || v < min || v > max)
        return false;
    *out = v;
    return true;
}

}  // namespace

int runCwidCommand(int argc, char** argv) {
    std::string home, wavPath, text, wpm, tone;
    bool haveText = false, haveWpm = false, haveTone = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* value = arg == "--home"   ? &home
                             : arg == "--wav"  ? &wavPath
                             : arg == "--wpm"  ? &wpm
                             : arg == "--tone" ? &tone
                                               : nullptr;
        if (value) {
            if (i + 1 >= argc)
                return usage();
            *value = argv[++i];
            haveWpm |= value == &wpm;
            haveTone |= value == &tone;
        } else if (arg.rfind("--", 0) == 0 || haveText) {
            return usage();
        } else {
            text = arg;
            haveText = true;
        }
    }
    if (!haveText || wavPath.empty())
        return usage();

    // The folder's settings first, so a test file sounds like the node's own identification.
    const ProgramFolder folder(ProgramFolder::choose(home));
    const ConfResult loaded = loadProgramConf(folder.path("voxclock.conf"));
    for (const std::string& warning : loaded.warnings)
        std::fprintf(stderr, "voxclock cwid: %s\n", warning.c_str());
    CwIdConf conf = loaded.conf.cwid;
    if (haveWpm && !parseWhole(wpm, kCwWpmMin, kCwWpmMax, &conf.wpm))
        return usageError("--wpm takes a whole number from " + std::to_string(kCwWpmMin) + " to " +
                          std::to_string(kCwWpmMax) + ", not '" + ShownExcerpt(wpm) + "'");
    if (haveTone && !parseWhole(tone, kCwToneMin, kCwToneMax, &conf.toneHz))
        return usageError("--tone takes a whole number of Hz from " + std::to_string(kCwToneMin) +
                          " to " + std::to_string(kCwToneMax) + ", not '" + ShownExcerpt(tone) +
                          "'");

    std::vector<int16_t> samples;
    std::string error;
    if (!renderCw(text, conf, kToneSampleRate, &samples, &error))
        return usageError(error);
    if (!writeWavPcm16Mono(wavPath, kToneSampleRate, samples, &error)) {
        std::fprintf(stderr, "voxclock cwid: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s at %d wpm, %d Hz: %.2f s\n", cwSendableText(text).c_str(), conf.wpm,
                conf.toneHz, static_cast<double>(samples.size()) / kToneSampleRate);
    return 0;
}

}  // namespace vox
