#include "app/front_panel.h"

namespace vox {

FrontPanel::FrontPanel() {
    captions_["lblPTT"] = "OFF";
    captions_["frFan"] = "Fan";
}

bool FrontPanel::checked(const std::string& control) const {
    auto it = checked_.find(control);
    return it != checked_.end() && it->second;
}

void FrontPanel::setChecked(const std::string& control, bool on) {
    if (checked(control) == on)
        return;
    checked_[control] = on;
    notify({Change::Kind::Checked, control});
}

bool FrontPanel::enabled(const std::string& control) const {
    auto it = disabled_.find(control);
    return it == disabled_.end() || !it->second;
}

void FrontPanel::setEnabled(const std::string& control, bool on) {
    if (enabled(control) == on)
        return;
    disabled_[control] = !on;
    notify({Change::Kind::Enabled, control});
}

std::string FrontPanel::caption(const std::string& control) const {
    auto it = captions_.find(control);
    return it == captions_.end() ? std::string() : it->second;
}

void FrontPanel::setCaption(const std::string& control, const std::string& text) {
    if (caption(control) == text)
        return;
    captions_[control] = text;
    notify({Change::Kind::Caption, control});
}

std::string FrontPanel::panel(int index) const {
    return index >= 1 && index <= 5 ? panels_[static_cast<std::size_t>(index - 1)] : std::string();
}

void FrontPanel::setPanel(int index, const std::string& text) {
    if (index < 1 || index > 5 || panel(index) == text)
        return;
    panels_[static_cast<std::size_t>(index - 1)] = text;
    notify({Change::Kind::Panel, std::string(), index});
}

int FrontPanel::subscribe(Listener listener) {
    const int id = nextListener_++;
    listeners_[id] = std::move(listener);
    return id;
}

void FrontPanel::unsubscribe(int id) {
    listeners_.erase(id);
}

void FrontPanel::notify(const Change& change) {
    // A listener may unsubscribe itself; iterate over a copy of the ids.
    std::vector<int> ids;
    for (const auto& [id, l] : listeners_)
        ids.push_back(id);
    for (int id : ids) {
        auto it = listeners_.find(id);
        if (it != listeners_.end())
            it->second(change);
    }
}

const std::vector<std::string>& FrontPanel::checkBoxes() {
    static const std::vector<std::string> kBoxes = {"cbHour",         "cbHalfHour",
                                                    "cbQuarterHour",  "cbFileHour",
                                                    "cbFileHalfHour", "cbFileQuarterHour",
                                                    "cbAutoOverride", "cbNoText",
                                                    "FanRTS",         "FanDTR"};
    return kBoxes;
}

const std::vector<std::string>& FrontPanel::buttons() {
    static const std::vector<std::string> kButtons = {
        "CMDTime",        "CMDFile",          "Command1",       "Command2",       "cbRecordStart",
        "cbRecordStop",   "cbRecordPlayback", "cmdRemoteNode0", "cmdRemoteNode1", "cmdRemoteNode2",
        "cmdRemoteNode3", "cmdRemoteNode4",   "cmdRemoteNode5", "cmdRemoteNode6", "cmdRemoteNode7"};
    return kButtons;
}

}  // namespace vox
