// Control commands: each line of the input is one line from stdin or the control socket. Every
// line is parsed on its own and then carried out on a simulated node, as the node program does.
#include "backends/sim/sim_node_system.h"
#include "core/base/node_capabilities.h"
#include "core/base/virtual_time.h"
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
    const std::string text = fuzz::textOf(data, size);
    VirtualClock clock({2026, 12, 10, 12, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    ProgramConf conf;
    conf.connectDelayMs = 0;
    SimNodeSystem nodes(rt, conf);
    IgnoredEvents events;
    const std::unique_ptr<NodeLink> link = nodes.createNode(events);

    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        std::string error;
        const auto command = parseControlCommand(line, &error);
        fuzz::require(!command || error.empty(), "a command comes without an error");
        fuzz::require(error.empty() || error.rfind("error: ", 0) == 0, "errors say so");
        fuzz::require(error.find('\n') == std::string::npos, "an answer is one line");
        const std::string answer = nodes.handleLine(line);
        fuzz::require(answer.find('\n') == std::string::npos, "an answer is one line");
        try {
            // What the station asks a node after the outside world acted on it.
            (void)link->connectedCount();
            (void)link->isReceiving();
            (void)stationListXml(*link);
        } catch (const NodeError&) {
            // A "fail" command at work.
        }
        rt.waitUntil(rt.now() + 0.1);
        start = end + 1;
    }
    return 0;
}
