#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vox {

// The main window's controls that carry state, as a model: the desktop mirrors it, the headless
// program reports it. Controls are named as on the window ("cbHour", "CMDTime", "lblPTT", ...).
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
    bool pttShownOn() const { return caption("lblPTT") == "ON"; }

    // Listeners are called after every change of a value (not when a value is set to itself).
    int subscribe(Listener listener);
    void unsubscribe(int id);

    static const std::vector<std::string>& checkBoxes();
    static const std::vector<std::string>& buttons();

private:
    void notify(const Change& change);

    std::map<std::string, bool> checked_;
    std::map<std::string, bool> disabled_;
    std::map<std::string, std::string> captions_;
    std::array<std::string, 5> panels_;
    std::map<int, Listener> listeners_;
    int nextListener_ = 1;
};

}  // namespace vox
