#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <string>

namespace vox {

// The soak's air-log sink: counts the lines and what they tell (transmissions, identifications,
// reminders, ...) without keeping them, and writes them to a file when asked.
class SoakAirTally {
public:
    // What is counted, each by a piece of text its lines hold.
    enum Kind {
        Transmissions,
        CwIds,
        ActivityReminders,
        BusyReminders,
        TimeAnnouncements,
        InfoFiles,
        WeatherAlerts,
        AutoConnects,
        FanOn,
        TimeOuts,
        kKinds
    };
    using Counts = std::array<std::uint64_t, kKinds>;

    // False with a message when the file cannot be opened; empty = no file.
    bool open(const std::string& path, std::string* error);
    void take(const std::string& line);

    std::uint64_t lines() const { return lines_; }
    const Counts& counts() const { return counts_; }
    static const char* label(int kind);

private:
    std::uint64_t lines_ = 0;
    Counts counts_{};
    std::ofstream file_;
};

}  // namespace vox
