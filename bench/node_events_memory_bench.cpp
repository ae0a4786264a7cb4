// Memory of a station fed a long stream of node events (chat lines, connects, disconnects), in
// virtual time. Prints the resident set after a warm-up and after the whole stream: a station that
// keeps nothing per event shows the same figure twice.
//
//   node_events_memory_bench [LINES]   (default 100000 chat lines)
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "backends/sim/sim_node_system.h"
#include "core/base/air_log.h"
#include "core/base/air_logging_voice.h"
#include "core/base/virtual_time.h"
#include "core/sim/virtual_voice.h"
#include "core/station/station.h"

namespace {

using namespace vox;

struct QuietUi : UserInterface {
    void showMessage(MessageIcon, const std::string&, const std::string&) override {}
};

// VmRSS of this process, in kB.
long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const long lines = argc > 1 ? std::atol(argv[1]) : 100000;
    if (lines < 1000) {
        std::fprintf(stderr, "usage: %s [LINES >= 1000]\n", argv[0]);
        return 2;
    }
    std::string pattern =
        (std::filesystem::temp_directory_path() / "voxclock-memory-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string home = pattern;

    VirtualClock clock(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    AirLog air(clock);  // no sink: nothing is kept
    SimNodeSystem nodes(rt, ProgramConf{}, &air);
    QuietUi ui;
    StationPorts ports{
        rt,    ProgramFolder(home),
        nodes, ui,
        air,   [&]() -> std::unique_ptr<Voice> {
            return std::make_unique<VirtualVoice>(rt); }};
    Station station(std::move(ports));
    if (station.start() != Station::StartOutcome::Running) {
        std::fprintf(stderr, "the station did not start\n");
        return 1;
    }

    // A chat line of a typical length; every tenth line also a connect and a disconnect, and
    // ten lines per second of virtual time so the station's timers run between them.
    const std::string text(200, 'x');
    long sent = 0;
    auto feed = [&](long count) {
        for (long i = 0; i < count; ++i, ++sent) {
            nodes.handleLine("chat W1AW>" + std::to_string(sent) + " " + text);
            if (sent % 10 == 0) {
                const std::string call = "W" + std::to_string(sent % 1000) + "AW";
                nodes.handleLine("connect " + call);
                nodes.handleLine("disconnect " + call);
                rt.waitUntil(rt.now() + 1.0);
            }
        }
    };

    feed(1000);
    const long warm = residentKb();
    feed(lines - 1000);
    const long after = residentKb();
    station.shutdown();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);

    std::printf("resident after %8ld chat lines: %7ld kB\n", 1000L, warm);
    std::printf("resident after %8ld chat lines: %7ld kB (%+ld kB)\n", sent, after, after - warm);
    return 0;
}
