#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <variant>

#include "core/base/clock.h"

namespace vox {

// One field of an air-log record: text, flag or number.
struct AirField {
    std::string key;
    std::variant<std::string, bool, long long> value;
};

// The record of everything that reaches the air or the node, one JSON object per line:
// {"t":"YYYY-MM-DDTHH:MM:SS.mmm","ev":"...",...fields}. Without a sink nothing is written.
class AirLog {
public:
    explicit AirLog(const Clock& clock) : clock_(clock) {}
    void setSink(std::function<void(const std::string& line)> sink) { sink_ = std::move(sink); }
    bool enabled() const { return static_cast<bool>(sink_); }
    void record(const std::string& ev, std::initializer_list<AirField> fields = {});

private:
    const Clock& clock_;
    std::function<void(const std::string&)> sink_;
};

// JSON string literal (quotes included) for a byte string; bytes that are not valid UTF-8 are
// taken as Windows-1252, the settings files' code page.
std::string jsonQuote(const std::string& text);

}  // namespace vox
