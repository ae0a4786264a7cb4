#include "core/settings/program_conf.h"

#include "core/base/listen_address.h"
#include "core/base/text_helpers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>

namespace vox {
namespace {

// A fetch may wait this long at most; longer would hold a DTMF answer for minutes.
constexpr double kWebTimeoutMin = 1;
constexpr double kWebTimeoutMax = 300;

// A transmit time-out longer than an hour protects nothing.
constexpr int kMaxTxSecondsMax = 3600;
// Sizes in MiB; a million MiB is a terabyte.
constexpr int kMaxAirMb = 1000000;

// A configuration file is a few lines; anything far larger is not one.
constexpr std::uintmax_t kMaxFileBytes = 1024 * 1024;

std::string trim(const std::string& s) {
    const auto blank = [](unsigned char c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0, e = s.size();
    while (b < e && blank(s[b]))
        ++b;
    while (e > b && blank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool parseInt(const std::string& text, int min, int& out) {
    int v = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, v);
    if (text.empty() || ec != std::errc() || p != end || v < min)
        return false;
    out = v;
    return true;
}

bool parseIntIn(const std::string& text, int min, int max, int& out) {
    int v = 0;
    if (!parseInt(text, min, v) || v > max)
        return false;
    out = v;
    return true;
}

class Reader {
public:
    explicit Reader(ProgramConf& conf) : conf_(conf) {}

    // Empty when the line is fine, else what is wrong with it.
    std::string line(std::string text) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        text = trim(text);
        if (text.empty() || text[0] == '#' || text[0] == ';')
            return {};
        if (text[0] == '[') {
            // "[cwid]   # the generated identification"
            if (const auto note = commentStart(text); note != std::string::npos)
                text = trim(text.substr(0, note));
            if (text.back() != ']')
                return "not a [section] line";
            section_ = LowerAscii(trim(text.substr(1, text.size() - 2)));
            if (section_ != "node" && section_ != "sim" && section_ != "cwid" &&
                section_ != "web" && section_ != "svxlink" && section_ != "fan" &&
                section_ != "safety" && section_ != "air" && section_ != "web_ui" &&
                section_ != "voice") {
                const std::string bad = section_;
                section_ = "?";  // its keys are skipped; the section line is the problem
                return "unknown section [" + ShownExcerpt(bad) + "]";
            }
            return {};
        }
        const auto eq = text.find('=');
        if (eq == std::string::npos || eq == 0)
            return "not a key = value line";
        const std::string key = LowerAscii(trim(text.substr(0, eq)));
        std::string value;
        if (const std::string problem = valueOf(trim(text.substr(eq + 1)), value); !problem.empty())
            return problem;
        if (section_.empty())
            return "key '" + ShownExcerpt(key) + "' outside a section";
        if (section_ == "?")
            return {};
        if (section_ == "cwid")
            return cwidKey(key, value);
        if (section_ == "web")
            return webKey(key, value);
        if (section_ == "web_ui")
            return webUiKey(key, value);
        if (section_ == "svxlink")
            return svxlinkKey(key, value);
        if (section_ == "fan")
            return fanKey(key, value);
        if (section_ == "safety")
            return safetyKey(key, value);
        if (section_ == "air")
            return airKey(key, value);
        if (section_ == "voice")
            return voiceKey(key, value);
        return section_ == "node" ? nodeKey(key, value) : simKey(key, value);
    }

private:
    // Where a trailing "# note" starts: a '#' at the start or after a blank. DTMF codes such as
    // "Connect=#1" keep theirs, since no blank comes before it.
    static std::size_t commentStart(const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '#' && (i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t'))
                return i;
        return std::string::npos;
    }

    // The value after '=': up to a trailing comment, or the text between double quotes, which
    // may hold a '#' after a blank ("a #b").
    static std::string valueOf(const std::string& text, std::string& value) {
        if (text.empty() || text[0] != '"') {
            value = trim(text.substr(0, commentStart(text)));
            return {};
        }
        const auto close = text.find('"', 1);
        if (close == std::string::npos)
            return "no closing '\"' in '" + ShownExcerpt(text) + "'";
        const std::string rest = trim(text.substr(close + 1));
        if (!rest.empty() && rest[0] != '#')
            return "text after the closing '\"': '" + ShownExcerpt(rest) + "'";
        value = text.substr(1, close - 1);
        return {};
    }

    std::string nodeKey(const std::string& key, const std::string& value) {
        if (key != "backend")
            return unknownKey(key);
        const std::string backend = LowerAscii(value);
        if (backend != "sim" && backend != "svxlink")
            return "unknown backend '" + ShownExcerpt(value) + "'";
        conf_.backend = backend;
        return {};
    }

    std::string svxlinkKey(const std::string& key, const std::string& value) {
        SvxlinkConf& svx = conf_.svxlink;
        std::string* text = key == "state_pty"              ? &svx.statePty
                            : key == "dtmf_ctrl_pty"        ? &svx.dtmfCtrlPty
                            : key == "squelch_pty"          ? &svx.squelchPty
                            : key == "echolink_command_pty" ? &svx.echolinkCommandPty
                            : key == "audio_host"           ? &svx.audioHost
                            : key == "own_codes_file"       ? &svx.ownCodesFile
                            : key == "dtmf_commands"        ? &svx.dtmfCommands
                            : key == "echolink_module_id"   ? &svx.echolinkModuleId
                            : key == "callsign"             ? &svx.callsign
                                                            : nullptr;
        if (text) {
            // Only the EchoLink command PTY may be empty (no EchoLink module).
            if (value.empty() && text != &svx.echolinkCommandPty && text != &svx.dtmfCommands)
                return "'" + key + "' is empty";
            if (text == &svx.echolinkModuleId &&
                value.find_first_not_of("0123456789") != std::string::npos)
                return "'" + key + "' is not a module number: '" + ShownExcerpt(value) + "'";
            *text = value;
            return {};
        }
        int v = 0;
        if (key == "audio_port") {
            if (!parseIntIn(value, 1, 65535, v))
                return outOfRange(key, value, range(1, 65535));
            svx.audioPort = v;
        } else if (key == "sample_rate") {
            // What SvxLink's sound cards run at.
            if (!parseInt(value, 1, v) || (v != 8000 && v != 16000 && v != 48000))
                return "'sample_rate' is not 8000, 16000 or 48000: '" + ShownExcerpt(value) + "'";
            svx.sampleRate = v;
        } else if (key == "channels") {
            if (!parseIntIn(value, 1, 2, v))
                return outOfRange(key, value, range(1, 2));
            svx.channels = v;
        } else {
            return unknownKey(key);
        }
        return {};
    }

    std::string fanKey(const std::string& key, const std::string& value) {
        if (key == "serial_port")
            conf_.fan.serialPort = value;
        else if (key == "svxlink_conf")
            conf_.fan.svxlinkConf = value;
        else
            return unknownKey(key);
        return {};
    }

    std::string safetyKey(const std::string& key, const std::string& value) {
        if (key != "max_tx_seconds")
            return unknownKey(key);
        if (!parseIntIn(value, 0, kMaxTxSecondsMax, conf_.maxTxSeconds))
            return outOfRange(key, value, range(0, kMaxTxSecondsMax));
        return {};
    }

    std::string airKey(const std::string& key, const std::string& value) {
        int* size = key == "max_log_mb"   ? &conf_.air.maxLogMb
                    : key == "max_wav_mb" ? &conf_.air.maxWavMb
                                          : nullptr;
        if (!size)
            return unknownKey(key);
        if (!parseIntIn(value, 0, kMaxAirMb, *size))
            return outOfRange(key, value, range(0, kMaxAirMb));
        return {};
    }

    std::string voiceKey(const std::string& key, const std::string& value) {
        if (key == "engine")
            conf_.voice.engine = LowerAscii(value);
        else if (key == "name")
            conf_.voice.name = value;
        else
            return unknownKey(key);
        return {};
    }

    std::string simKey(const std::string& key, const std::string& value) {
        std::string* text = key == "callsign"          ? &conf_.callsign
                            : key == "dtmf_commands"   ? &conf_.dtmfCommands
                            : key == "dtmf_shortcuts"  ? &conf_.dtmfShortcuts
                            : key == "sound_files_dir" ? &conf_.soundFilesDir
                                                       : nullptr;
        if (text) {
            *text = value;
            return {};
        }
        int* number = key == "sysop_mode"         ? &conf_.sysopMode
                      : key == "ptt_control"      ? &conf_.pttControl
                      : key == "connect_delay_ms" ? &conf_.connectDelayMs
                                                  : nullptr;
        if (!number)
            return unknownKey(key);
        const int min = number == &conf_.connectDelayMs ? 0 : std::numeric_limits<int>::min();
        if (!parseInt(value, min, *number))
            return "'" + key + "' is not a valid number: '" + ShownExcerpt(value) + "'";
        return {};
    }

    std::string cwidKey(const std::string& key, const std::string& value) {
        CwIdConf& cw = conf_.cwid;
        if (key == "amplitude") {
            double v = 0;
            const char* end = value.data() + value.size();
            const auto [p, ec] = std::from_chars(value.data(), end, v);
            if (value.empty() || ec != std::errc() || p != end || !(v >= kCwAmplitudeMin) ||
                v > kCwAmplitudeMax)
                return outOfRange(key, value, "0.05 to 1");
            cw.amplitude = v;
            return {};
        }
        int v = 0;
        if (key == "wpm") {
            if (!parseIntIn(value, kCwWpmMin, kCwWpmMax, v))
                return outOfRange(key, value, range(kCwWpmMin, kCwWpmMax));
            cw.wpm = v;
        } else if (key == "tone_hz") {
            if (!parseIntIn(value, kCwToneMin, kCwToneMax, v))
                return outOfRange(key, value, range(kCwToneMin, kCwToneMax));
            cw.toneHz = v;
        } else if (key == "suffix") {
            if (!parseIntIn(value, 0, 1, v))
                return "'suffix' is not 0 or 1: '" + ShownExcerpt(value) + "'";
            cw.suffix = v == 1;
        } else {
            return unknownKey(key);
        }
        return {};
    }

    // Empty turns the console off; a bad address keeps the default.
    std::string webUiKey(const std::string& key, const std::string& value) {
        if (key != "listen")
            return unknownKey(key);
        std::string why;
        if (!value.empty() && !parseListenAddress(value, nullptr, &why))
            return "'listen' is not host:port (" + why + "): '" + ShownExcerpt(value) + "'";
        conf_.webUi.listen = value;
        return {};
    }

    std::string webKey(const std::string& key, const std::string& value) {
        WebConf& web = conf_.web;
        if (key == "timeout_s") {
            double v = 0;
            const char* end = value.data() + value.size();
            const auto [p, ec] = std::from_chars(value.data(), end, v);
            if (value.empty() || ec != std::errc() || p != end || !(v >= kWebTimeoutMin) ||
                v > kWebTimeoutMax)
                return outOfRange(key, value, "1 to 300");
            web.timeoutSeconds = v;
            return {};
        }
        std::string* address = key == "wwv_url"             ? &web.wwvUrl
                               : key == "bulletin_base_url" ? &web.bulletinBaseUrl
                               : key == "lookup_url"        ? &web.lookupUrl
                                                            : nullptr;
        if (!address)
            return unknownKey(key);
        // Kept even when unusable: the feature then fails with the reason, never fetches
        // somewhere else.
        *address = value;
        // Empty: that feature is off (the bulletins come from the program folder).
        if (value.empty())
            return {};
        std::string why;
        if (!checkWebAddress(value, &why))
            return "'" + key + "' is not a usable address (" + why + "): '" + ShownExcerpt(value) +
                   "'";
        if (address == &web.bulletinBaseUrl && value.back() != '/')
            return "'" + key + "' must end with '/': '" + ShownExcerpt(value) + "'";
        return {};
    }

    static std::string range(int min, int max) {
        return std::to_string(min) + " to " + std::to_string(max);
    }

    static std::string outOfRange(const std::string& key, const std::string& value,
                                  const std::string& range) {
        return "'" + key + "' is not a number from " + range + ": '" + ShownExcerpt(value) + "'";
    }

    std::string unknownKey(const std::string& key) {
        return "unknown key '" + ShownExcerpt(key) + "' in [" + section_ + "]";
    }

    ProgramConf& conf_;
    std::string section_;
};

}  // namespace

ConfResult loadProgramConf(const std::string& path) {
    ConfResult result;
    const std::string name = std::filesystem::path(path).filename().string();
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        return result;
    if (!std::filesystem::is_regular_file(status)) {
        result.warnings.push_back(name + ": not a file, defaults used");
        return result;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxFileBytes) {
        result.warnings.push_back(name + ": too large, defaults used");
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.warnings.push_back(name + ": cannot be read, defaults used");
        return result;
    }
    Reader reader(result.conf);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (number == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0)
            text.erase(0, 3);  // editors' BOM
        const std::string problem = reader.line(text);
        if (!problem.empty())
            result.warnings.push_back(name + " line " + std::to_string(number) + ": " + problem);
    }
    return result;
}

}  // namespace vox
