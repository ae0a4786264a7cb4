#include "core/parts/event_log.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vox {

std::string formatEventLine(const LocalTime& when, const std::string& text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d %02d:%02d:%02d ", when.month % 100,
                  when.day % 100, ((when.year % 100) + 100) % 100, when.hour % 100,
                  when.minute % 100, when.second % 100);
    return stamp + text + "\r\n";
}

std::string EventLog::logPath() const {
    return folder_.findCaseInsensitive("\\VoxclockLog.txt");
}

std::string EventLog::oldLogPath() const {
    return folder_.findCaseInsensitive("\\VoxclockLog.old.txt");
}

void EventLog::LogEvent(const std::string& text) {
    const std::string line = formatEventLine(clock_.localNow(), text);
    const std::string path = logPath();
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && maxBytes_ > 0 && size > 0 && size + line.size() > maxBytes_) {
        // On failure the line still goes to the full log rather than nowhere.
        std::filesystem::rename(path, oldLogPath(), ec);
    }
    if (std::FILE* f = std::fopen(path.c_str(), "ab")) {
        // One write per line, so a line is never split by another writer's line.
        std::fwrite(line.data(), 1, line.size(), f);
        std::fclose(f);
    }
    if (onLine)
        onLine(text);
}

bool EventLog::ViewTarget(std::string* path) const {
    const std::string p = logPath();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p, ec))
        return false;
    if (path)
        *path = p;
    return true;
}

void EventLog::DeleteLog() const {
    std::error_code ec;
    std::filesystem::remove(logPath(), ec);
    std::filesystem::remove(oldLogPath(), ec);
}

}  // namespace vox
