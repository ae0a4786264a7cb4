// Thirty days of the whole station in virtual time, every feature on and people around the node:
// prints the CPU time, the memory and the open files of day 1 and of the last day, and fails
// when any of them grew.
//   soak [--days N] [--verbose] [--air-log FILE] [--keep]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "backends/sim/sim_node_system.h"
#include "bench/soak_air_tally.h"
#include "bench/soak_folder.h"
#include "bench/soak_traffic.h"
#include "core/base/air_logging_voice.h"
#include "core/base/virtual_time.h"
#include "core/parts/console_message_boxes.h"
#include "core/sim/virtual_voice.h"
#include "core/station/station.h"

namespace {

using namespace vox;

// What the last day may cost more than the first before the soak fails.
constexpr double kCpuGrowthAllowed = 0.20;
constexpr long kRssGrowthAllowedKb = 1024;
constexpr double kDaySeconds = 86400;

struct Options {
    int days = 30;
    bool verbose = false;
    bool keep = false;
    std::string airLog;
};

bool parseOptions(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--days" && i + 1 < argc) {
            char* end = nullptr;
            const long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 2 || n > 3650)
                return false;
            o->days = static_cast<int>(n);
        } else if (a == "--verbose") {
            o->verbose = true;
        } else if (a == "--keep") {
            o->keep = true;
        } else if (a == "--air-log" && i + 1 < argc) {
            o->airLog = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

double cpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

long peakRssKb() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

long rssKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

int openFiles() {
    std::error_code ec;
    int n = 0;
    for (auto it = std::filesystem::directory_iterator("/proc/self/fd", ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        ++n;
    return n;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What a simulated day cost and did.
struct Day {
    double cpu = 0;
    long rssKb = 0;
    int fds = 0;
    std::uint64_t airLines = 0;
    SoakAirTally::Counts counts{};
    bool weatherRenewed = false;
};

void printDay(int n, const Day& d) {
    std::printf("day %2d: %.3f s CPU, RSS %ld kB, %d open files, %llu air-log lines\n", n, d.cpu,
                d.rssKb, d.fds, static_cast<unsigned long long>(d.airLines));
}

double median3(double a, double b, double c) {
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// A figure of the first and of the last day, each the median of three days when there are six
// or more: a spike of a busy machine, or the heap the start-up left, is not growth.
template <typename T>
std::pair<double, double> ends(const std::vector<Day>& days, T Day::*figure) {
    const std::size_t n = days.size();
    const auto at = [&](std::size_t i) { return static_cast<double>(days[i].*figure); };
    if (n < 6)
        return {at(0), at(n - 1)};
    return {median3(at(0), at(1), at(2)), median3(at(n - 3), at(n - 2), at(n - 1))};
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: soak [--days N (2 or more)] [--verbose] [--air-log FILE] "
                     "[--keep]\n");
        return 2;
    }
    SoakFolder scratch;
    SoakAirTally tally;
    std::string error;
    if (!scratch.prepare(VOXCLOCK_SOAK_DATA, &error) || !tally.open(options.airLog, &error)) {
        std::fprintf(stderr, "soak: %s\n", error.c_str());
        return 2;
    }
    if (options.keep) {
        scratch.keep();
        std::printf("program folder: %s\n", scratch.home().c_str());
    }

    // A Monday at midnight, so each simulated day is a calendar day.
    VirtualClock clock(LocalTime{2026, 11, 30, 0, 0, 0, 0});
    VirtualEventLoop loop(clock);
    Runtime rt(clock, loop);
    AirLog air(clock);
    air.setSink([&tally](const std::string& line) { tally.take(line); });
    ProgramConf conf;
    conf.callsign = "K1VXC-L";  // a node that exports the station list
    SimNodeSystem nodes(rt, conf, &air);
    ConsoleMessageBoxes ui(std::cerr);
    const ProgramFolder folder(scratch.home());
    StationPorts ports{rt, folder, nodes, ui, air, [&]() -> std::unique_ptr<Voice> {
                           return std::make_unique<LoggedVoice>(std::make_unique<VirtualVoice>(rt),
                                                                air, folder.root());
                       }};
    ports.cwid = conf.cwid;
    ports.maxTxSeconds = conf.maxTxSeconds;
    Station station(std::move(ports));
    ui.setEventLog(&station.eventLog());
    SoakTraffic traffic(rt, nodes);
    traffic.setVerbose(options.verbose);

    // The weather refresh renews wx.txt: a marker left in it at the end of a day is gone by the
    // end of the next one when the refresh still works.
    const std::string wxText = folder.findCaseInsensitive("\\wx.txt");
    constexpr const char* kStale = "left by the soak";
    const auto markWeather = [&] {
        std::ofstream(wxText, std::ios::binary | std::ios::trunc) << kStale;
    };

    std::vector<Day> days;
    double cpuMark = 0;
    std::uint64_t linesMark = 0;
    SoakAirTally::Counts countsMark{};
    const double origin = rt.now();
    const auto wallStart = std::chrono::steady_clock::now();
    for (int n = 1; n <= options.days; ++n) {
        rt.callAt(origin + n * kDaySeconds, [&, n] {
            Day d;
            const double cpu = cpuSeconds();
            d.cpu = cpu - cpuMark;
            d.rssKb = rssKb();
            d.fds = openFiles();
            d.weatherRenewed = readFile(wxText) != kStale;
            markWeather();
            d.airLines = tally.lines() - linesMark;
            for (std::size_t k = 0; k < d.counts.size(); ++k)
                d.counts[k] = tally.counts()[k] - countsMark[k];
            cpuMark = cpu;
            linesMark = tally.lines();
            countsMark = tally.counts();
            days.push_back(d);
            if (options.verbose)
                printDay(n, d);
            if (n == options.days)
                rt.requestQuit();
        });
    }
    const int status = runStation(station, [&] {
        // Day 1 is counted from here: start-up is not a day's work.
        cpuMark = cpuSeconds();
        markWeather();
        traffic.start();
    });
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    if (status != 0 || static_cast<int>(days.size()) != options.days) {
        std::fprintf(stderr, "soak: the station ended after %zu of %d days (status %d)\n",
                     days.size(), options.days, status);
        return 1;
    }

    const Day& first = days.front();
    const Day& last = days.back();
    if (!options.verbose) {
        printDay(1, first);
        printDay(options.days, last);
    }
    const std::string lastName = "day " + std::to_string(options.days);
    std::printf("%-20s %8s %8s\n", "per day", "day 1", lastName.c_str());
    for (int k = 0; k < SoakAirTally::kKinds; ++k)
        std::printf("%-20s %8llu %8llu\n", SoakAirTally::label(k),
                    static_cast<unsigned long long>(first.counts[static_cast<std::size_t>(k)]),
                    static_cast<unsigned long long>(last.counts[static_cast<std::size_t>(k)]));
    std::printf("%-20s %8s %8s\n", "weather renewed", first.weatherRenewed ? "yes" : "no",
                last.weatherRenewed ? "yes" : "no");
    std::printf("peak RSS %ld kB; %d days in %.1f s wall; %llu control lines, %llu refused\n",
                peakRssKb(), options.days, wall, static_cast<unsigned long long>(traffic.sent()),
                static_cast<unsigned long long>(traffic.refused()));

    const auto [cpuFirst, cpuLast] = ends(days, &Day::cpu);
    const auto [rssFirst, rssLast] = ends(days, &Day::rssKb);
    const bool cpuOk = cpuLast <= cpuFirst * (1 + kCpuGrowthAllowed);
    const long rssGrowth = std::lround(rssLast - rssFirst);
    const bool rssOk = rssGrowth <= kRssGrowthAllowedKb;
    const bool fdsOk = last.fds <= first.fds;
    // Whatever acted on day 1 still acts on the last day.
    std::string stopped;
    for (int k = 0; k < SoakAirTally::kKinds; ++k)
        if (first.counts[static_cast<std::size_t>(k)] > 0 &&
            last.counts[static_cast<std::size_t>(k)] == 0)
            stopped += std::string(stopped.empty() ? "" : ", ") + SoakAirTally::label(k);
    if (first.weatherRenewed && !last.weatherRenewed)
        stopped += std::string(stopped.empty() ? "" : ", ") + "weather refresh";
    const bool ok = cpuOk && rssOk && fdsOk && stopped.empty();
    std::printf(
        "%s: %s vs day 1%s: CPU %.3f s vs %.3f s (%+.0f %%, %s), RSS %+ld kB (%s), "
        "open files %d vs %d%s%s\n",
        ok ? "PASS" : "FAIL", lastName.c_str(), days.size() >= 6 ? " (medians of three days)" : "",
        cpuLast, cpuFirst, cpuFirst > 0 ? (cpuLast / cpuFirst - 1) * 100 : 0.0,
        cpuOk ? "within 20 %" : "grew beyond 20 %", rssGrowth,
        rssOk ? "within 1 MB" : "grew beyond 1 MB", last.fds, first.fds,
        stopped.empty() ? "" : "; stopped: ", stopped.c_str());
    return ok ? 0 : 1;
}
