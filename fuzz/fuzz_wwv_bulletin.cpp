// The WWV solar and geomagnetic bulletin, as fetched from the web: written to the raw file, made
// into the spoken document and played on the air, for each voice type (the input's length picks
// it).
#include "fuzz/fuzz_support.h"
#include "fuzz/report_rig.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ReportRig rig(fuzz::textOf(data, size), static_cast<int>(size % 3));
    rig.reports.SpeakWwvReport("https://example.org/text/wwv.txt");
    rig.requireUnkeyed();
    return 0;
}
