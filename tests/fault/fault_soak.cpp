// Randomized fault injection: each seed builds a dry run that mixes a station's activity with
// node, voice and file faults, runs `voxclock simulate` on it and checks the air log and the
// settings file it leaves. Prints the seed of every failing run, so it can be replayed with
// --seeds SEED --keep.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "backends/sim/virtual_voice.h"
#include "core/base/local_time.h"
#include "tests/fault/air_oracle.h"
#include "tests/fault/fault_plan.h"

namespace fs = std::filesystem;
using namespace vox;

namespace {

struct Options {
    std::string voxclock;
    std::string data;
    std::vector<std::uint64_t> seeds;
    bool keep = false;
    int hangSeconds = 300;
};

void usage() {
    std::cerr << "usage: fault_soak --voxclock BINARY --data TESTDATA (--seeds A[-B],... | "
                 "--random N) [--keep] [--hang-seconds S]\n";
}

bool parseSeeds(const std::string& text, std::vector<std::uint64_t>* out) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        const std::string item = text.substr(start, comma - start);
        const std::size_t dash = item.find('-');
        try {
            const std::uint64_t a = std::stoull(item.substr(0, dash));
            const std::uint64_t b =
                dash == std::string::npos ? a : std::stoull(item.substr(dash + 1));
            for (std::uint64_t s = a; s <= b; ++s)
                out->push_back(s);
        } catch (...) {
            return false;
        }
        start = comma + 1;
    }
    return !out->empty();
}

std::string quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

bool writeFile(const fs::path& path, const std::string& text) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

