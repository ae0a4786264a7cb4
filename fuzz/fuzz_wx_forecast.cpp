// The forecast tokens of Weather Exchange's data\metar.txt: read, then spoken in both units.
#include "core/weather/forecast.h"
#include "core/weather/wx_error_file.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ForecastRead read = readForecast(fuzz::textOf(data, size));
    fuzz::require(read.ok == read.error.empty(), "a reason exactly when the forecast is refused");
    if (!read.ok)
        return 0;
    for (const bool metric : {false, true}) {
        const WxTextOptions options{"Boston", "November Zero Call", metric, true, "44*"};
        const ForecastText text = buildForecast(read, options);
        fuzz::require(!text.ok || text.error.empty(), "no reason when it worked");
        fuzz::require(text.ok == !text.lines.empty(), "sentences exactly when it worked");
        fuzz::requireOnlyWords(joinLines(text.lines));
        // What a failed refresh writes into the diagnostics record.
        for (std::size_t k = 0; k < read.days.size(); ++k) {
            const ForecastDay& day = read.days[k];
            (void)dumpedValue(day.name + text.spokenHigh[k] + text.spokenLow[k] + day.conditions);
        }
    }
    return 0;
}
