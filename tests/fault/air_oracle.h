#pragma once

#include <istream>
#include <string>

namespace vox {

struct OracleVerdict {
    bool ok = true;
    std::string why;  // the first broken rule, with the line number
    int transmissions = 0;
    int timeOuts = 0;
    double longestSeconds = 0;
};

// Reads a run's air log and checks what must hold after any run, whatever went wrong in it:
// every line is a record, PTT ends off, and no transmission lasts longer than the time-out (a
// release the node refused is asked again on each main-timer tick: `graceSeconds` allows for it).
OracleVerdict checkAirLog(std::istream& air, int maxTxSeconds, double graceSeconds);

// The settings file a run left behind is whole: it reads back without a fault.
bool settingsFileComplete(const std::string& path, std::string* why);

}  // namespace vox
