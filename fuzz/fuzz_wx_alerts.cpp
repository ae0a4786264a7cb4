// Weather Exchange's alert file (data\warning.txt), and the closing line of info\wxwarn.txt taken
// from the same text: the alerts are read and announced in both voices.
#include "core/weather/alerts.h"
#include "core/weather/wx_input.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    const AlertsRead alerts = readAlerts(text);
    fuzz::require(
        alerts.count >= 0 && alerts.descriptions.size() ==
                                 static_cast<std::size_t>(std::min(alerts.count, kMaxSpokenAlerts)),
        "the first alerts are kept, and no more");
    const std::vector<std::string> lines = textLines(text);
    const std::string closing = lines.empty() ? std::string() : lines.front();
    for (const bool att : {false, true}) {
        fuzz::requireOnlyWords(
            alertsAnnouncement(alerts.descriptions, att, nullptr, "November Zero Call"));
        // The closing line is the owner's own text and may hold markup: only no crash here.
        (void)parseSpeechMarkup(
            alertsAnnouncement(alerts.descriptions, att, &closing, "November Zero Call"));
    }
    return 0;
}
