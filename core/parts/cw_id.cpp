#include "core/parts/cw_id.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <system_error>

#include "core/base/atomic_file.h"
#include "core/base/text_helpers.h"
#include "core/base/wav_file.h"

namespace vox {
namespace {

constexpr double kRampSeconds = 0.005;
constexpr int kMinSampleRate = 8000;
constexpr int kMaxSampleRate = 192000;

struct Code {
    char c;
    const char* morse;
};

constexpr Code kCodes[] = {
    {'A', ".-"},    {'B', "-..."},   {'C', "-.-."},    {'D', "-.."},    {'E', "."},
    {'F', "..-."},  {'G', "--."},    {'H', "...."},    {'I', ".."},     {'J', ".---"},
    {'K', "-.-"},   {'L', ".-.."},   {'M', "--"},      {'N', "-."},     {'O', "---"},
    {'P', ".--."},  {'Q', "--.-"},   {'R', ".-."},     {'S', "..."},    {'T', "-"},
    {'U', "..-"},   {'V', "...-"},   {'W', ".--"},     {'X', "-..-"},   {'Y', "-.--"},
    {'Z', "--.."},  {'0', "-----"},  {'1', ".----"},   {'2', "..---"},  {'3', "...--"},
    {'4', "....-"}, {'5', "....."},  {'6', "-...."},   {'7', "--..."},  {'8', "---.."},
    {'9', "----."}, {'/', "-..-."},  {'?', "..--.."},  {'.', ".-.-.-"}, {',', "--..--"},
    {'=', "-...-"}, {'+', ".-.-."},  {'-', "-....-"},  {'@', ".--.-."}, {':', "---..."},
    {'(', "-.--."}, {')', "-.--.-"}, {'\'', ".----."}, {'"', ".-..-."}, {';', "-.-.-."},
};

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

CwIdConf usable(CwIdConf conf) {
    conf.wpm = std::clamp(conf.wpm, kCwWpmMin, kCwWpmMax);
    conf.toneHz = std::clamp(conf.toneHz, kCwToneMin, kCwToneMax);
    if (!(conf.amplitude >= kCwAmplitudeMin))  // NaN too
        conf.amplitude = kCwAmplitudeMin;
    conf.amplitude = std::min(conf.amplitude, kCwAmplitudeMax);
    return conf;
}

bool fail(std::string* error, const std::string& message) {
    if (error)
        *error = message;
    return false;
}

// Key-down and key-up lengths in dots, in sending order, starting with a key-down.
std::vector<int> keying(const std::string& sendable) {
    std::vector<int> units;
    int gap = 0;
    for (char c : sendable) {
        if (c == ' ') {
            gap = 7;
            continue;
        }
        const std::string code = morseCode(c);
        for (std::size_t i = 0; i < code.size(); ++i) {
            if (i > 0)
                units.push_back(1);
            else if (gap > 0)
                units.push_back(gap);
            units.push_back(code[i] == '.' ? 1 : 3);
        }
        gap = 3;
    }
    return units;
}

}  // namespace

std::string morseCode(char c) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    for (const Code& code : kCodes)
        if (code.c == upper)
            return code.morse;
    return {};
}

