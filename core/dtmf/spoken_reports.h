#pragma once

#include <string>

#include "core/base/web_fetch.h"
#include "core/parts/part_context.h"

namespace vox {

// What the spoken reports ask of the other parts; the station answers.
class SpokenReportsPeers {
public:
    virtual ~SpokenReportsPeers() = default;
    // The identification after an apology.
    virtual void sendStationId() = 0;
    // Fills GreetingText for the time of day.
    virtual void buildGreeting() = 0;
};

// Three spoken answers to DTMF requests: the speed-dial list, a bulletin fetched from the web as a
// prepared speech document, and the WWV solar and geomagnetic report.
class SpokenReports {
public:
    SpokenReports(PartContext ctx, WebFetcher& web, SpokenReportsPeers& peers);

    void SpeakSpeedDial();
    // baseUrl ends with "/"; number is "60" .. "69".
    void SpeakBulletin(const std::string& baseUrl, const std::string& number);
    void SpeakWwvReport(const std::string& url);

private:
    PartContext ctx_;
    WebFetcher& web_;
    SpokenReportsPeers& peers_;
};

}  // namespace vox
