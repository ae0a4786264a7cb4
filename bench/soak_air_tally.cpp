#include "bench/soak_air_tally.h"

namespace vox {

namespace {

struct Needle {
    const char* label;
    const char* text;
};

constexpr Needle kNeedles[SoakAirTally::kKinds] = {
    {"transmissions", R"("ev":"ptt","on":true)"},
    {"CW IDs", R"("file":"wav/id.wav")"},
    {"activity reminders", R"("file":"wav/activity.wav")"},
    {"busy reminders", R"("file":"wav/busy.wav")"},
    {"time announcements", "The time is "},
    {"information files", R"("file":"info/info1.txt")"},
    {"weather alerts", "current weather alerts"},
    {"auto-connects", R"("ev":"connect")"},
    {"fan on", R"("ev":"rts","on":true)"},
    {"transmit time-outs", R"("ev":"tot")"},
};

}  // namespace

bool SoakAirTally::open(const std::string& path, std::string* error) {
    if (path.empty())
        return true;
    file_.open(path, std::ios::binary | std::ios::trunc);
    if (!file_)
        *error = "cannot write the air log " + path;
    return static_cast<bool>(file_);
}

void SoakAirTally::take(const std::string& line) {
    ++lines_;
    for (int k = 0; k < kKinds; ++k)
        if (line.find(kNeedles[k].text) != std::string::npos)
            ++counts_[static_cast<std::size_t>(k)];
    if (file_.is_open())
        file_ << line << '\n';
}

const char* SoakAirTally::label(int kind) {
    return kNeedles[kind].label;
}

}  // namespace vox
