// A dry run's events file: parsed from the start of the run, then played on a simulated node at
// the moments it names, as the dry run plays it.
#include "backends/sim/sim_node_system.h"
#include "core/base/virtual_time.h"
#include "core/sim/events_file.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

namespace {

struct IgnoredEvents : NodeEvents {
    void onConnected(const std::string&, const std::string&, const std::string&) override {}
    void onDisconnected(const std::string&) override {}
    void onChatTextReceived(const std::string&) override {}
    void onStationListReceived() override {}
    void onDtmfString(const std::string&) override {}
    void onClosing() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LocalTime from{2026, 12, 10, 11, 59, 0, 0};
    std::vector<TimedCommand> events;
    std::string error;
    if (!parseEventsFile(fuzz::textOf(data, size), from, &events, &error)) {
        fuzz::require(error.rfind("events file line ", 0) == 0, "a refusal names its line");
        fuzz::require(events.empty(), "a refused file gives no events");
        return 0;
    }
    fuzz::require(error.empty(), "no reason for a file that was read");

    VirtualClock clock(from);
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    ProgramConf conf;
    conf.connectDelayMs = 0;
    SimNodeSystem nodes(rt, conf);
    IgnoredEvents sink;
    const std::unique_ptr<NodeLink> link = nodes.createNode(sink);

    const std::int64_t startMs = toCalendarMs(from);
    const double origin = rt.now();
    double last = origin;
    std::int64_t previous = startMs;
    for (const TimedCommand& event : events) {
        const std::int64_t at = toCalendarMs(event.when);
        fuzz::require(at >= previous, "events come in the order of their times");
        previous = at;
        last = origin + static_cast<double>(at - startMs) / 1000.0;
        rt.callAt(last, [&nodes, command = event.command] { nodes.execute(command, nullptr); });
    }
    rt.waitUntil(last + 1);
    return 0;
}
