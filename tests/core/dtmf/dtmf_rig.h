#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/dtmf/dtmf_codes.h"
#include "core/dtmf/dtmf_dispatcher.h"
#include "tests/core/app/part_rig.h"

namespace vox {

// Weather answers, recorded in the air log as actions.
struct RecordedWeather : WeatherCommands {
    explicit RecordedWeather(AirLog& air) : air(air) {}
    void AnnounceWeatherAlerts(bool fromTimer) override {
        act(fromTimer ? "alerts(timer)" : "alerts(dtmf)");
    }
    void SpeakLocalWx() override { act("local wx"); }
    void ReadFreeWxShort(bool now) override { act(now ? "freewx short(now)" : "freewx short"); }
    void ReadFreeWxFull(bool now) override { act(now ? "freewx full(now)" : "freewx full"); }
    void act(const std::string& name) { air.record("action", {{"name", name}}); }
    AirLog& air;
};

// A dispatcher on a part rig, with every call it makes into other parts recorded in the air log
// beside what it says and plays.
struct DtmfRig : PartRig {
    explicit DtmfRig(ProgramConf conf = ProgramConf{})
        : PartRig({2026, 12, 10, 12, 1, 30}, conf),
          weather(air),
          dtmf(context(), timers[TimerName::tDTMFInComing], timers[TimerName::tDTMF], actions(),
               weather) {
        events.onDtmf = [this](const std::string& digits) { dtmf.ELo_DTMFString(digits); };
        timers[TimerName::tDTMFInComing].setEnabled(true);
        timers[TimerName::tQuietTime].setEnabled(true);
    }

    DtmfActions actions() {
        DtmfActions a;
        a.press = [this](const std::string& control) { act("press " + control); };
        a.quietTimeRunning = [this](bool on) {
            timers[TimerName::tQuietTime].setEnabled(on);
            act(on ? "quiet time on" : "quiet time off");
        };
        a.refreshNodeCodes = [this] {
            state.EchoLinkDtmfCodes =
                parseNodeDtmfCodes(nodes.registryValue("Sysop", "DTMFCommands"));
        };
        a.speakSpeedDial = [this] { act("speed dial"); };
        a.speakBulletin = [this](const std::string& n) { act("bulletin " + n); };
        a.speakWwvReport = [this] { act("wwv"); };
        a.resetRecordMinutes = [this] { act("record minutes 0"); };
        return a;
    }
    void act(const std::string& name) { air.record("action", {{"name", name}}); }

    void writeFile(const std::string& relative, const std::string& text) {
        const std::filesystem::path p = std::filesystem::path(dir.path) / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p) << text;
    }

    // What the dispatch did, in order: "say TEXT", "play FILE", "ptt on", the recorded actions.
    std::vector<std::string> transcript(std::size_t from = 0) const {
        std::vector<std::string> out;
        auto field = [](const std::string& line, const std::string& key) {
            const std::size_t at = line.find("\"" + key + "\":");
            if (at == std::string::npos)
                return std::string();
            std::size_t start = at + key.size() + 3;
            if (line[start] != '"')
                return line.substr(start, line.find_first_of(",}", start) - start);
            std::string value;
            for (std::size_t i = start + 1; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\')
                    ++i;
                value += line[i];
            }
            return value;
        };
        for (std::size_t i = from; i < lines.size(); ++i) {
            const std::string& l = lines[i];
            const std::string ev = field(l, "ev");
            if (ev == "speak")
                out.push_back("say " + field(l, "text"));
            else if (ev == "play")
                out.push_back("play " + field(l, "file"));
            else if (ev == "ptt")
                out.push_back(std::string("ptt ") + (field(l, "on") == "true" ? "on" : "off"));
            else if (ev == "action")
                out.push_back(field(l, "name"));
        }
        return out;
    }

    RecordedWeather weather;
    DtmfDispatcher dtmf;
};

}  // namespace vox
