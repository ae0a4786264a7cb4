#include "core/weather/wx_error_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vox {

bool WxErrorFile::append(const std::vector<std::string>& lines) const {
    namespace fs = std::filesystem;
    const std::string path = folder_.findCaseInsensitive("\\WxError.txt");
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kRotateBytes) {
        // A rename that fails keeps appending to the one file: records are never thrown away.
        fs::rename(path, folder_.findCaseInsensitive("\\WxError.old.txt"), ec);
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << text;
    out.close();
    return !out.fail();
}

std::string wxErrorStamp(const LocalTime& t) {
    const int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d/%d/%04d %d:%02d:%02d %s", t.month, t.day, t.year, h12,
                  t.minute, t.second, t.hour < 12 ? "AM" : "PM");
    return buf;
}

std::string dumpedValue(const std::string& value) {
    if (value.size() <= kMaxDumpedBytes)
        return value;
    return value.substr(0, kMaxDumpedBytes) + "...";
}

bool FailureLogLimiter::shouldLog(const std::string& failure, double now) {
    if (failure == last_ && now - loggedAt_ < kRepeatSeconds)
        return false;
    last_ = failure;
    loggedAt_ = now;
    return true;
}

}  // namespace vox
