#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

namespace vox {

struct OracleVerdict {
    bool ok = true;
    std::string why;  // the first broken rule, with the line number
    int transmissions = 0;
    int timeOuts = 0;
    double longestSeconds = 0;
    double longestSilenceSeconds = 0;  // keyed with the voice quiet (when checked)
};

// A fault the run's events file put on the voice, as `voice fail|stall|hang` does: it acts on the
// next texts or files handed over from `atMs` (local calendar milliseconds) on.
struct VoiceFault {
    enum class Kind { Fail, Stall, Hang };
    std::int64_t atMs = 0;
    Kind kind = Kind::Fail;
    int amount = 0;  // texts that fail, or seconds of stall
};

// The dead-carrier rule: no keyed span holds silence (no `speak` or `play` sounding) for longer
// than `limitSeconds`. How long a text sounds is the dry run's own voice model; a file's length
// comes from `fileSeconds` (its logged name); the faults make the voice fail, stall or hang as
// the run did.
struct SilenceRule {
    double limitSeconds = 0;
    std::function<double(const std::string& file)> fileSeconds;
    std::vector<VoiceFault> voiceFaults;
};

// Reads a run's air log and checks what must hold after any run, whatever went wrong in it:
// every line is a record, PTT ends off, and no transmission lasts longer than the time-out (a
// release the node refused is asked again on each main-timer tick: `graceSeconds` allows for it).
// With a silence rule, keyed silence is checked too.
OracleVerdict checkAirLog(std::istream& air, int maxTxSeconds, double graceSeconds,
                          const SilenceRule* silence = nullptr);

// The settings file a run left behind is whole: it reads back without a fault.
bool settingsFileComplete(const std::string& path, std::string* why);

}  // namespace vox
