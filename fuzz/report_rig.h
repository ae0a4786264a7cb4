#pragma once

// The spoken reports over a station's parts and no station: a program folder of its own, a
// simulated node, a virtual voice whose work goes to the air log, all in virtual time, and a web
// that answers with the fuzz input. One rig per run.

#include <memory>
#include <string>

#include "backends/sim/sim_node_system.h"
#include "core/base/air_logging_voice.h"
#include "core/base/virtual_time.h"
#include "core/base/web_fetch.h"
#include "core/dtmf/spoken_reports.h"
#include "core/parts/controls.h"
#include "core/parts/event_log.h"
#include "core/parts/speech_output.h"
#include "core/parts/timer_table.h"
#include "core/sim/virtual_voice.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/instant_web.h"

namespace vox::fuzz {

struct QuietEvents : NodeEvents {
    void onConnected(const std::string&, const std::string&, const std::string&) override {}
    void onDisconnected(const std::string&) override {}
    void onChatTextReceived(const std::string&) override {}
    void onStationListReceived() override {}
    void onDtmfString(const std::string&) override {}
    void onClosing() override {}
};

struct ReportRig : SpokenReportsPeers {
    explicit ReportRig(std::string document, int voiceType)
        : folder(dir.path()),
          clock({2026, 12, 10, 12, 1, 30, 0}),
          loop(clock),
          rt(clock, loop),
          air(clock),
          nodes(rt, ProgramConf{}, &air),
          log(folder, clock),
          timers(rt),
          speech({rt, folder, settings, panel, state, node, log, {}, &air},
                 timers[TimerName::tVoiceAbort]),
          http(std::move(document)),
          web(rt, &http, &air, 10),
          reports(PartContext{rt, folder, settings, panel, state, log, node, speech, {}}, web,
                  *this) {
        node.attach(nodes.createNode(events));
        speech.setVoice(
            std::make_unique<LoggedVoice>(std::make_unique<VirtualVoice>(rt), air, dir.path()));
        // The air log reads what is played, as the real one does; the lines are not kept.
        air.setSink([this](const std::string& line) { airBytes += line.size(); });
        settings.TxDelaySeconds = 0;
        settings.VoiceTypeAtt = static_cast<std::int16_t>(voiceType);
        settings.WxNodeCall = "November Zero Call";
    }
    ~ReportRig() { node.release(); }

    // Nothing may be left keyed after a report, whatever the document held.
    void requireUnkeyed() {
        require(!speech.pttHeld() && !node.link().isTransmitting(),
                "the transmitter is left keyed");
    }

    ScratchFolder dir;
    ProgramFolder folder;
    VirtualClock clock;
    VirtualEventLoop loop;
    Runtime rt;
    AirLog air;
    std::size_t airBytes = 0;
    SimNodeSystem nodes;
    QuietEvents events;
    Settings settings;
    FrontPanel panel;
    SharedState state;
    NodeAccess node;
    EventLog log;
    TimerTable timers;
    SpeechOutput speech;
    InstantWeb http;
    WebFetcher web;
    void sendStationId() override {}
    void buildGreeting() override { state.GreetingText = "Good afternoon."; }

    SpokenReports reports;
};

}  // namespace vox::fuzz
