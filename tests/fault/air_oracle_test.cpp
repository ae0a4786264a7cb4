#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/base/local_time.h"
#include "tests/fault/air_oracle.h"
#include "tests/fault/fault_plan.h"
#include "tests/support/temp_folder.h"

namespace vox {
namespace {

OracleVerdict check(const std::string& name, int maxTx = 180) {
    std::ifstream in(std::string(VOXCLOCK_TEST_DATA) + "/fault/" + name);
    EXPECT_TRUE(in) << name;
    return checkAirLog(in, maxTx, 0.5);
}

TEST(AirOracle, FindsEachBrokenRule) {
    const struct {
        const char* file;
        int maxTx;
        bool ok;
        const char* why;
    } cases[] = {
        // Keying again while keyed counts from the first keying.
        {"good.jsonl", 180, true, ""},
        {"left_on.jsonl", 180, false, "air log line 2: the run ended with PTT on"},
        // Across midnight: 183 s.
        {"too_long.jsonl", 180, false, "air log line 2: PTT was on for 183.000000 s"},
        {"too_long.jsonl", 0, true, ""},
        {"torn.jsonl", 180, false, "air log line 2: not a record: {\"t\":\"2026-12-10T12:00:0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const OracleVerdict v = check(c.file, c.maxTx);
        EXPECT_EQ(v.ok, c.ok);
        EXPECT_EQ(v.why, c.why);
    }
    const OracleVerdict good = check("good.jsonl");
    EXPECT_EQ(good.transmissions, 1);
    EXPECT_EQ(good.timeOuts, 1);
    EXPECT_DOUBLE_EQ(good.longestSeconds, 180.0);
}

// Keyed silence: from keying, or from the end of what the voice was handed, to the next record
// while keyed and to the unkeying. Texts last 60 ms a character; faults on the voice count.
TEST(AirOracle, FindsADeadCarrier) {
    const auto rec = [](int second, int ms, const std::string& rest) {
        char t[32];
        std::snprintf(t, sizeof t, "2026-12-10T12:00:%02d.%03d", second, ms);
        return std::string("{\"t\":\"") + t + "\"," + rest + "}\n";
    };
    const std::string on = R"("ev":"ptt","on":true)";
    const std::string off = R"("ev":"ptt","on":false)";
    // 50 characters: 3 s.
    const std::string speak = R"("ev":"speak","text":")" + std::string(50, 'a') + "\"";
    const std::int64_t noon = toCalendarMs(LocalTime{2026, 12, 10, 12, 0, 0, 0});
    const struct {
        const char* what;
        std::string air;
        std::vector<VoiceFault> faults;
        bool ok;
        double longest;
    } cases[] = {
        {"spoken at once", rec(0, 0, on) + rec(1, 0, speak) + rec(5, 0, off), {}, true, 1.0},
        {"keyed with nothing to say", rec(0, 0, on) + rec(9, 0, off), {}, false, 9.0},
        {"silence after the text",
         rec(0, 0, on) + rec(0, 500, speak) + rec(9, 0, off),
         {},
         false,
         5.5},
        {"a hanging voice sounds until it is purged",
         rec(0, 0, on) + rec(0, 500, speak) + rec(30, 0, R"("ev":"purge")") + rec(30, 0, off),
         {{noon, VoiceFault::Kind::Hang, 0}},
         true,
         0.5},
        {"a stall lengthens the next text",
         rec(0, 0, on) + rec(0, 500, speak) + rec(12, 0, off),
         {{noon, VoiceFault::Kind::Stall, 9}},
         true,
         0.5},
        {"a failed text does not sound",
         rec(0, 0, on) + rec(0, 500, speak) + rec(9, 0, off),
         {{noon, VoiceFault::Kind::Fail, 1}},
         false,
         9.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::istringstream air(c.air);
        const SilenceRule rule{4.0, {}, c.faults};
        const OracleVerdict v = checkAirLog(air, 180, 0, &rule);
        EXPECT_EQ(v.ok, c.ok) << v.why;
        EXPECT_DOUBLE_EQ(v.longestSilenceSeconds, c.longest);
    }
}

TEST(AirOracle, ASettingsFileCutShortIsNotComplete) {
    std::string why;
    const std::string dir = std::string(VOXCLOCK_TEST_DATA) + "/settings/";
    EXPECT_FALSE(settingsFileComplete(dir + "no-such-file.ini", &why));
    EXPECT_NE(why.find("no settings file"), std::string::npos);
    EXPECT_TRUE(settingsFileComplete(dir + "golden.ini", &why)) << why;

    const std::string whole = readFile(dir + "golden.ini");
    TempFolder temp;
    const std::string cut = temp.file("cut.ini");
    writeFile(cut, whole.substr(0, whole.size() / 2));
    EXPECT_FALSE(settingsFileComplete(cut, &why));
}

// A seed is a replayable run: the same seed gives the same plan, another seed another one.
TEST(FaultPlan, ASeedAlwaysGivesTheSameRun) {
    const FaultPlan a = makeFaultPlan(7, "/w");
    const FaultPlan b = makeFaultPlan(7, "/w");
    const FaultPlan c = makeFaultPlan(8, "/w");
    EXPECT_EQ(a.events, b.events);
    EXPECT_EQ(a.files, b.files);
    EXPECT_NE(a.events, c.events);
    for (const char* kind : {"dtmf ", "fail ", "voice ", "file ", "chat ", "rx on"})
        EXPECT_NE(
            a.events.find(kind) == std::string::npos && c.events.find(kind) == std::string::npos,
            true)
            << kind;
}

}  // namespace
}  // namespace vox
