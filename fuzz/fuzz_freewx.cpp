// FreeWx's records: the same text read as freewx.dat (its last line), freedata.txt (its first
// line) and freewtday.log (tokens), and spoken as the short and the full report.
#include "core/parts/call_spelling.h"
#include "core/weather/freewx.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    const std::string call = "November Zero Call";
    std::string error;

    FreeWxShort reading;
    if (readFreeWxShort(text, &reading, &error)) {
        const std::string spoken = freeWxShortText(reading, call);
        fuzz::requireOnlyWords(freeWxSpeakable(spoken));
    }

    FreeWxDayTimes times;
    if (!readFreeWxDayLog(text, &times, &error))
        times = {};
    FreeWxFull full;
    if (readFreeWxFull(text, &full, &error)) {
        const std::optional<std::string> spoken = freeWxFullText(
            full, times, {recordedOnText({2026, 6, 5, 15, 45, 0, 0}), ATTCall("N0CALL"), call});
        if (spoken)
            fuzz::requireOnlyWords(freeWxSpeakable(*spoken));
    }
    (void)To12HourTime(text.substr(0, 5));
    return 0;
}