std::string cwSendableText(const std::string& text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        if (blank(c)) {
            space = !out.empty();
            continue;
        }
        if (morseCode(c).empty())
            continue;
        if (space)
            out += ' ';
        space = false;
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

int cwDotSamples(int wpm, int sampleRate) {
    return static_cast<int>(std::lround(1.2 / std::max(wpm, 1) * sampleRate));
}

bool renderCw(const std::string& text, const CwIdConf& requested, int sampleRate,
              std::vector<int16_t>* samples, std::string* error) {
    if (sampleRate < kMinSampleRate || sampleRate > kMaxSampleRate)
        return fail(error, "unusable sample rate " + std::to_string(sampleRate));
    const CwIdConf conf = usable(requested);
    const std::string sendable = cwSendableText(text);
    if (sendable.empty())
        return fail(error, "nothing in '" + ShownExcerpt(text) + "' can be sent in Morse");
    const std::size_t dot = static_cast<std::size_t>(cwDotSamples(conf.wpm, sampleRate));
    const auto maxSamples = static_cast<std::size_t>(kCwMaxSeconds * sampleRate);
    const std::string tooLong = "'" + ShownExcerpt(sendable) + "' would last longer than " +
                                std::to_string(static_cast<int>(kCwMaxSeconds)) + " s at " +
                                std::to_string(conf.wpm) + " wpm";
    // At least every other character is one with a dot or more: a pasted book stops here,
    // before its keying is laid out.
    if (sendable.size() / 2 > maxSamples / dot)
        return fail(error, tooLong);
    const std::vector<int> units = keying(sendable);
    std::size_t total = 0;
    for (int u : units)
        total += static_cast<std::size_t>(u) * dot;
    if (total > maxSamples)
        return fail(error, tooLong);

    std::vector<int16_t> out(total, 0);
    const std::size_t ramp = static_cast<std::size_t>(std::lround(kRampSeconds * sampleRate));
    const double peak = 32767.0 * conf.amplitude;
    const double step = 2.0 * std::numbers::pi * conf.toneHz / sampleRate;
    std::size_t at = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::size_t n = static_cast<std::size_t>(units[i]) * dot;
        if (i % 2 == 0) {  // key down
            const std::size_t edge = std::min(ramp, n / 2);
            for (std::size_t k = 0; k < n; ++k) {
                double gain = 1.0;
                const std::size_t fromEdge = std::min(k, n - 1 - k);
                if (fromEdge < edge)
                    gain = 0.5 - 0.5 * std::cos(std::numbers::pi * (double(fromEdge) + 0.5) /
                                                double(edge));
                // One running oscillator: every element starts where the last one would be.
                out[at + k] = static_cast<int16_t>(
                    std::lround(peak * gain * std::sin(step * double(at + k))));
            }
        }
        at += n;
    }
    *samples = std::move(out);
    return true;
}

std::string cwIdText(const std::string& nodeCall, const CwIdConf& conf) {
    return conf.suffix ? nodeCall : nodeCall.substr(0, nodeCall.find('-'));
}

bool ensureCwIdFile(const ProgramFolder& folder, const std::string& call, const CwIdConf& conf,
                    std::string* logLine, std::string* error) {
    namespace fs = std::filesystem;
    if (logLine)
        logLine->clear();
    // Written where a case-insensitive lookup finds it (an existing "WAV" folder is used).
    const std::string target = folder.findCaseInsensitive("wav/id.wav");
    std::error_code ec;
    // Whatever is there, even a broken link or a folder, was put there by the owner.
    if (fs::symlink_status(target, ec).type() != fs::file_type::not_found && !ec)
        return true;

    const std::string text = cwSendableText(cwIdText(call, conf));
    if (text.empty())
        return fail(error, "no call sign to send as a CW ID ('" + ShownExcerpt(call) + "')");
    std::vector<int16_t> samples;
    if (!renderCw(text, conf, kToneSampleRate, &samples, error))
        return false;
    fs::create_directories(fs::path(target).parent_path(), ec);
    // A power cut halfway must not leave a cut-off file that would then pass for the owner's.
    const std::string temp = atomicTempPath(target);
    if (!writeWavPcm16Mono(temp, kToneSampleRate, samples, error))
        return false;
    fs::rename(temp, target, ec);
    if (ec) {
        std::remove(temp.c_str());
        return fail(error, "cannot write " + target + ": " + ec.message());
    }
    if (logLine)
        *logLine =
            "CW ID generated for " + text + " at " + std::to_string(usable(conf).wpm) + " wpm";
    return true;
}

}  // namespace vox
