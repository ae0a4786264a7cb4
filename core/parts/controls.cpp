#include "core/parts/controls.h"

#include <algorithm>

namespace vox::Control {

std::string cmdRemoteNode(int index) {
    return "cmdRemoteNode" + std::to_string(index);
}

const std::vector<std::string>& checkBoxes() {
    static const std::vector<std::string> kBoxes = {
        cbHour,         cbHalfHour, cbQuarterHour, cbFileHour, cbFileHalfHour, cbFileQuarterHour,
        cbAutoOverride, cbNoText,   FanRTS,        FanDTR};
    return kBoxes;
}

const std::vector<std::string>& buttons() {
    static const std::vector<std::string> kButtons = [] {
        std::vector<std::string> b = {CMDTime,       CMDFile,      Command1,        Command2,
                                      cbRecordStart, cbRecordStop, cbRecordPlayback};
        for (int i = 0; i < kRemoteNodes; ++i)
            b.push_back(cmdRemoteNode(i));
        return b;
    }();
    return kButtons;
}

bool known(std::string_view name) {
    auto in = [&](const std::vector<std::string>& names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    return in(checkBoxes()) || in(buttons()) || name == lblPTT || name == lblTwo || name == frFan ||
           name == tbFileName;
}

}  // namespace vox::Control
