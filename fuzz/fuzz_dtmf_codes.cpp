// The node's DTMF code lists ("name=code" items): the first line of the input is DTMFCommands,
// the second DTMFShortCuts, the rest are tones heard on the air. The codes are gathered as the
// station gathers them, every tone is checked against them, and the station's own codes typed
// into the setup dialog are normalised, spelled and listed for SvxLink.
#include "backends/svxlink/svxlink_codes.h"
#include "core/base/text_helpers.h"
#include "core/dtmf/dtmf_codes.h"
#include "fuzz/fuzz_support.h"

using namespace vox;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> input = lines(fuzz::textOf(data, size));

    std::vector<std::string> nodeCodes;
    for (std::size_t i = 0; i < 2 && i < input.size(); ++i) {
        for (std::string& code : parseNodeDtmfCodes(input[i])) {
            fuzz::require(!TrimBlanks(code).empty(), "no blank code");
            fuzz::require(code.find(',') == std::string::npos, "a code never holds a comma");
            nodeCodes.push_back(std::move(code));
        }
    }

    Settings settings;
    DtmfSetupValues typed = loadDtmfSetup(settings);
    for (std::size_t i = 2; i < input.size(); ++i) {
        (void)isNodeDtmfCode(input[i], nodeCodes);
        (void)SpellDtmfCode(input[i]);
        typed.codes[(i - 2) % typed.codes.size()] = input[i];
    }
    saveDtmfSetup(typed, settings);
    for (const auto& field : dtmfCodeFields()) {
        const std::string& code = settings.*field.code;
        fuzz::require(normalizeDtmfCode(code) == code, "a stored code is normalised");
    }
    settings.AllowRsgb = settings.AllowInfo = 1;
    const std::vector<std::string> own = svxlinkOwnCodes(settings);
    for (const std::string& code : own)
        fuzz::require(!code.empty() && code.find('#') == std::string::npos,
                      "SvxLink is handed only codes that can arrive whole");
    (void)svxlinkOwnCodesText(own);
    return 0;
}
