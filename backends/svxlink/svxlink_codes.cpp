#include "backends/svxlink/svxlink_codes.h"

#include <algorithm>

#include "core/dtmf/dtmf_codes.h"

namespace vox {

std::string svxlinkCodeRefusal(const std::string& typed) {
    const std::string code = normalizeDtmfCode(typed);
    if (code.find('#') != std::string::npos)
        return "SvxLink ends a command at '#', so a code cannot hold one (the caller keys '#' "
               "after the code)";
    if (code.find_first_of("ABC") != std::string::npos)
        return "SvxLink drops the keys A, B and C";
    if (code.find('D', 1) != std::string::npos)
        return "SvxLink starts a new command at D, so D can only be a code's first key";
    if (code.find_first_not_of("0123456789*D") != std::string::npos)
        return "not a DTMF key: only 0-9, *, A-D and # are";
    if (code.size() > 1 && code.find_first_not_of('*') == std::string::npos)
        return "SvxLink delivers a run of stars as one '*'";
    return {};
}

std::vector<std::string> svxlinkCodeProblems(const Settings& settings) {
    std::vector<std::string> problems;
    for (const auto& field : dtmfCodeFields()) {
        const std::string code = normalizeDtmfCode(settings.*field.code);
        if (code.empty())
            continue;
        if (const std::string why = svxlinkCodeRefusal(code); !why.empty())
            problems.push_back(std::string(field.label) + " code '" + code + "': " + why);
    }
    return problems;
}

bool applySvxlinkCodeDefaults(Settings& settings) {
    // The defaults of the Windows program, and what takes their place on SvxLink.
    const struct {
        std::string Settings::*code;
        const char* original;
        const char* svxlink;
    } defaults[] = {
        {&Settings::DtmfPlayFile, "00#", "01*"},
        {&Settings::DtmfLock, "BADC", "*8*"},
    };
    bool changed = false;
    for (const auto& d : defaults) {
        if (normalizeDtmfCode(settings.*d.code) == d.original) {
            settings.*d.code = d.svxlink;
            changed = true;
        }
    }
    return changed;
}

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
    add(kSvxlinkVoiceStop);
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
