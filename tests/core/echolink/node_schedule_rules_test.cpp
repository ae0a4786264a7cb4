// The remote-node setup dialog's rules, without widgets.
#include <gtest/gtest.h>

#include "core/echolink/node_schedule_rules.h"

namespace vox {
namespace {

constexpr std::array<bool, 7> kNoDays{};

TEST(NodeScheduleRules, DelayIsTheLeadingNumberRoundedAndAtLeastTen) {
    const struct {
        const char* typed;
        std::int32_t stored;
    } cases[] = {
        {"3", 10},     {"", 10},      {"abc", 10},
        {"9.4", 10},   {"9.5", 10},   {"10", 10},
        {"45", 45},    {"  45", 45},  {"45s", 45},
        {"12.5", 13},  {"12.49", 12}, {"-30", 10},
        {"+30", 30},   {".", 10},     {"x45", 10},
        {"30 40", 30}, {"007", 10},   {"99999999999", 2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(delayFromText(c.typed), c.stored) << '"' << c.typed << '"';
}

TEST(NodeScheduleRules, DayRuleWhileTheOwnerTicks) {
    NodeScheduleRow row;
    row.daily = true;

    setDay(row, 1, true);  // Tue
    EXPECT_FALSE(row.daily);
    EXPECT_TRUE(row.days[1]);

    setDay(row, 6, true);  // Sun
    setDay(row, 1, false);
    EXPECT_FALSE(row.daily) << "Sun is still ticked";

    setDay(row, 6, false);
    EXPECT_TRUE(row.daily) << "no day left: Daily";
    EXPECT_EQ(row.days, kNoDays);

    setDay(row, 0, true);
    setDay(row, 4, true);
    setDaily(row, true);
    EXPECT_TRUE(row.daily);
    EXPECT_EQ(row.days, kNoDays) << "Daily clears the days";

    setDaily(row, false);
    EXPECT_TRUE(row.daily) << "a row with no day stays Daily";

    setDay(row, 7, true);  // no such day: nothing changes
    setDay(row, -1, true);
    EXPECT_TRUE(row.daily);
    EXPECT_EQ(row.days, kNoDays);
}

TEST(NodeScheduleRules, LoadShowsTheEntryAndAppliesTheDayRule) {
    RemoteNode n;
    n.Node = "W1AW-L";
    n.Auto = 1;
    n.Slot1Start = "22:00";
    n.Slot1Stop = "06:00";
    n.Slot3Start = "7pm";
    n.Delay = 25;
    n.Mon = 1;
    n.Sat = 1;
    n.Dtmf = "12#";
    NodeScheduleRow row = loadNodeScheduleRow(n);
    EXPECT_EQ(row.node, "W1AW-L");
    EXPECT_TRUE(row.autoConnect);
    EXPECT_EQ(row.times, (std::array<std::string, 6>{"22:00", "06:00", "", "", "7pm", ""}));
    EXPECT_EQ(row.delay, "25");
    EXPECT_FALSE(row.daily);
    EXPECT_EQ(row.days, (std::array<bool, 7>{true, false, false, false, false, true, false}));
    EXPECT_EQ(row.dtmf, "12#");

    // Daily with days as well runs every day; the days go so the row says what happens.
    n.Daily = 1;
    row = loadNodeScheduleRow(n);
    EXPECT_TRUE(row.daily);
    EXPECT_EQ(row.days, kNoDays);

    // Neither Daily nor a day.
    row = loadNodeScheduleRow(RemoteNode{});
    EXPECT_TRUE(row.daily);
    EXPECT_EQ(row.delay, "0");
}

TEST(NodeScheduleRules, SaveStoresWhatOkStores) {
    NodeScheduleRow row;
    row.node = " w1aw-l ";
    row.autoConnect = true;
    row.times = {"8:00", "09:00 ", "", "", "late", "never"};
    row.delay = "3";
    row.days = {false, true, false, false, false, false, true};  // Tue, Sun
    row.dtmf = "  4711# ";
    const RemoteNode n = saveNodeScheduleRow(row);
    EXPECT_EQ(n.Node, " W1AW-L ") << "upper-cased, not trimmed";
    EXPECT_EQ(n.Auto, 1);
    EXPECT_EQ(n.Slot1Start, "8:00") << "times as typed";
    EXPECT_EQ(n.Slot1Stop, "09:00 ");
    EXPECT_EQ(n.Slot3Start, "late");
    EXPECT_EQ(n.Slot3Stop, "never");
    EXPECT_EQ(n.Delay, 10);
    EXPECT_EQ(n.Daily, 0);
    EXPECT_EQ(n.Tue, 1);
    EXPECT_EQ(n.Sun, 1);
    EXPECT_EQ(n.Mon + n.Wed + n.Thu + n.Fri + n.Sat, 0);
    EXPECT_EQ(n.Dtmf, "4711#");

    // A row that somehow has no day and no Daily is stored as Daily.
    NodeScheduleRow bare;
    EXPECT_EQ(saveNodeScheduleRow(bare).Daily, 1);
}

TEST(NodeScheduleRules, LoadThenSaveKeepsAWellFormedEntry) {
    RemoteNode n;
    n.Node = "K1ABC-R";
    n.Auto = 1;
    n.Slot1Start = "19:00";
    n.Slot1Stop = "21:00";
    n.Slot2Start = "23:00";
    n.Slot2Stop = "01:00";
    n.Delay = 15;
    n.Wed = 1;
    n.Dtmf = "3#";
    EXPECT_EQ(saveNodeScheduleRow(loadNodeScheduleRow(n)), n);
}

}  // namespace
}  // namespace vox
