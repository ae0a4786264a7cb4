#include "core/weather/weather_exchange.h"

#include "core/base/atomic_file.h"
#include "core/base/guarded.h"
#include "core/parts/controls.h"
#include "core/weather/wx_input.h"
#include "core/weather/wx_paths.h"

namespace vox {

namespace {
constexpr const char* kConditionsStage = "Conditions Running";
constexpr const char* kForecastStage = "Forecast Running";
}  // namespace

WeatherExchange::WeatherExchange(PartContext ctx, Timer& wxGet, WeatherExchangePeers& peers)
    : ctx_(std::move(ctx)), peers_(peers), errors_(ctx_.folder) {
    wxGet.setOnTick([this] { tWxGet_Timer(); });
}

void WeatherExchange::tWxGet_Timer() {
    ++WxGetTicks;
    if (WxGetTicks > 1) {
        getWeatherNow();
        WxGetTicks = 0;
    }
}

void WeatherExchange::getWeatherNow() {
    guarded("weather refresh", [&] { UpdateWeatherExchange(); });
    guarded("weather station", [&] { peers_.readVwsDaily(); });
}

WxTextOptions WeatherExchange::textOptions() const {
    const Settings& s = ctx_.settings;
    return {s.WxArea, s.WxNodeCall, s.WxIsMetric != 0, s.WxDtmf == 1, s.DtmfWxForecast};
}

bool WeatherExchange::writeSpeakable(const char* name, const std::vector<std::string>& lines,
                                     std::string* error) {
    return writeFileAtomically(ctx_.folder.findCaseInsensitive(std::string("\\") + name),
                               joinLines(lines), error);
}

void WeatherExchange::UpdateWeatherExchange() {
    const WxTextOptions options = textOptions();
    Observation record;
    ForecastRead forecast;
    ForecastText spoken;
    std::string error;

    const WxFolder folder = resolveWxFolder(ctx_.settings.WxUrl, ctx_.folder.root());
    if (!folder.ok)
        return failed(kConditionsStage, "Weather Exchange folder: " + folder.error, record,
                      forecast, spoken);
    std::string bytes;
    if (!readWeatherFile(wxFileIn(folder.path, "csv\\data.csv"), &bytes, &error))
        return failed(kConditionsStage, "observation file " + error, record, forecast, spoken);
    ObservationRead read = readObservation(bytes);
    record = std::move(read.record);
    if (!read.ok)
        return failed(kConditionsStage, "observation file: " + read.error, record, forecast,
                      spoken);
    const ConditionsText conditions = buildConditions(record, options);
    if (!conditions.ok)
        return failed(kConditionsStage, "observation file: " + conditions.error, record, forecast,
                      spoken);
    if (!writeSpeakable("wx.txt", conditions.lines, &error))
        return failed(kConditionsStage, error, record, forecast, spoken);

    const std::string metar = wxFileIn(folder.path, "data\\metar.txt");
    if (isRegularFile(metar)) {
        if (!readWeatherFile(metar, &bytes, &error))
            return failed(kForecastStage, "forecast file " + error, record, forecast, spoken);
        forecast = readForecast(bytes);
        if (!forecast.ok)
            return failed(kForecastStage, "forecast file: " + forecast.error, record, forecast,
                          spoken);
    }
    spoken = buildForecast(forecast, options);
    if (!spoken.ok)
        return failed(kForecastStage, "forecast file: " + spoken.error, record, forecast, spoken);
    if (!writeSpeakable("wxfc.txt", spoken.lines, &error))
        return failed(kForecastStage, error, record, forecast, spoken);
    if (!spoken.available)
        forecastMissing();
    ctx_.panel.setPanel(StatusPanel::Speech, "Weather Retrieved OK");
    failureLog_.succeeded();
}

void WeatherExchange::failed(const std::string& stage, const std::string& why,
                             const Observation& record, const ForecastRead& forecast,
                             const ForecastText& spoken) {
    ctx_.panel.setPanel(StatusPanel::Speech, "ERROR Getting WX Info!");
    std::vector<std::string> lines = {kWxBeginLine, wxErrorStamp(ctx_.rt.localNow()), stage,
                                      kWxCsvLine};
    for (int n = 1; n <= kObservationTokens; ++n)
        lines.push_back(n == 19 ? " " + std::to_string(record.condition) + " "
                                : dumpedValue(record.token(n)));
    lines.push_back(kWxRuleLine);
    for (int i = 0; i < kForecastDays; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        const ForecastDay& day = forecast.days[k];
        lines.push_back(
            dumpedValue(day.name + spoken.spokenHigh[k] + spoken.spokenLow[k] + day.conditions));
    }
    lines.push_back(kWxEndLine);
    errors_.append(lines);
    const std::string failure = stage + ": " + why;
    if (failureLog_.shouldLog(failure, ctx_.rt.now()))
        ctx_.log.LogEvent("ERROR Getting WX Info! " + failure);
}

void WeatherExchange::forecastMissing() {
    errors_.append({kWxBeginLine, wxErrorStamp(ctx_.rt.localNow()),
                    "Metar File Not Available or Forecast Data Not Available", kWxRuleLine});
}

}  // namespace vox
