#include "core/echolink/node_schedule_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/base/text_helpers.h"

namespace vox {
namespace {

constexpr std::int32_t kMinDelay = 10;

bool blank(char c) {
    return c == ' ' || c == '\t';
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

bool anyDay(const NodeScheduleRow& row) {
    return std::any_of(row.days.begin(), row.days.end(), [](bool d) { return d; });
}

std::int16_t flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

NodeScheduleRow loadNodeScheduleRow(const RemoteNode& n) {
    NodeScheduleRow row;
    row.node = n.Node;
    row.autoConnect = n.Auto == 1;
    row.times = {n.Slot1Start, n.Slot1Stop, n.Slot2Start, n.Slot2Stop, n.Slot3Start, n.Slot3Stop};
    row.delay = std::to_string(n.Delay);
    row.days = {n.Mon == 1, n.Tue == 1, n.Wed == 1, n.Thu == 1, n.Fri == 1, n.Sat == 1, n.Sun == 1};
    row.dtmf = n.Dtmf;
    // Daily wins over stored days: that is what the schedule does with such an entry.
    if (n.Daily == 1)
        setDaily(row, true);
    else if (!anyDay(row))
        row.daily = true;
    return row;
}

RemoteNode saveNodeScheduleRow(const NodeScheduleRow& row) {
    RemoteNode n;
    n.Node = UpperAscii(row.node);
    n.Auto = flag(row.autoConnect);
    n.Slot1Start = row.times[0];
    n.Slot1Stop = row.times[1];
    n.Slot2Start = row.times[2];
    n.Slot2Stop = row.times[3];
    n.Slot3Start = row.times[4];
    n.Slot3Stop = row.times[5];
    n.Delay = delayFromText(row.delay);
    n.Daily = flag(row.daily || !anyDay(row));
    n.Mon = flag(row.days[0]);
    n.Tue = flag(row.days[1]);
    n.Wed = flag(row.days[2]);
    n.Thu = flag(row.days[3]);
    n.Fri = flag(row.days[4]);
    n.Sat = flag(row.days[5]);
    n.Sun = flag(row.days[6]);
    n.Dtmf = TrimSpacesAndTabs(row.dtmf);
    return n;
}

void setDaily(NodeScheduleRow& row, bool on) {
    if (on)
        row.days.fill(false);
    // Unticking Daily with no day ticked would leave a row that never applies.
    row.daily = on || !anyDay(row);
}

void setDay(NodeScheduleRow& row, int day, bool on) {
    if (day < 0 || day >= static_cast<int>(row.days.size()))
        return;
    row.days[static_cast<std::size_t>(day)] = on;
    if (on)
        row.daily = false;
    if (!anyDay(row))
        row.daily = true;
}

std::int32_t delayFromText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    double value = 0;
    bool seen = false;
    for (; i < text.size() && digit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        seen = true;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && digit(text[i]); ++i, scale /= 10) {
            value += (text[i] - '0') * scale;
            seen = true;
        }
    }
    if (!seen || negative)
        return kMinDelay;
    const double rounded = std::round(value);
    if (rounded < kMinDelay)
        return kMinDelay;
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    return rounded >= kMax ? kMax : static_cast<std::int32_t>(rounded);
}

}  // namespace vox
