// A bulletin document (*60* to *69*), as fetched from the web: its speech part is cut out, the
// greeting and the node's call go in, and it is spoken.
#include "fuzz/fuzz_support.h"
#include "fuzz/report_rig.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ReportRig rig(fuzz::textOf(data, size), 0);
    rig.reports.SpeakBulletin("https://example.org/rsgb/", "60");
    rig.requireUnkeyed();
    return 0;
}
