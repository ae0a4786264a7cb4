#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "backends/sim/sim_node_system.h"
#include "core/base/air_logging_voice.h"
#include "core/base/virtual_time.h"
#include "core/parts/prepared_files.h"
#include "core/sim/virtual_voice.h"
#include "core/station/station.h"
#include "tests/support/temp_folder.h"

namespace vox {

// Message boxes, kept for the test to read.
struct RecordedMessages : UserInterface {
    std::vector<std::string> texts;
    void showMessage(MessageIcon, const std::string&, const std::string& text) override {
        texts.push_back(text);
    }
};

// A whole station in virtual time, with the node simulator and a virtual voice.
struct StationRig {
    explicit StationRig(LocalTime start = LocalTime{2026, 12, 10, 11, 59, 0, 0},
                        ProgramConf conf = quickConf(), SettingsWriter writer = {})
        : clock(start), loop(clock), rt(clock, loop), air(clock), nodes(rt, conf, &air) {
        air.setSink([this](const std::string& line) {
            airLines.push_back(line);
            airTimes.push_back(clock.localNow());
        });
        std::filesystem::create_directories(folder.path + "/wav");
        StationPorts ports{rt,
                           ProgramFolder(folder.path),
                           nodes,
                           ui,
                           air,
                           [this]() -> std::unique_ptr<Voice> {
                               auto made = std::make_unique<VirtualVoice>(rt);
                               voice = made.get();
                               return std::make_unique<LoggedVoice>(std::move(made), air,
                                                                    folder.path);
                           },
                           std::move(writer)};
        station = std::make_unique<Station>(std::move(ports));
    }

    static ProgramConf quickConf() {
        ProgramConf conf;
        conf.connectDelayMs = 100;
        return conf;
    }

    // Air-log events of these kinds, as "ev" or "ev:detail" strings, from line `from` on.
    std::vector<std::string> events(std::size_t from = 0) const;
    // "hh:mm:ss.mmm ev[:detail]" for the events matching a prefix ("" = all but status and log).
    std::vector<std::string> timedEvents(const std::string& prefix = "") const;
    // Starts the station and runs it until the given local time.
    void startAndRunUntil(const LocalTime& until);
    void runUntil(const LocalTime& until);
    void command(const std::string& line);
    // Runs a control command at a local time (later than now).
    void commandAt(const LocalTime& when, const std::string& line);
    void callAtLocal(const LocalTime& when, std::function<void()> fn);
    std::string folderPath(const std::string& relative) const {
        return folder.path + "/" + relative;
    }
    void writeDefaultWavs() { writeDefaultPreparedFiles(ProgramFolder(folder.path)); }
    void touch(const std::string& relative, const std::string& text = "x");

    TempFolder folder;
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    AirLog air;
    SimNodeSystem nodes;
    RecordedMessages ui;
    std::vector<std::string> airLines;
    std::vector<LocalTime> airTimes;
    std::unique_ptr<Station> station;
    // The voice the station made last (faults are injected on it).
    VirtualVoice* voice = nullptr;
};

}  // namespace vox
