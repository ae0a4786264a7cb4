#pragma once

#include <functional>
#include <string>

#include "core/base/web_fetch.h"
#include "core/parts/part_context.h"

namespace vox {

// Three spoken answers to DTMF requests: the speed-dial list, a bulletin fetched from the web as a
// prepared speech document, and the WWV solar and geomagnetic report.
class SpokenReports {
public:
    // sendStationId: the identification after an apology; buildGreeting: fills GreetingText.
    SpokenReports(PartContext ctx, WebFetcher& web, std::function<void()> sendStationId,
                  std::function<void()> buildGreeting);

    void SpeakSpeedDial();
    // baseUrl ends with "/"; number is "60" .. "69".
    void SpeakBulletin(const std::string& baseUrl, const std::string& number);
    void SpeakWwvReport(const std::string& url);

private:
    PartContext ctx_;
    WebFetcher& web_;
    std::function<void()> sendStationId_;
    std::function<void()> buildGreeting_;
};

}  // namespace vox
