#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/parts/controls.h"
#include "core/settings/settings.h"

namespace vox {

// The main window's controls that carry state, as a model: the desktop mirrors it, the headless
// program reports it. Controls are named as on the window (the names in controls.h); any other
// name is refused with std::invalid_argument, so a misspelt name cannot make a new control.
// The schedule and fan check boxes show the settings record and write through to it: the
// settings are the one place those eight flags live.
class FrontPanel {
public:
    struct Change {
        enum class Kind { Checked, Enabled, Caption, Panel };
        Kind kind;
        std::string control;  // empty for panels
        int panel = 0;        // 1..5 for panels
    };
    using Listener = std::function<void(const Change&)>;

    static constexpr const char* kRedLed = "RED_LED";
    static constexpr const char* kGreenLed = "GREEN_LED";

    FrontPanel();

    // The record the schedule and fan boxes show. After the record is replaced as a whole, call
    // settingsReplaced() so the views follow.
    void bindSettings(Settings* settings) { settings_ = settings; }
    void settingsReplaced();

    bool checked(const std::string& control) const;
    void setChecked(const std::string& control, bool on);
    // Controls are enabled until something disables them.
    bool enabled(const std::string& control) const;
    void setEnabled(const std::string& control, bool on);
    // Captions and texts: "cmdRemoteNode0".."cmdRemoteNode7", "frFan", "lblPTT", "tbFileName".
    std::string caption(const std::string& control) const;
    void setCaption(const std::string& control, const std::string& text);
    // Status panels 1..5 of StatusBar1; panel 1 holds kRedLed or kGreenLed.
    std::string panel(int index) const;
    void setPanel(int index, const std::string& text);
    std::string panel(StatusPanel p) const { return panel(static_cast<int>(p)); }
    void setPanel(StatusPanel p, const std::string& text) { setPanel(static_cast<int>(p), text); }
    bool pttShownOn() const { return caption("lblPTT") == "ON"; }

    // Listeners are called after every change of a value (not when a value is set to itself).
    int subscribe(Listener listener);
    void unsubscribe(int id);

    static const std::vector<std::string>& checkBoxes();
    static const std::vector<std::string>& buttons();

private:
    void notify(const Change& change);
    // The settings field behind a schedule or fan box; null for every other control.
    std::int16_t* settingsField(const std::string& control) const;

    std::map<std::string, bool> checked_;
    std::map<std::string, bool> disabled_;
    std::map<std::string, std::string> captions_;
    std::array<std::string, 5> panels_;
    std::map<int, Listener> listeners_;
    int nextListener_ = 1;
    Settings* settings_ = nullptr;
};

}  // namespace vox
