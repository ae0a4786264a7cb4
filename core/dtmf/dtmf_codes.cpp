#include "core/dtmf/dtmf_codes.h"

#include "core/base/guarded.h"
#include "core/base/node_link.h"
#include "core/base/text_helpers.h"
#include "core/parts/shared_state.h"

namespace vox {

std::string normalizeDtmfCode(const std::string& typed) {
    return UpperAscii(TrimBlanks(typed));
}

std::vector<std::string> parseNodeDtmfCodes(const std::string& list) {
    // Item by item: an item without "=" must not borrow the "=" of the next one.
    std::vector<std::string> codes;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string::npos)
            comma = list.size();
        const std::string item = list.substr(start, comma - start);
        const std::size_t eq = item.find('=');
        const std::string code = eq == std::string::npos ? item : item.substr(eq + 1);
        if (!TrimBlanks(code).empty())
            codes.push_back(code);
        start = comma + 1;
    }
    return codes;
}

bool isNodeDtmfCode(const std::string& cmd, const std::vector<std::string>& codes) {
    const std::string wanted = TrimBlanks(cmd);
    for (std::size_t i = 1; i < codes.size(); ++i)
        if (TrimBlanks(codes[i]) == wanted)
            return true;
    return false;
}

void refreshNodeDtmfCodes(NodeSystem& nodes, SharedState& state) {
    state.EchoLinkDtmfCodes.clear();
    guarded("the node's DTMF codes", [&] {
        state.SoundFilesDir = nodes.registryValue("Options", "SoundFilesDir");
        for (const char* name : {"DTMFCommands", "DTMFShortCuts"})
            for (std::string& code : parseNodeDtmfCodes(nodes.registryValue("Sysop", name)))
                state.EchoLinkDtmfCodes.push_back(std::move(code));
    });
}

const std::vector<DtmfCodeField>& dtmfCodeFields() {
    static const std::vector<DtmfCodeField> fields = {
        {"Xmit INFO File", "tbDTMFPlayFile", &Settings::DtmfPlayFile},
        {"Xmit Time", "tbDTMFPlayTime", &Settings::DtmfPlayTime},
        {"Xmit Node Status", "tbDTMFConList", &Settings::DtmfConnList},
        {"AutoConnect Toggle", "tbDTMFAutoToggle", &Settings::DtmfAutoToggle},
        {"Node BUSY Toggle", "tbDTMFBusyToggle", &Settings::DtmfBusyToggle},
        {"Xmit HELP file", "tbDTMFPlayHelp", &Settings::DtmfPlayHelp},
        {"Record START", "tbRecordStart", &Settings::DtmfRecordStart},
        {"Record STOP", "tbRecordStop", &Settings::DtmfRecordStop},
        {"Record PLAYBACK", "tbRecordPlayback", &Settings::DtmfRecordPlayback},
        {"Xmit WX Current", "tbWX", &Settings::DtmfWx},
        {"Xmit WX Forecast", "tbWxFc", &Settings::DtmfWxForecast},
        {"DTMF Lock Toggle", "tbDTMFLock", &Settings::DtmfLock},
        {"Xmit Speed Dial", "tbSpeedDial", &Settings::DtmfSpeedDial},
        {"Text MSG Toggle", "tbTextToggle", &Settings::DtmfTextToggle},
        {"Node Quiet Toggle", "tbNodeQuietToggle", &Settings::DtmfNodeQuietToggle},
        {"Xmit Local WX", "tbLocalWx", &Settings::DtmfLocalWx},
        {"Xmit Wx Warnings", "tbWxWarn", &Settings::DtmfWxWarn},
    };
    return fields;
}

const std::vector<DtmfSwitchField>& dtmfSwitchFields() {
    static const std::vector<DtmfSwitchField> fields = {
        {"Allow RSGB Bulletins *60* thru *69*", "cbRSGB", &Settings::AllowRsgb},
        {"Allow WWV Reports *99*", "cbWWV", &Settings::AllowWwv},
        {"Allow INFO files *70* thru *79*", "cbInfoOK", &Settings::AllowInfo},
    };
    return fields;
}

DtmfSetupValues loadDtmfSetup(const Settings& settings) {
    DtmfSetupValues values;
    for (const auto& field : dtmfCodeFields())
        values.codes.push_back(settings.*field.code);
    for (const auto& field : dtmfSwitchFields())
        values.switches.push_back(settings.*field.flag == 1);
    return values;
}

void saveDtmfSetup(const DtmfSetupValues& values, Settings& settings) {
    const auto& codes = dtmfCodeFields();
    for (std::size_t i = 0; i < codes.size() && i < values.codes.size(); ++i)
        settings.*codes[i].code = normalizeDtmfCode(values.codes[i]);
    const auto& switches = dtmfSwitchFields();
    for (std::size_t i = 0; i < switches.size() && i < values.switches.size(); ++i)
        settings.*switches[i].flag = values.switches[i] ? 1 : 0;
}

}  // namespace vox
