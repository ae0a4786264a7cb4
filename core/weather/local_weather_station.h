#pragma once

#include <optional>
#include <string>

#include "core/base/local_time.h"
#include "core/parts/part_context.h"

namespace vox {

// The home weather station: its program's files in LocalWxFile become spoken reports in the
// program folder ("wxlocal.txt", and "wxlocalshort.txt" for FreeWx), played when a radio user
// asks. VWS (types 0, 2, 3) is read on the weather refresh; FreeWx (type 1) every minute.
class LocalWeatherStation {
public:
    // Drives tFreeWx (the station enables it for type 1).
    LocalWeatherStation(PartContext ctx, Timer& freeWx);

    void ReadVwsDaily();
    void SpeakLocalWx();
    void ReadFreeWxShort(bool speakNow);
    void ReadFreeWxFull(bool speakNow);

private:
    void tFreeWx_Timer();
    // The station program's file, found in LocalWxFile; throws when the folder is not usable.
    std::string stationFile(const std::string& name) const;
    std::string readStationFile(const std::string& name) const;
    void writeProgramFile(const std::string& name, const std::string& contents) const;
    // Key, play, unkey. Throws when something failed, after releasing what it keyed.
    void playOnAir(const std::string& path);
    // A FreeWx reader that failed: a radio user hears the sorry sentence, a timer run nothing.
    void freeWxFailed(bool speakNow);

    PartContext ctx_;
};

// The file's last modification as a local date and time; nothing when it cannot be read.
std::optional<LocalTime> fileLocalTime(const std::string& path);

}  // namespace vox
