#pragma once

#include <cstdint>
#include <string>

#include "backends/sim/sim_node_system.h"
#include "core/base/runtime.h"

namespace vox {

// The people around the node for as long as the soak runs: a DTMF command every few minutes,
// each sent by a user keying the receiver, a chat line every few minutes, stations that connect,
// talk now and then and leave, the owner setting the node busy for a while, and a fresh station
// list every hour. Driven by one-shot calls on the runtime, from a fixed seed, so two runs do the
// same.
class SoakTraffic {
public:
    SoakTraffic(Runtime& rt, SimNodeSystem& nodes, std::uint32_t seed = 2463534242u);

    // Schedules the first event of each kind.
    void start();

    // Control lines sent, and those the node refused (a connect while it is switched off).
    std::uint64_t sent() const { return sent_; }
    std::uint64_t refused() const { return refused_; }
    void setVerbose(bool on) { verbose_ = on; }

private:
    void later(int seconds, void (SoakTraffic::*next)());
    void send(const std::string& line);
    // A whole number in [lo, hi].
    int between(int lo, int hi);

    void nextDtmf();
    void nextChat();
    void nextVisitor();
    void nextBusy();
    void nextStationList();

    Runtime& rt_;
    SimNodeSystem& nodes_;
    std::uint32_t state_;
    std::size_t dtmfIndex_ = 0;
    std::size_t chatIndex_ = 0;
    std::uint64_t sent_ = 0;
    std::uint64_t refused_ = 0;
    bool verbose_ = false;
};

}  // namespace vox
