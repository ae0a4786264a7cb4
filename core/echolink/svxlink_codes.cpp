#include "echolink/svxlink_codes.h"

#include <algorithm>

#include "dtmf/dtmf_codes.h"

namespace vox {

std::vector<std::string> svxlinkOwnCodes(const Settings& settings) {
    std::vector<std::string> codes;
    const auto add = [&](const std::string& code) {
        const std::string c = normalizeDtmfCode(code);
        // '#' ends a command in SvxLink: a code holding one never arrives whole.
        if (!c.empty() && c.find('#') == std::string::npos)
            codes.push_back(c);
    };
    for (const auto& field : dtmfCodeFields())
        add(settings.*field.code);
    for (const RemoteNode& node : settings.RemoteNodes)
        if (!node.Node.empty())
            add(node.Dtmf);
    for (char d = '0'; d <= '9'; ++d) {
        if (settings.AllowRsgb == 1)
            add(std::string("*6") + d + "*");
        if (settings.AllowInfo == 1)
            add(std::string("*7") + d + "*");
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

std::string svxlinkOwnCodesText(const std::vector<std::string>& codes) {
    std::string text = "# DTMF commands Voxclock answers; rewritten by Voxclock\n";
    for (const std::string& code : codes)
        text += code + "\n";
    return text;
}

std::string svxlinkRegistryValue(const SvxlinkConf& conf, const std::string& key,
                                 const std::string& name) {
    if (key == "Sysop" && name == "DTMFCommands")
        return conf.dtmfCommands.empty() ? std::string() : "Unused=-," + conf.dtmfCommands;
    return {};
}

}  // namespace vox
