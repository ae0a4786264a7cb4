#include "core/weather/weather_alerts.h"

#include <stdexcept>

#include "core/base/guarded.h"
#include "core/parts/speech_output.h"
#include "core/weather/alerts.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_paths.h"

namespace vox {

WeatherAlerts::WeatherAlerts(PartContext ctx, Timer& wxWarn)
    : ctx_(std::move(ctx)), errors_(ctx_.folder) {
    wxWarn.setOnTick([this] { tWxWarn_Timer(); });
}

void WeatherAlerts::tWxWarn_Timer() {
    if (ctx_.settings.WxWarnEnabled == 0)
        return;
    ++WxWarnTicks;
    if (WxWarnTicks >= ctx_.settings.WxWarnMinutes) {
        AnnounceWeatherAlerts(true);
        WxWarnTicks = 0;
    }
}

bool WeatherAlerts::closingLine(std::string* line) const {
    const std::string path = ctx_.folder.findCaseInsensitive("\\info\\wxwarn.txt");
    if (!isRegularFile(path))
        return false;
    std::string bytes, error;
    if (!readWeatherFile(path, &bytes, &error))
        throw std::runtime_error("closing text " + error);
    const std::vector<std::string> lines = textLines(bytes);
    *line = lines.empty() ? std::string() : lines.front();
    return true;
}

void WeatherAlerts::AnnounceWeatherAlerts(bool fromTimer) {
    const std::string& call = ctx_.settings.WxNodeCall;
    std::string text;
    try {
        const WxFolder folder = resolveWxFolder(ctx_.settings.WxUrl, ctx_.folder.root());
        const std::string path = folder.ok ? wxFileIn(folder.path, "data\\warning.txt") : "";
        if (path.empty() || !isRegularFile(path)) {
            failureLog_.succeeded();
            if (!fromTimer)
                ctx_.speech.SpeakText(noAlertsSentence(call));
            return;
        }
        std::string bytes, error;
        if (!readWeatherFile(path, &bytes, &error))
            throw std::runtime_error("alert file " + error);
        const AlertsRead alerts = readAlerts(bytes);
        if (alerts.count > kMaxSpokenAlerts)
            ctx_.log.LogEvent("Weather alerts: " + std::to_string(alerts.count - kMaxSpokenAlerts) +
                              " more than the " + std::to_string(kMaxSpokenAlerts) +
                              " read were left out");
        if (alerts.count > 0) {
            std::string closing;
            const bool hasClosing = closingLine(&closing);
            text = alertsAnnouncement(alerts.descriptions, ctx_.settings.VoiceTypeAtt == 1,
                                      hasClosing ? &closing : nullptr, call);
        } else if (!fromTimer) {
            text = noAlertsSentence(call);
        }
        failureLog_.succeeded();
    } catch (const std::exception& e) {
        failed(e.what());
        return;
    }
    if (!text.empty())
        ctx_.speech.SpeakText(text);
}

void WeatherAlerts::failed(const std::string& why) {
    guarded("weather alerts record", [&] {
        errors_.append({kWxBeginLine, wxErrorStamp(ctx_.rt.localNow()),
                        "Error in GetWarnings Subroutine", kWxRuleLine});
        if (failureLog_.shouldLog(why, ctx_.rt.now()))
            ctx_.log.LogEvent("Error in GetWarnings Subroutine: " + why);
    });
}

}  // namespace vox
