#include "core/weather/alerts.h"

#include "core/base/xml_escape.h"
#include "core/weather/wx_input.h"

namespace vox {

namespace {

bool startsWith(const std::string& line, const char* key) {
    return line.rfind(key, 0) == 0;
}

}  // namespace

AlertsRead readAlerts(const std::string& text) {
    static constexpr const char* kDesc = "WarningDesc:";
    static constexpr const char* kDate = "WarningDate:";
    static constexpr const char* kSum = "WarningSum:";
    AlertsRead out;
    const std::vector<std::string> lines = textLines(text);
    std::size_t next = 0;
    auto atEnd = [&] { return next >= lines.size(); };
    std::string current;
    // Reads lines until the current one begins with key or the file ends.
    auto scanFor = [&](const char* key) {
        while (!startsWith(current, key) && !atEnd())
            current = lines[next++];
        return startsWith(current, key);
    };
    while (!atEnd()) {
        if (scanFor(kDesc)) {
            ++out.count;
            if (out.count <= kMaxSpokenAlerts)
                out.descriptions.push_back(current.substr(12));
        }
        current.clear();
        scanFor(kDate);  // dates and summaries are not spoken
        current.clear();
        scanFor(kSum);
    }
    return out;
}

std::string alertsAnnouncement(const std::vector<std::string>& descriptions, bool attVoice,
                               const std::string* closingLine, const std::string& nodeCall) {
    std::string text = attVoice ? "<xml>Attention Please. There are currently weather alerts or "
                                  "warnings for the local area,"
                                : "<xml>Attention Please. There are current weather alerts or "
                                  "warnings for the local area,";
    bool any = false;
    for (const std::string& d : descriptions)
        any = any || !d.empty();
    if (any)
        text += " including: ";
    for (const std::string& d : descriptions)
        if (!d.empty())
            text += " a " + xmlEscape(d) + ". ";
    if (closingLine)
        text += " " + *closingLine + " This is " + nodeCall + ".</xml>";
    else
        text +=
            " Please tune to your local weather radio for details. This is " + nodeCall + ".</xml>";
    return text;
}

std::string noAlertsSentence(const std::string& nodeCall) {
    return "<xml>There are no current weather alerts or warnings for the local area. This is " +
           nodeCall + ".</xml>";
}

}  // namespace vox
