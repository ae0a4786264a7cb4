#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/base/clock.h"
#include "core/base/program_folder.h"

namespace vox {

// At most this much of the event log is kept in the log itself: the line that would take it
// further first moves it to "VoxclockLog.old.txt" (replacing the one there).
constexpr std::uint64_t kEventLogMaxBytes = 4 * 1024 * 1024;

// The owner's diary of node events, "VoxclockLog.txt" in the program folder: one line
// "mm/dd/yy hh:mm:ss text" per event, ended by CR LF. The file is opened and closed per event so
// the owner can view or delete it at any time; a spelling of the name in another letter case on
// disk is the same file. A log left running for months stays within twice maxBytes on disk:
// the current log and one older copy, still a ".txt" any text viewer opens.
class EventLog {
public:
    EventLog(const ProgramFolder& folder, const Clock& clock,
             std::uint64_t maxBytes = kEventLogMaxBytes)
        : folder_(folder), clock_(clock), maxBytes_(maxBytes) {}

    // Appends one line. Never fails towards the caller: an unwritable folder or a locked file
    // loses the line silently. A log that cannot be moved aside grows past its size instead.
    void LogEvent(const std::string& text);

    // The log file for "View": false (and nothing to open) when there is no log yet.
    bool ViewTarget(std::string* path) const;
    // "Delete": removes the log and its older copy at once, so nothing of the diary is left; a
    // missing or busy file is ignored. The next event starts a new file.
    void DeleteLog() const;

    // Called with the text of every event logged, written or not (the air log records it).
    std::function<void(const std::string& text)> onLine;

private:
    std::string logPath() const;
    std::string oldLogPath() const;

    ProgramFolder folder_;
    const Clock& clock_;
    std::uint64_t maxBytes_;
};

// "12/06/26 09:44:30 " + text + CR LF.
std::string formatEventLine(const LocalTime& when, const std::string& text);

}  // namespace vox
