#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/settings/settings.h"

namespace vox {

// One row of the remote-node setup dialog as the owner sees and types it.
struct NodeScheduleRow {
    std::string node;
    bool autoConnect = false;
    // Start 1, Stop 1, Start 2, Stop 2, Start 3, Stop 3.
    std::array<std::string, 6> times;
    std::string delay;
    bool daily = false;
    std::array<bool, 7> days{};  // Mon .. Sun, the dialog's order
    std::string dtmf;

    bool operator==(const NodeScheduleRow&) const = default;
};

// A row filled from its entry: Delay as decimal text, then the day rule.
NodeScheduleRow loadNodeScheduleRow(const RemoteNode& node);
// What OK stores: the call upper-cased (not trimmed), the times as typed, Delay by
// delayFromText, DTMF trimmed; a row without any day is stored as Daily.
RemoteNode saveNodeScheduleRow(const NodeScheduleRow& row);

// The day rule. Ticking Daily clears the seven days; ticking a day clears Daily; a row left
// without any day is Daily.
void setDaily(NodeScheduleRow& row, bool on);
void setDay(NodeScheduleRow& row, int day, bool on);  // day 0 = Mon .. 6 = Sun

// The seconds to wait after a connect try: the number the text starts with, rounded; below 10
// (an empty text, or one that does not start with a number) it is 10.
std::int32_t delayFromText(const std::string& text);

}  // namespace vox
