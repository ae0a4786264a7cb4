#include "core/parts/front_panel.h"

#include <stdexcept>

namespace vox {

namespace {

void requireKnown(const std::string& control) {
    if (!Control::known(control))
        throw std::invalid_argument("no control named \"" + control + "\"");
}

struct BoxBinding {
    const char* box;
    std::int16_t Settings::*field;
};
constexpr BoxBinding kSettingsBoxes[] = {{Control::cbHour, &Settings::TimeHour},
                                         {Control::cbHalfHour, &Settings::TimeHalfHour},
                                         {Control::cbQuarterHour, &Settings::TimeQuarterHour},
                                         {Control::cbFileHour, &Settings::FileHour},
                                         {Control::cbFileHalfHour, &Settings::FileHalfHour},
                                         {Control::cbFileQuarterHour, &Settings::FileQuarterHour},
                                         {Control::FanRTS, &Settings::FanRts},
                                         {Control::FanDTR, &Settings::FanDtr}};

}  // namespace

FrontPanel::FrontPanel() {
    captions_[Control::lblPTT] = "OFF";
    captions_[Control::frFan] = "Fan";
}

std::int16_t* FrontPanel::settingsField(const std::string& control) const {
    if (!settings_)
        return nullptr;
    for (const auto& b : kSettingsBoxes)
        if (control == b.box)
            return &(settings_->*b.field);
    return nullptr;
}

void FrontPanel::settingsReplaced() {
    for (const auto& b : kSettingsBoxes)
        notify({Change::Kind::Checked, b.box});
}

bool FrontPanel::checked(const std::string& control) const {
    requireKnown(control);
    if (const std::int16_t* field = settingsField(control))
        return *field == 1;
    auto it = checked_.find(control);
    return it != checked_.end() && it->second;
}

void FrontPanel::setChecked(const std::string& control, bool on) {
    if (checked(control) == on)
        return;
    if (std::int16_t* field = settingsField(control))
        *field = on ? 1 : 0;
    else
        checked_[control] = on;
    notify({Change::Kind::Checked, control});
}

bool FrontPanel::enabled(const std::string& control) const {
    requireKnown(control);
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
    requireKnown(control);
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
    return Control::checkBoxes();
}

const std::vector<std::string>& FrontPanel::buttons() {
    return Control::buttons();
}

}  // namespace vox
