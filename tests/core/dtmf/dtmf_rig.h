#pragma once

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/dtmf/dtmf_codes.h"
#include "core/dtmf/dtmf_dispatcher.h"
#include "tests/core/parts/part_rig.h"

namespace vox {

// What the dispatcher asks of the other parts, recorded in the air log as actions.
struct RecordedPeers : DtmfPeers {
    RecordedPeers(AirLog& air, std::function<void()> refreshCodes,
                  std::function<void(bool)> quietTime)
        : air(air), refreshCodes(std::move(refreshCodes)), quietTime(std::move(quietTime)) {}
    void speakTime() override { act(std::string("press ") + Control::CMDTime); }
    void transmitInfoFile() override { act(std::string("press ") + Control::CMDFile); }
    void remoteNode(int index) override { act("press " + Control::cmdRemoteNode(index)); }
    bool startRecording() override {
        act("record minutes 0");
        act(std::string("press ") + Control::cbRecordStart);
        return true;
    }
    void stopRecording() override { act(std::string("press ") + Control::cbRecordStop); }
    void playRecording() override { act(std::string("press ") + Control::cbRecordPlayback); }
    void quietTimeRunning(bool on) override {
        quietTime(on);
        act(on ? "quiet time on" : "quiet time off");
    }
    void refreshNodeCodes() override { refreshCodes(); }
    void speakSpeedDial() override { act("speed dial"); }
    void speakBulletin(const std::string& n) override { act("bulletin " + n); }
    void speakWwvReport() override { act("wwv"); }
    void announceWeatherAlerts(bool fromTimer) override {
        act(fromTimer ? "alerts(timer)" : "alerts(dtmf)");
    }
    void speakLocalWx() override { act("local wx"); }
    void readFreeWxShort(bool now) override { act(now ? "freewx short(now)" : "freewx short"); }
    void readFreeWxFull(bool now) override { act(now ? "freewx full(now)" : "freewx full"); }
    void act(const std::string& name) { air.record("action", {{"name", name}}); }
    AirLog& air;
    std::function<void()> refreshCodes;
    std::function<void(bool)> quietTime;
};

// A dispatcher on a part rig, with every call it makes into other parts recorded in the air log
// beside what it says and plays.
struct DtmfRig : PartRig {
    explicit DtmfRig(ProgramConf conf = ProgramConf{})
        : PartRig({2026, 12, 10, 12, 1, 30}, conf),
          peers(
              air, [this] { refreshNodeDtmfCodes(nodes, state); },
              [this](bool on) { timers[TimerName::tQuietTime].setEnabled(on); }),
          dtmf(context(), timers[TimerName::tDTMFInComing], timers[TimerName::tDTMF], peers) {
        events.onDtmf = [this](const std::string& digits) { dtmf.ELo_DTMFString(digits); };
        timers[TimerName::tDTMFInComing].setEnabled(true);
        timers[TimerName::tQuietTime].setEnabled(true);
    }

    void act(const std::string& name) { peers.act(name); }

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

    RecordedPeers peers;
    DtmfDispatcher dtmf;
};

}  // namespace vox