// Empty when the run passed, else why it failed.
std::string runSeed(const Options& o, std::uint64_t seed, const fs::path& base) {
    const fs::path dir = base / ("seed-" + std::to_string(seed));
    fs::remove_all(dir);
    const fs::path home = dir / "home";
    const fs::path work = dir / "work";
    const FaultPlan plan = makeFaultPlan(seed, work.string());
    const auto copy = [&](const std::string& from, const std::string& to) {
        fs::create_directories((home / to).parent_path());
        fs::copy(fs::path(o.data) / from, home / to, fs::copy_options::recursive);
    };
    copy("simulate/home/wav", "wav");
    copy("weather/wxex", "wxex");
    copy("wwv/wwv.txt", "wwv_source.txt");
    for (const auto& [relative, text] : plan.files)
        if (!writeFile(home / relative, text))
            return "cannot write " + relative;
    if (!writeFile(dir / "run.events", plan.events))
        return "cannot write the events file";

    const std::string command =
        "timeout -s KILL " + std::to_string(o.hangSeconds) + " " + quoted(o.voxclock) +
        " simulate --home " + quoted(home.string()) + " --workdir " + quoted(work.string()) +
        " --from " + quoted(plan.from) + " --to " + quoted(plan.to) + " --events " +
        quoted((dir / "run.events").string()) + " > " + quoted((dir / "air.jsonl").string()) +
        " 2> " + quoted((dir / "stderr.txt").string());
    const int status = std::system(command.c_str());
    if (status == -1 || !WIFEXITED(status))
        return "the program did not end normally";
    if (WEXITSTATUS(status) == 137 || WEXITSTATUS(status) == 124)
        return "the program hung (killed after " + std::to_string(o.hangSeconds) + " s)";
    if (WEXITSTATUS(status) != 0)
        return "the program exited " + std::to_string(WEXITSTATUS(status));

    // A voice fault given before start-up has made the voice is refused ("there is no voice"):
    // the voice never had it.
    std::vector<VoiceFault> voiceFaults = plan.voiceFaults;
    std::ifstream err(dir / "stderr.txt");
    std::vector<std::string> eventLines;
    std::istringstream events(plan.events);
    for (std::string line; std::getline(events, line);)
        eventLines.push_back(line);
    for (std::string line; std::getline(err, line);) {
        unsigned number = 0;
        if (std::sscanf(line.c_str(), "events file line %u: error: there is no voice", &number) !=
                1 ||
            line.find("there is no voice") == std::string::npos || number == 0 ||
            number > eventLines.size())
            continue;
        const auto when = parseDateTime(eventLines[number - 1].substr(0, 19));
        if (when)
            std::erase_if(voiceFaults,
                          [&](const VoiceFault& f) { return f.atMs == toCalendarMs(*when); });
    }
    std::ifstream air(dir / "air.jsonl");
    // A release the node refuses is asked again each half second; fail SetPtt asks up to 4 times.
    // Keyed silence: the transmit delay at either end, and a little for the node's answers.
    // A file garbled during the run played as it was then: before or after the garbling, so the
    // longer of the two is taken (a silence is never blamed on a file we cannot see as played).
    SilenceRule silence{plan.txDelaySeconds + 3.0,
                        [&home, &work](const std::string& file) {
                            if (fs::path(file).is_absolute())
                                return VirtualVoice::fileSeconds(file);
                            return std::max(VirtualVoice::fileSeconds((home / file).string()),
                                            VirtualVoice::fileSeconds((work / file).string()));
                        },
                        voiceFaults};
    const OracleVerdict verdict = checkAirLog(air, plan.maxTxSeconds, 2.5, &silence);
    if (!verdict.ok)
        return verdict.why;
    std::string why;
    if (!settingsFileComplete((work / "voxclock.ini").string(), &why))
        return why;
    if (!o.keep)
        fs::remove_all(dir);
    std::cout << "seed " << seed << ": ok (" << plan.from << " to " << plan.to.substr(11) << ", "
              << verdict.transmissions << " transmissions, " << verdict.timeOuts
              << " time-outs, longest " << verdict.longestSeconds << " s, longest keyed silence "
              << verdict.longestSilenceSeconds << " s)" << std::endl;
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    int random = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--voxclock" && hasValue) {
            o.voxclock = argv[++i];
        } else if (arg == "--data" && hasValue) {
            o.data = argv[++i];
        } else if (arg == "--seeds" && hasValue) {
            if (!parseSeeds(argv[++i], &o.seeds)) {
                usage();
                return 2;
            }
        } else if (arg == "--random" && hasValue) {
            random = std::atoi(argv[++i]);
        } else if (arg == "--hang-seconds" && hasValue) {
            o.hangSeconds = std::atoi(argv[++i]);
        } else if (arg == "--keep") {
            o.keep = true;
        } else {
            usage();
            return 2;
        }
    }
    if (random > 0) {
        std::random_device device;
        for (int i = 0; i < random; ++i)
            o.seeds.push_back((static_cast<std::uint64_t>(device()) << 32) | device());
    }
    if (o.voxclock.empty() || o.data.empty() || o.seeds.empty()) {
        usage();
        return 2;
    }
    char pattern[] = "/tmp/voxclock-faults-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made) {
        std::cerr << "fault_soak: cannot create a scratch folder\n";
        return 2;
    }
    const fs::path base = made;
    std::vector<std::uint64_t> failed;
    for (const std::uint64_t seed : o.seeds) {
        std::string why;
        try {
            why = runSeed(o, seed, base);
        } catch (const std::exception& e) {
            why = std::string("the run could not be set up: ") + e.what();
        }
        if (!why.empty()) {
            failed.push_back(seed);
            std::cout << "seed " << seed << ": FAILED: " << why << " (kept in " << base.string()
                      << "/seed-" << seed << ")" << std::endl;
        }
    }
    std::cout << o.seeds.size() - failed.size() << " of " << o.seeds.size() << " runs passed\n";
    if (failed.empty() && !o.keep)
        fs::remove_all(base);
    if (!failed.empty()) {
        std::cout << "replay: fault_soak --voxclock BINARY --data TESTDATA --keep --seeds ";
        for (std::size_t i = 0; i < failed.size(); ++i)
            std::cout << (i ? "," : "") << failed[i];
        std::cout << "\n";
    }
    return failed.empty() ? 0 : 1;
}
