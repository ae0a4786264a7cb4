#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace vox {

class NodeSystem;
struct SharedState;

// A code as the setup dialog stores it: blanks trimmed at both ends, letters in upper case, so a
// typed "a" matches the "A" the node reports.
std::string normalizeDtmfCode(const std::string& typed);

// The codes of one of the node's lists ("name=code" items, comma-separated), in order. Items
// whose code is blank add nothing; an item without "=" is a code by itself.
std::vector<std::string> parseNodeDtmfCodes(const std::string& list);

// True when cmd is one of the node's own codes: both trimmed, equal to the second entry or a
// later one (the first entry is never compared).
bool isNodeDtmfCode(const std::string& cmd, const std::vector<std::string>& codes);

// Reads the node's own codes (both of its lists, in order) and its sound-file folder into the
// state, before each command and at start-up. A node that cannot tell leaves no codes, so
// nothing of ours is shadowed.
void refreshNodeDtmfCodes(NodeSystem& nodes, SharedState& state);

// The setup dialog's fields, in the order of their labels.
struct DtmfCodeField {
    const char* label;
    const char* box;
    std::string Settings::*code;
};
struct DtmfSwitchField {
    const char* caption;
    const char* box;
    std::int16_t Settings::*flag;
};
const std::vector<DtmfCodeField>& dtmfCodeFields();
const std::vector<DtmfSwitchField>& dtmfSwitchFields();

// The dialog's OK: codes normalized, switches 0 or 1.
struct DtmfSetupValues {
    std::vector<std::string> codes;  // in the order of dtmfCodeFields()
    std::vector<bool> switches;      // in the order of dtmfSwitchFields()
};
DtmfSetupValues loadDtmfSetup(const Settings& settings);
void saveDtmfSetup(const DtmfSetupValues& values, Settings& settings);

}  // namespace vox
