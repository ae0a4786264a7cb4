#include "dtmf/spoken_reports.h"

namespace vox {

SpokenReports::SpokenReports(PartContext ctx, WebFetcher& web, std::function<void()> sendStationId,
                             std::function<void()> buildGreeting)
    : ctx_(std::move(ctx)),
      web_(web),
      sendStationId_(std::move(sendStationId)),
      buildGreeting_(std::move(buildGreeting)) {}

void SpokenReports::SpeakSpeedDial() {}
void SpokenReports::SpeakBulletin(const std::string&, const std::string&) {}
void SpokenReports::SpeakWwvReport(const std::string&) {}

}  // namespace vox
