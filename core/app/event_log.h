#pragma once

#include <functional>
#include <string>

#include "base/clock.h"
#include "base/program_folder.h"

namespace vox {

// The owner's diary of node events, "VoxclockLog.txt" in the program folder: one line
// "mm/dd/yy hh:mm:ss text" per event, ended by CR LF. The file is opened and closed per event so
// the owner can view or delete it at any time; a spelling of the name in another letter case on
// disk is the same file.
class EventLog {
public:
    EventLog(const ProgramFolder& folder, const Clock& clock) : folder_(folder), clock_(clock) {}

    // Appends one line. Never fails towards the caller: an unwritable folder or a locked file
    // loses the line silently.
    void LogEvent(const std::string& text);

    // The log file for "View": false (and nothing to open) when there is no log yet.
    bool ViewTarget(std::string* path) const;
    // "Delete": removes the log at once; a missing or busy file is ignored. The next event
    // starts a new file.
    void DeleteLog() const;

    // Called with the text of every event logged, written or not (the air log records it).
    std::function<void(const std::string& text)> onLine;

private:
    std::string logPath() const;

    ProgramFolder folder_;
    const Clock& clock_;
};

// "12/06/26 09:44:30 " + text + CR LF.
std::string formatEventLine(const LocalTime& when, const std::string& text);

}  // namespace vox
