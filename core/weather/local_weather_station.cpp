#include "core/weather/local_weather_station.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "core/base/atomic_file.h"
#include "core/base/guarded.h"
#include "core/parts/speech_output.h"
#include "core/weather/freewx.h"
#include "core/weather/observation.h"
#include "core/weather/vws_daily.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_paths.h"

namespace vox {

LocalWeatherStation::LocalWeatherStation(PartContext ctx, Timer& freeWx) : ctx_(std::move(ctx)) {
    freeWx.setOnTick([this] { tFreeWx_Timer(); });
}

void LocalWeatherStation::tFreeWx_Timer() {
    ReadFreeWxShort(false);
    ReadFreeWxFull(false);
}

std::string LocalWeatherStation::stationFile(const std::string& name) const {
    const WxFolder folder = resolveWxFolder(ctx_.settings.LocalWxFile, ctx_.folder.root());
    if (!folder.ok)
        throw std::runtime_error("weather station folder: " + folder.error);
    return wxFileIn(folder.path, name);
}

std::string LocalWeatherStation::readStationFile(const std::string& name) const {
    std::string bytes, error;
    if (!readWeatherFile(stationFile(name), &bytes, &error))
        throw std::runtime_error(name + " " + error);
    return bytes;
}

void LocalWeatherStation::writeProgramFile(const std::string& name,
                                           const std::string& contents) const {
    std::string error;
    if (!writeFileAtomically(ctx_.folder.findCaseInsensitive("\\" + name), contents, &error))
        throw std::runtime_error(error);
}

void LocalWeatherStation::playOnAir(const std::string& path) {
    SpeechOutput& speech = ctx_.speech;
    if (speech.reportSleeping())
        return;
    // Wait for the channel before keying, never while keyed.
    speech.waitForQuietReceiver("TTS is Waiting");
    try {
        speech.KeyTransmitter();
        speech.PlayFile(path);
        speech.UnkeyTransmitter();
    } catch (...) {
        speech.unkeyAfterFailure();
        throw;
    }
}

void LocalWeatherStation::ReadVwsDaily() {
    const Settings& s = ctx_.settings;
    if (s.LocalWxFile.empty() || s.WxStationType == 1)
        return;
    std::string text;
    const bool ok = guarded("VWS reading", [&] {
        const VwsRead read = readVwsDaily(readStationFile("daily.txt"), s.WxStationType);
        if (!read.ok)
            throw std::runtime_error(read.error);
        text = vwsText(read.reading, {s.WxStationType, ctx_.rt.localNow().month,
                                      ctx_.speech.SpellCall(ctx_.state.OwnCall), s.WxNodeCall});
    });
    if (!ok)
        text = vwsSorryText(s.WxNodeCall);
    guarded("wxlocal.txt",
            [&] { writeProgramFile("wxlocal.txt", joinLines({"<xml>" + text + "</xml>"})); });
}

void LocalWeatherStation::SpeakLocalWx() {
    const std::string sorry = vwsSorryText(ctx_.settings.WxNodeCall);
    const std::string path = ctx_.folder.findCaseInsensitive("\\wxlocal.txt");
    if (!isRegularFile(path)) {
        ctx_.speech.SpeakText(sorry);
        return;
    }
    if (!guarded("local weather", [&] { playOnAir(path); }))
        ctx_.speech.SpeakText(sorry);
}

void LocalWeatherStation::freeWxFailed(bool speakNow) {
    if (speakNow)
        ctx_.speech.SpeakText(freeWxSorryText(ctx_.settings.WxNodeCall));
}

void LocalWeatherStation::ReadFreeWxShort(bool speakNow) {
    const bool ok = guarded("FreeWx short reading", [&] {
        FreeWxShort reading;
        std::string error;
        if (!readFreeWxShort(readStationFile("freewx.dat"), &reading, &error))
            throw std::runtime_error(error);
        writeProgramFile("wxlocalshort.txt",
                         freeWxSpeakable(freeWxShortText(reading, ctx_.settings.WxNodeCall)));
        if (speakNow)
            playOnAir(ctx_.folder.findCaseInsensitive("\\wxlocalshort.txt"));
    });
    if (!ok)
        freeWxFailed(speakNow);
}

void LocalWeatherStation::ReadFreeWxFull(bool speakNow) {
    const bool ok = guarded("FreeWx full reading", [&] {
        const std::string dataPath = stationFile("freedata.txt");
        const std::optional<LocalTime> recorded = fileLocalTime(dataPath);
        if (!recorded)
            throw std::runtime_error("freedata.txt not found");
        FreeWxFull reading;
        std::string error;
        if (!readFreeWxFull(readStationFile("freedata.txt"), &reading, &error))
            throw std::runtime_error(error);
        FreeWxDayTimes times;
        if (isRegularFile(stationFile("freewtday.log")) &&
            !readFreeWxDayLog(readStationFile("freewtday.log"), &times, &error))
            throw std::runtime_error(error);
        const std::optional<std::string> text =
            freeWxFullText(reading, times,
                           {recordedOnText(*recorded), ctx_.speech.SpellCall(ctx_.state.OwnCall),
                            ctx_.settings.WxNodeCall});
        if (!text)
            throw std::runtime_error("freedata.txt: the temperature is not a number");
        writeProgramFile("wxlocal.txt", freeWxSpeakable(*text));
        if (speakNow)
            playOnAir(ctx_.folder.findCaseInsensitive("\\wxlocal.txt"));
    });
    if (!ok)
        freeWxFailed(speakNow);
}

std::optional<LocalTime> fileLocalTime(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_time_type written = fs::last_write_time(path, ec);
    if (ec)
        return std::nullopt;
    const auto system = std::chrono::file_clock::to_sys(written);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
    std::tm tm{};
    if (!localtime_r(&seconds, &tm))
        return std::nullopt;
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                     tm.tm_min,         tm.tm_sec,     0};
}

}  // namespace vox
