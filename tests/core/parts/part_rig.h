#pragma once

#include <functional>
#include <string>
#include <vector>

#include "backends/sim/sim_node_system.h"
#include "core/base/air_logging_voice.h"
#include "core/base/virtual_time.h"
#include "core/parts/control_registry.h"
#include "core/parts/part_context.h"
#include "core/parts/speech_output.h"
#include "core/parts/timer_table.h"
#include "core/sim/virtual_voice.h"
#include "tests/core/station/station_fixture.h"

namespace vox {

// Node events a part's rig records instead of a station.
struct RecordedNodeEvents : NodeEvents {
    std::vector<std::string> seen;
    std::function<void(const std::string&)> onDtmf;  // a part that takes the tones
    void onConnected(const std::string& call, const std::string&, const std::string&) override {
        seen.push_back("connected " + call);
    }
    void onDisconnected(const std::string& call) override {
        seen.push_back("disconnected " + call);
    }
    void onChatTextReceived(const std::string& text) override { seen.push_back("chat " + text); }
    void onStationListReceived() override { seen.push_back("stationlist"); }
    void onDtmfString(const std::string& digits) override {
        seen.push_back("dtmf " + digits);
        if (onDtmf)
            onDtmf(digits);
    }
    void onClosing() override { seen.push_back("closing"); }
};

// What one part needs and no station: the context over a simulated node and a virtual voice, in
// virtual time, with the air log kept. Build the part under test on context(), handing it the
// timers it drives from `timers` and the registry `controls`.
struct PartRig {
    explicit PartRig(LocalTime start = {2026, 12, 10, 12, 1, 30}, ProgramConf conf = ProgramConf{})
        : folder(dir.path),
          clock(start),
          loop(clock),
          rt(clock, loop),
          air(clock),
          nodes(rt, conf, &air),
          log(folder, clock),
          timers(rt),
          speech({rt, folder, settings, panel, state, node, log, {}, &air},
                 timers[TimerName::tVoiceAbort]) {
        node.attach(nodes.createNode(events));
        speech.setVoice(
            std::make_unique<LoggedVoice>(std::make_unique<VirtualVoice>(rt), air, dir.path));
        air.setSink([this](const std::string& line) { lines.push_back(line); });
        settings.TxDelaySeconds = 0;
    }

    PartContext context() {
        return PartContext{rt, folder, settings, panel, state, log, node, speech, {}};
    }
    // Runs the loop for this many seconds of virtual time.
    void run(double seconds) { rt.waitUntil(rt.now() + seconds); }
    void command(const std::string& line) { ASSERT_EQ(nodes.handleLine(line), "ok") << line; }
    // The air-log lines holding this text.
    std::vector<std::string> linesWith(const std::string& text) const {
        std::vector<std::string> out;
        for (const auto& l : lines)
            if (l.find(text) != std::string::npos)
                out.push_back(l);
        return out;
    }

    TempFolder dir;
    ProgramFolder folder;
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    AirLog air;
    SimNodeSystem nodes;
    RecordedNodeEvents events;
    Settings settings;
    FrontPanel panel;
    SharedState state;
    NodeAccess node;
    EventLog log;
    ControlRegistry controls;
    TimerTable timers;
    SpeechOutput speech;
    std::vector<std::string> lines;
};

}  // namespace vox
