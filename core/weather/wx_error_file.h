#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/local_time.h"
#include "core/base/program_folder.h"

namespace vox {

// "WxError.txt" in the program folder: the weather refresh's diagnostic records, appended. Once
// the file has passed kRotateBytes it becomes "WxError.old.txt" (replacing an older one) and a
// new file starts, so a node without Weather Exchange does not fill its disk.
class WxErrorFile {
public:
    static constexpr std::uintmax_t kRotateBytes = 1024 * 1024;

    explicit WxErrorFile(const ProgramFolder& folder) : folder_(folder) {}
    // Appends the lines, each ended by CR LF. False when the file could not be written.
    bool append(const std::vector<std::string>& lines) const;

private:
    const ProgramFolder& folder_;
};

// The records' lines.
inline constexpr const char* kWxBeginLine =
    "================= Beginning of Data ===============================";
inline constexpr const char* kWxCsvLine =
    "================= CSV Data ========================================";
inline constexpr const char* kWxRuleLine =
    "===================================================================";
inline constexpr const char* kWxEndLine =
    "================= End of Data =====================================";

// The date and time a record carries: "12/10/2026 3:05:09 PM".
std::string wxErrorStamp(const LocalTime& t);

// A dumped value is cut to this many bytes: a 1 MB token must not fill the file on every refresh.
inline constexpr std::size_t kMaxDumpedBytes = 256;
std::string dumpedValue(const std::string& value);

// A failure logged once for as long as it keeps failing the same way, and again after an hour.
class FailureLogLimiter {
public:
    static constexpr double kRepeatSeconds = 3600;
    // True when this failure should be logged now (monotonic seconds).
    bool shouldLog(const std::string& failure, double now);
    // The work succeeded: the next failure is logged whatever it is.
    void succeeded() { last_.clear(); }

private:
    std::string last_;
    double loggedAt_ = 0;
};

}  // namespace vox
