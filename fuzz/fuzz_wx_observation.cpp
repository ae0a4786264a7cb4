// Weather Exchange's observation record (csv\data.csv): read, dumped into the diagnostics record
// as a failed refresh does, and turned into the current-conditions sentences in both units.
#include "core/weather/observation.h"
#include "core/weather/wx_error_file.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ObservationRead read = readObservation(fuzz::textOf(data, size));
    fuzz::require(read.ok == read.error.empty(), "a reason exactly when the record is refused");
    for (int n = 1; n <= kObservationTokens; ++n)
        fuzz::require(dumpedValue(read.record.token(n)).size() <= kMaxDumpedBytes + 3,
                      "a dumped value is cut");
    if (!read.ok)
        return 0;
    for (const bool metric : {false, true}) {
        const WxTextOptions options{"Boston", "November Zero Call", metric, true, "44*"};
        const ConditionsText text = buildConditions(read.record, options);
        fuzz::require(text.ok == text.error.empty(), "a reason exactly when there is no text");
        fuzz::require(text.ok != text.lines.empty(), "sentences exactly when it worked");
        fuzz::requireOnlyWords(joinLines(text.lines));
    }
    return 0;
}
