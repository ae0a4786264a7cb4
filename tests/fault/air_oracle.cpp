#include "tests/fault/air_oracle.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>
#include <utility>

#include "backends/sim/virtual_voice.h"
#include "core/base/local_time.h"
#include "core/base/text_helpers.h"
#include "core/settings/settings_format.h"

namespace vox {
namespace {

// The value of a field of one of our own records: "key":"text" or "key":word.
std::optional<std::string> field(const std::string& line, const std::string& key) {
    const std::string tag = "\"" + key + "\":";
    const std::size_t at = line.find(tag);
    if (at == std::string::npos)
        return std::nullopt;
    std::size_t b = at + tag.size();
    if (b < line.size() && line[b] == '"') {
        const std::size_t e = line.find('"', b + 1);
        if (e == std::string::npos)
            return std::nullopt;
        return line.substr(b + 1, e - b - 1);
    }
    std::size_t e = b;
    while (e < line.size() && line[e] != ',' && line[e] != '}')
        ++e;
    return line.substr(b, e - b);
}

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A string field with its JSON escapes undone (a speak record's markup holds quotes).
std::optional<std::string> textField(const std::string& line, const std::string& key) {
    const std::string tag = "\"" + key + "\":\"";
    const std::size_t at = line.find(tag);
    if (at == std::string::npos)
        return std::nullopt;
    std::string out;
    for (std::size_t i = at + tag.size(); i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"')
            return out;
        if (c != '\\' || i + 1 >= line.size()) {
            out += c;
            continue;
        }
        const char e = line[++i];
        if (e == 'u' && i + 4 < line.size()) {
            appendUtf8(out, static_cast<unsigned>(std::stoul(line.substr(i + 1, 4), nullptr, 16)));
            i += 4;
        } else {
            out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
        }
    }
    return std::nullopt;
}

bool endsWithTxt(const std::string& file) {
    return file.size() >= 4 && LowerAscii(file.substr(file.size() - 4)) == ".txt";
}

// The voice as the dry run models it: when what it was handed stops sounding.
class VoiceModel {
public:
    explicit VoiceModel(const SilenceRule& rule) : rule_(rule) {}

    // seconds: nullopt when no one can tell how long it lasts (a text file that was garbled
    // and is gone): it then sounds until the voice is purged or the transmitter unkeyed.
    void handed(std::int64_t ms, std::optional<double> seconds) {
        for (; next_ < rule_.voiceFaults.size() && rule_.voiceFaults[next_].atMs <= ms; ++next_) {
            const VoiceFault& f = rule_.voiceFaults[next_];
            if (f.kind == VoiceFault::Kind::Fail)
                failsLeft_ = f.amount;
            else if (f.kind == VoiceFault::Kind::Stall)
                stallMs_ = f.amount * 1000LL;
            else
                hangNext_ = true;
        }
        if (failsLeft_ > 0) {
            --failsLeft_;
            return;
        }
        endMs_ = std::max(endMs_, ms) + std::llround(seconds.value_or(0) * 1000) +
                 std::exchange(stallMs_, 0);
        hanging_ = hanging_ || std::exchange(hangNext_, false);
        unknown_ = unknown_ || !seconds;
    }
    void purged(std::int64_t ms) {
        // A hanging voice sounded (as far as anyone could tell) up to the purge.
        endMs_ = hanging_ || unknown_ ? ms : std::min(endMs_, ms);
        hanging_ = false;
        unknown_ = false;
    }
    void unkeyed(std::int64_t ms) {
        if (unknown_)
            endMs_ = std::max(endMs_, ms);
        unknown_ = false;
    }
    bool sounding(std::int64_t ms) const { return hanging_ || unknown_ || ms < endMs_; }
    std::int64_t endMs() const { return endMs_; }

private:
    const SilenceRule& rule_;
    std::size_t next_ = 0;
    int failsLeft_ = 0;
    std::int64_t stallMs_ = 0;
    bool hangNext_ = false;
    bool hanging_ = false;
    bool unknown_ = false;
    std::int64_t endMs_ = std::numeric_limits<std::int64_t>::min();
};

std::optional<std::int64_t> timeMs(const std::string& t) {
    const auto when = parseDateTime(t.substr(0, 10) + " " + t.substr(11, 8));
    if (t.size() != 23 || !when)
        return std::nullopt;
    return toCalendarMs(*when) + std::stoi(t.substr(20, 3));
}

}  // namespace

OracleVerdict checkAirLog(std::istream& air, int maxTxSeconds, double graceSeconds,
                          const SilenceRule* silence) {
    OracleVerdict v;
    const auto fail = [&](int number, const std::string& why) {
        if (v.ok) {
            v.ok = false;
            v.why = "air log line " + std::to_string(number) + ": " + why;
        }
    };
    // Plain values: GCC's optimiser takes an optional<int64_t> here for uninitialised.
    bool keyed = false;
    std::int64_t keyedAt = 0;
    std::optional<VoiceModel> voice;
    if (silence)
        voice.emplace(*silence);
    // Silence is measured up to each record while keyed, and up to the unkeying.
    const auto checkSilence = [&](int number, std::int64_t ms) {
        if (!voice || !keyed || voice->sounding(ms))
            return;
        const double quiet = static_cast<double>(ms - std::max(keyedAt, voice->endMs())) / 1000.0;
        v.longestSilenceSeconds = std::max(v.longestSilenceSeconds, quiet);
        if (quiet > silence->limitSeconds)
            fail(number, "keyed with nothing said for " + std::to_string(quiet) + " s");
    };
    std::string line;
    int number = 0;
    while (std::getline(air, line)) {
        ++number;
        const auto t = field(line, "t");
        const auto ev = field(line, "ev");
        const auto parsed = t ? timeMs(*t) : std::nullopt;
        if (line.empty() || line.front() != '{' || line.back() != '}' || !ev || !parsed) {
            fail(number, "not a record: " + line.substr(0, 80));
            continue;
        }
        const std::int64_t ms = parsed.value();
        if (*ev == "tot")
            ++v.timeOuts;
        checkSilence(number, ms);
        if (voice && *ev == "purge")
            voice->purged(ms);
        if (voice && (*ev == "speak" || *ev == "play")) {
            const auto text = textField(line, "text");
            const std::string file = textField(line, "file").value_or("");
            std::optional<double> seconds = 0.0;
            if (text)
                seconds = VirtualVoice::textSeconds(*text);
            else if (*ev == "play" && endsWithTxt(file))
                seconds = std::nullopt;  // a text file the log could not read as text
            else if (*ev == "play" && silence->fileSeconds)
                seconds = silence->fileSeconds(file);
            voice->handed(ms, seconds);
        }
        if (*ev != "ptt")
            continue;
        const bool on = field(line, "on") == "true";
        if (voice && !on)
            voice->unkeyed(ms);
        if (on && !keyed) {
            keyed = true;
            keyedAt = ms;
            ++v.transmissions;
        } else if (!on && keyed) {
            const double seconds = static_cast<double>(ms - keyedAt) / 1000.0;
            v.longestSeconds = std::max(v.longestSeconds, seconds);
            if (maxTxSeconds > 0 && seconds > maxTxSeconds + graceSeconds)
                fail(number, "PTT was on for " + std::to_string(seconds) + " s");
            keyed = false;
        }
    }
    if (keyed)
        fail(number, "the run ended with PTT on");
    return v;
}

bool settingsFileComplete(const std::string& path, std::string* why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *why = "no settings file " + path;
        return false;
    }
    Settings settings;
    if (!parseSettingsFile(in, settings, why)) {
        *why = "settings file " + path + ": " + *why;
        return false;
    }
    return true;
}

}  // namespace vox
