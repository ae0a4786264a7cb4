// voxclock.conf: loaded from a file as the program loads it, then used the way start-up uses it:
// the node's code lists are read, SvxLink's registry answers are made from [svxlink], and the
// CW identification is rendered for the configured call.
#include <algorithm>

#include "backends/svxlink/svxlink_codes.h"
#include "core/dtmf/dtmf_codes.h"
#include "core/parts/cw_id.h"
#include "core/settings/program_conf.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ScratchFolder folder;
    const std::string text = fuzz::textOf(data, size);
    const ConfResult loaded = loadProgramConf(folder.write("voxclock.conf", text));
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    fuzz::require(loaded.warnings.size() <= lines, "at most one warning a line");
    const ProgramConf& conf = loaded.conf;

    (void)parseNodeDtmfCodes(conf.dtmfCommands);
    (void)parseNodeDtmfCodes(conf.dtmfShortcuts);
    for (const char* name : {"DTMFCommands", "DTMFShortCuts", "SoundFilesDir"})
        (void)parseNodeDtmfCodes(svxlinkRegistryValue(conf.svxlink, "Sysop", name));

    // Only a call or sound the file changed, short and at the lowest rate, so each run stays
    // quick: how long the sound may get is not what is tried here.
    const ProgramConf defaults;
    const std::string sendable = cwSendableText(cwIdText(conf.callsign, conf.cwid));
    if ((conf.callsign != defaults.callsign || conf.cwid != defaults.cwid) &&
        sendable.size() <= 8) {
        std::vector<int16_t> samples;
        std::string error;
        const bool ok = renderCw(sendable, conf.cwid, 8000, &samples, &error);
        fuzz::require(ok == !sendable.empty(), "every sendable call renders");
    }
    return 0;
}
