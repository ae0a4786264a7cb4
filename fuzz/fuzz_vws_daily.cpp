// Virtual Weather Station's daily.txt, read for each station type that writes it and spoken for
// a winter and a summer month.
#include "core/parts/call_spelling.h"
#include "core/weather/vws_daily.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::textOf(data, size);
    for (const int type : {0, 1, 2, 3}) {
        const VwsRead read = readVwsDaily(text, type);
        fuzz::require(read.ok == read.error.empty(), "a reason exactly when it is refused");
        fuzz::require(!read.ok || type != 1, "FreeWx writes no daily.txt");
        if (!read.ok)
            continue;
        for (const int month : {1, 7})
            fuzz::requireOnlyWords(
                vwsText(read.reading, {type, month, ATTCall("N0CALL"), "November Zero Call"}));
    }
    return 0;
}
